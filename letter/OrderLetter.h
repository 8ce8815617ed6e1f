// The order letter: the posted-form text that carries one turn's orders.
#pragma once

#include <string>
#include <vector>

#include "core/EditorModel.h"

namespace mv {

// 29 to 35 lines, Windows-1250, nothing checked or trimmed.
std::vector<std::string> BuildOrderLetter(const EditorModel& model);
// The lines with CR LF after each, the last included.
std::string OrderLetterText(const EditorModel& model);
// "2345-17.eul": character number, "-", turn, ".eul" (Windows-1250).
std::string DefaultLetterFileName(const EditorModel& model);

inline constexpr const char* kLetterSubject = "Form posted by Vorlan's UL-maker program";

}  // namespace mv
