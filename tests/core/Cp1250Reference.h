// The system's own converter, an independent reference for the defined
// bytes of Windows-1250.
#pragma once

#include <string>

namespace mv {
// The character as UTF-8; empty for a byte the code page leaves undefined.
std::string ReferenceToUtf8(unsigned char byte);
}  // namespace mv
