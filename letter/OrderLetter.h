// The order letter: the posted-form text that carries one turn's orders.
#pragma once

#include <string>
#include <vector>

#include "core/CharacterFields.h"
#include "core/OrderSheet.h"
#include "core/SheetFields.h"

namespace mv {

// 29 to 35 lines, Windows-1250, nothing checked or trimmed.
std::vector<std::string> BuildOrderLetter(const OrderSheet& sheet, const SheetFields& fields,
                                          const CharacterFields& character);
// The lines with CR LF after each, the last included.
std::string OrderLetterText(const OrderSheet& sheet, const SheetFields& fields, const CharacterFields& character);
// "2345-17.eul": character number, "-", turn, ".eul" (Windows-1250).
std::string DefaultLetterFileName(const CharacterFields& character, const SheetFields& fields);

inline constexpr const char* kLetterSubject = "Form posted by Vorlan's UL-maker program";

}  // namespace mv
