// What the platform's half of TextFile (platform/*/TextFileSystem.cpp)
// shares with the portable half.
#pragma once

#include <string>
#include <string_view>

#include "store/TextFile.h"

namespace mv::seam {

inline constexpr std::string_view kTempMark = ".tmp";
// ".NAME.tmpDIGITS": the temporary files of ours.
bool IsTemporaryName(const std::string& name);
WriteFaultHook WriteFault();
LockWaitHook LockWait();

}  // namespace mv::seam
