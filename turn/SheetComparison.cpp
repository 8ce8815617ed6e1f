#include "turn/SheetComparison.h"

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "core/UL.h"
#include "letter/OrderLetter.h"
#include "platform/Paths.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"
#include "turn/TurnStatus.h"

namespace mv {

namespace {

OrderRow RowOfLetterLine(std::string_view orders) {
  OrderRow row;
  std::size_t field = 0;
  for (std::size_t at = 0; at <= orders.size() && !orders.empty();) {
    const std::size_t end = orders.find(' ', at);
    const std::string_view piece = orders.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (field == 0) {
      row.code = piece;
    } else if (field <= 6) {
      row.params[field - 1] = piece;
    } else {
      row.params[5] += " " + std::string(piece);  // a blank inside the last value
    }
    ++field;
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return row;
}

Comparison Compared(const DiffSide& a, const DiffSide& b, std::filesystem::path other) {
  Comparison c;
  c.diff = DiffSheets(a, b);
  c.a = a;
  c.b = b;
  c.other = std::move(other);
  return c;
}

Comparison Failed(std::string_view why) {
  Comparison c;
  c.error = std::string(why);
  return c;
}

}  // namespace

DiffSide SideOfLetter(const std::vector<std::string>& letterLines, const Lookups& lookups) {
  DiffSide side;
  OrderSheet rows;
  for (const std::string& line : OrdersOf(letterLines)) {
    const std::size_t eq = line.find('=');
    const std::string key = line.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
    if (IsLetterRowKey(key)) {
      const int r = std::atoi(key.c_str() + 1);
      if (r < 1 || r > OrderSheet::kRows) continue;
      side.rows[std::size_t(r - 1)] = RowOfLetterLine(value);
      rows.SetRow(r, side.rows[std::size_t(r - 1)]);
    } else {
      side.fields.emplace_back(key, value);
    }
  }
  // One interpretation gives the total and every row's name.
  const RecalculatedSheet done = Recalculated(rows, lookups);
  side.tvpTotal = done.figures.tvpTotal;
  for (int r = 1; r <= OrderSheet::kRows; ++r)
    side.names[std::size_t(r - 1)] = done.interpretation.Row(r).panel.command;
  return side;
}

DiffSide SideOfSheet(const SheetContent& sheet, const Lookups& lookups) {
  return SideOfLetter(BuildOrderLetter(sheet.sheet, sheet.fields, CharacterFields{}), lookups);
}

Comparison CompareSheets(const SheetContent& a, const SheetContent& b, const Lookups& lookups) {
  return Compared(SideOfSheet(a, lookups), SideOfSheet(b, lookups), {});
}

Comparison CompareSheetFiles(const std::filesystem::path& a, const std::filesystem::path& b, const Lookups& lookups) {
  const SheetFileRead ra = ReadSheetFile(a);
  if (!ra.ok) return Failed(ra.error);
  const SheetFileRead rb = ReadSheetFile(b);
  if (!rb.ok) return Failed(rb.error);
  return Compared(SideOfSheet(ra.content, lookups), SideOfSheet(rb.content, lookups), b);
}

Comparison CompareWithSent(const SheetContent& sheet, const std::filesystem::path& programDir, const Lookups& lookups) {
  const KeptLetters kept(programDir);
  if (!kept.problem().empty())
    return Failed("Az elküldött levelek mappája ("_w + cp1250::FromUtf8(Utf8(kept.folder())) + ") nem olvasható: "_w +
                  kept.problem());
  const std::string& character = sheet.characterKey;
  for (const KeptLetter& letter : kept.Of(character, sheet.fields.turn)) {
    const BoundedRead bytes = ReadFileUpTo(letter.path);
    if (!bytes.ok())
      return Failed("A megőrzött levél ("_w + cp1250::FromUtf8(Utf8(letter.path.filename())) + ") nem olvasható."_w);
    const std::vector<std::string> lines = SplitLines(bytes.bytes);
    // As the states: a letter under another character's number is not his.
    if (LetterCharacterNumber(lines) != character) continue;
    return Compared(SideOfLetter(lines, lookups), SideOfSheet(sheet, lookups), letter.path);
  }
  return Failed("Ennek az UL-nek a fordulójára még nem küldtél levelet."_w);
}

Comparison CompareWithTurnBefore(const SheetContent& sheet, const std::vector<std::filesystem::path>& sheetFolders,
                                 const Lookups& lookups) {
  const auto turn = ValidTurn(sheet.fields.turn);
  const CharacterTurns turns = SheetsOf(sheetFolders, sheet.characterKey);
  const auto before = turn ? turns.sheets.lower_bound(*turn) : turns.sheets.end();
  if (!turn || before == turns.sheets.begin()) return Failed("Ennek a karakternek nincs UL-je az előző fordulóra."_w);
  const std::filesystem::path previous = std::prev(before)->second;
  const SheetFileRead read = ReadSheetFile(previous);
  if (!read.ok) return Failed(read.error);
  return Compared(SideOfSheet(read.content, lookups), SideOfSheet(sheet, lookups), previous);
}

}  // namespace mv
