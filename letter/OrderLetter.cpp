#include "letter/OrderLetter.h"

#include <algorithm>

#include "core/CharacterRules.h"
#include "core/Cp1250.h"
#include "core/Secret.h"
#include "store/CharacterStore.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"

namespace mv {

std::vector<std::string> BuildOrderLetter(const OrderSheet& sheet, const SheetFields& f,
                                          const CharacterFields& character) {
  std::vector<std::string> lines = {
      "VERSION=MV1.2",           "email=",
      "KSZ=" + character.number, "SZLA=" + character.account,
      "FORD=" + f.turn,          "PSW=" + character.password,
  };
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    std::string line = "C" + std::to_string(r) + "=";
    const std::string& code = sheet.Cell(r, col::kCode);
    if (!code.empty()) {
      line += code;
      for (int k = 1; k <= 6; ++k) line += " " + sheet.Param(r, k);
    }
    lines.push_back(line);
  }
  if (f.requestUL) lines.push_back("UL=OFF");
  if (f.requestJL) lines.push_back("JL=OFF");
  if (f.extraTurn) lines.push_back("EXT=OFF");
  switch (f.delivery) {
    case DeliveryForm::Base64: lines.push_back("KOD=B64"); break;
    case DeliveryForm::Base64Printed: lines.insert(lines.end(), {"KOD=B64", "PRINT=OFF"}); break;
    case DeliveryForm::Uuencode: lines.push_back("KOD=UUE"); break;
    case DeliveryForm::UuencodePrinted: lines.insert(lines.end(), {"KOD=UUE", "PRINT=OFF"}); break;
    case DeliveryForm::PrintedOnly: lines.push_back("KOD=POSTA"); break;
    case DeliveryForm::None: break;
  }
  lines.push_back("PREKAR=" + (f.queued ? f.queueCharacter : std::string()));
  lines.push_back("PREFORD=" + (f.queued ? f.queueTurn : std::string()));
  if (f.clubCode) lines.push_back("KLUB=OFF");
  lines.push_back(std::string("Post=UL Postázása"_w));
  return lines;
}

bool IsLetterRowKey(std::string_view key) {
  return key.size() >= 2 && key[0] == 'C' && key.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

std::vector<std::string> OrdersOf(const std::vector<std::string>& letterLines) {
  static constexpr std::string_view kSheetKeys[] = {"FORD", "UL", "JL", "EXT", "PREKAR", "PREFORD", "KLUB"};
  std::vector<std::string> orders;
  for (const std::string& line : letterLines) {
    const std::string_view key = std::string_view(line).substr(0, line.find('='));
    if (IsLetterRowKey(key) || std::find(std::begin(kSheetKeys), std::end(kSheetKeys), key) != std::end(kSheetKeys))
      orders.push_back(line);
  }
  return orders;
}

std::string OrderLetterText(const OrderSheet& sheet, const SheetFields& fields, const CharacterFields& character) {
  return JoinLines(BuildOrderLetter(sheet, fields, character));
}

std::string DefaultLetterFileName(const CharacterFields& character, const SheetFields& fields) {
  return character.number + "-" + fields.turn + ".eul";
}

std::string LetterCharacterNumber(const std::vector<std::string>& letterLines) {
  for (const std::string& line : letterLines)
    if (line.starts_with("KSZ=")) return line.substr(4);
  return {};
}

OutgoingLetter LetterOfSheetFile(IniFile& ini, const std::filesystem::path& path) {
  OutgoingLetter out;
  SheetFileRead read = ReadSheetFile(path);
  if (!read.ok) {
    out.error = read.error;
    return out;
  }
  // As "Megnyit" shows it: the character of its last line, with that
  // character's delivery form; a sheet without a key keeps its own.
  CharacterFields character;
  SheetFields& fields = read.content.fields;
  if (!read.content.characterKey.empty()) {
    const CharacterRecord record = CharacterStore(ini).Load(read.content.characterKey);
    character = FieldsOf(record);
    fields.delivery = record.delivery;
  }
  out.character = character.number;
  out.turn = fields.turn;
  out.letter = OrderLetterText(read.content.sheet, fields, character);
  out.canSend = CanSend(character);
  WipeSecret(character.password);
  return out;
}

}  // namespace mv
