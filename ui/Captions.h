// The window's caption and the title of the program's message boxes.
#pragma once

namespace mv::ui {

inline constexpr const char* kWindowCaption = "Vorlan Morvald UL készítő programja 2.3.14";
inline constexpr const char* kApplicationTitle = "Vorlan MV UL készítő programja";

}  // namespace mv::ui
