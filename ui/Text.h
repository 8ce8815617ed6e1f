// The core keeps Windows-1250 bytes; Qt wants Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "core/Cp1250.h"

namespace mv::ui {

inline QString Q(std::string_view cp1250) { return QString::fromStdString(cp1250::ToUtf8(cp1250)); }
inline std::string W(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }

}  // namespace mv::ui
