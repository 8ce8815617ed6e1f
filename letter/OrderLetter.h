// The order letter: the posted-form text that carries one turn's orders.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/CharacterFields.h"
#include "core/OrderSheet.h"
#include "core/SheetFields.h"
#include "store/IniFile.h"

namespace mv {

// 29 to 35 lines, Windows-1250, nothing checked or trimmed.
std::vector<std::string> BuildOrderLetter(const OrderSheet& sheet, const SheetFields& fields,
                                          const CharacterFields& character);
// The lines with CR LF after each, the last included.
std::string OrderLetterText(const OrderSheet& sheet, const SheetFields& fields, const CharacterFields& character);
// "2345-17.eul": character number, "-", turn, ".eul" (Windows-1250).
std::string DefaultLetterFileName(const CharacterFields& character, const SheetFields& fields);

// "The orders" of a letter's lines: those that come from the sheet (the
// turn, the flags, the queue and the 20 rows), not those of the character's
// stored data (number, account, password, delivery form). Two letters with
// the same orders carry the same orders, whatever the password.
std::vector<std::string> OrdersOf(const std::vector<std::string>& letterLines);

// "C1" … "C20": a letter line's key that carries a row.
bool IsLetterRowKey(std::string_view key);

// The character number (KSZ) a letter carries; empty when it has none.
std::string LetterCharacterNumber(const std::vector<std::string>& letterLines);

// The letter of a sheet file as it goes out: the sheet read as "Megnyit"
// reads it, with the character its last line names from mv.ini.
struct OutgoingLetter {
  std::string error;  // Windows-1250: why the sheet could not be read; empty when it was
  std::string character, turn, letter;
  bool canSend = false;  // a numbered character with a password
};
OutgoingLetter LetterOfSheetFile(IniFile& ini, const std::filesystem::path& sheet);

inline constexpr const char* kLetterSubject = "Form posted by Vorlan's UL-maker program";

}  // namespace mv
