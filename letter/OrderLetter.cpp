#include "letter/OrderLetter.h"

#include "core/Cp1250.h"
#include "store/TextFile.h"

namespace mv {

std::vector<std::string> BuildOrderLetter(const EditorModel& m) {
  std::vector<std::string> lines = {
      "VERSION=MV1.2",
      "email=",
      "KSZ=" + m.character.number,
      "SZLA=" + m.character.account,
      "FORD=" + m.fields.turn,
      "PSW=" + m.character.password,
  };
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    std::string line = "C" + std::to_string(r) + "=";
    const std::string& code = m.sheet.Cell(r, col::kCode);
    if (!code.empty()) {
      line += code;
      for (int k = 1; k <= 6; ++k) line += " " + m.sheet.Param(r, k);
    }
    lines.push_back(line);
  }
  const SheetFields& f = m.fields;
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

std::string OrderLetterText(const EditorModel& model) { return JoinLines(BuildOrderLetter(model)); }

std::string DefaultLetterFileName(const EditorModel& m) { return m.character.number + "-" + m.fields.turn + ".eul"; }

}  // namespace mv
