#include "store/SheetFile.h"
#include "platform/Paths.h"

#include <array>
#include <vector>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "store/TextFile.h"

namespace mv {
namespace {

constexpr std::size_t kFirstFlagLine = 1;    // 0-based index of line 2
constexpr std::size_t kFirstOrderLine = 13;  // 0-based index of line 14

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string TruncatedMessage(std::string_view name) {
  return std::string("A(z) "_w) + Quoted(name) + std::string(" UL fájl hiányos, a beolvasás megszakadt."_w);
}

std::string BadFlagMessage(std::string_view name, std::size_t lineNumber) {
  return std::string("A(z) "_w) + Quoted(name) + std::string(" UL fájl "_w) + std::to_string(lineNumber) +
         std::string(". sora nem egész szám, a beolvasás megszakadt."_w);
}

bool IsOrderLine(const std::vector<std::string>& lines, std::size_t i) {
  if (i + 1 >= lines.size()) return false;  // the last line is never an order
  const std::string& line = lines[i];
  if (line.empty()) return false;
  const char c = line[0];
  return c == ',' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void ReadOrderLine(const std::string& line, OrderSheet& sheet, int row) {
  int column = col::kCode;
  std::size_t start = 0;
  while (column <= col::kKNO) {
    const std::size_t comma = line.find(',', start);
    const std::size_t end = comma == std::string::npos ? line.size() : comma;
    // A field after a final comma does not exist; the cell keeps its value.
    if (comma == std::string::npos && start == line.size() && start > 0) break;
    sheet.Cell(row, column++) = cp1250::Lower(std::string_view(line).substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

std::string UnreadableSheetMessage(std::string_view displayName) {
  return std::string("Nem tudom beolvasni a(z) "_w) + Quoted(displayName) + std::string(" UL fájlt."_w);
}

std::string TooLargeSheetMessage(std::string_view displayName, std::uintmax_t size) {
  return std::string("A(z) "_w) + Quoted(displayName) + std::string(" fájl túl nagy ("_w) + SizeText(size) +
         std::string(") ahhoz, hogy UL legyen, ezért nem nyitottam meg."_w);
}

SheetReadResult ReadSheet(std::string_view content, std::string_view displayName, SheetContent& into) {
  const std::vector<std::string> lines = SplitLines(content);
  SheetFields& f = into.fields;
  SheetReadResult result;

  if (lines.empty()) {
    result.error = TruncatedMessage(displayName);
    return result;
  }
  // A line that cannot be a turn stays as read, so that the check names it
  // instead of the letter going out as turn 1.
  const auto turn = ParseInteger(lines[0]);
  f.turn = turn && *turn >= 1 ? std::to_string(*turn) : lines[0];

  // Lines 2..11: the four request flags, the five delivery forms, the queue.
  for (std::size_t i = kFirstFlagLine; i <= 10; ++i) {
    if (i >= lines.size()) {
      result.error = TruncatedMessage(displayName);
      return result;
    }
    const auto value = ParseInteger(lines[i]);
    if (!value) {
      result.error = BadFlagMessage(displayName, i + 1);
      return result;
    }
    const bool on = *value != 0;
    switch (i) {
      case 1: f.requestUL = on; break;
      case 2: f.requestJL = on; break;
      case 3: f.extraTurn = on; break;
      case 4: f.clubCode = on; break;
      case 10: f.queued = on; break;
      default: {
        // Ticking a radio button unticks the others; the last ticked wins.
        const auto form = static_cast<DeliveryForm>(i - 4);
        if (on)
          f.delivery = form;
        else if (f.delivery == form)
          f.delivery = DeliveryForm::None;
      }
    }
  }
  if (lines.size() < kFirstOrderLine) {
    result.error = TruncatedMessage(displayName);
    return result;
  }
  f.queueCharacter = lines[11];
  f.queueTurn = lines[12];

  std::size_t i = kFirstOrderLine;
  for (int row = 1; IsOrderLine(lines, i); ++i, ++row)
    if (row <= OrderSheet::kRows) ReadOrderLine(lines[i], into.sheet, row);

  if (i + 3 >= lines.size()) {
    result.error = TruncatedMessage(displayName);
    return result;
  }
  into.figures.checkNumber = lines[i];
  into.figures.tvpTotal = lines[i + 1];
  into.figures.knoTotal = lines[i + 2];
  into.characterKey = lines[i + 3];
  result.ok = true;
  return result;
}

SheetFileRead ReadSheetFile(const std::filesystem::path& path) {
  SheetFileRead out;
  const std::string name = cp1250::FromUtf8(Utf8(path));
  const BoundedRead bytes = ReadFileUpTo(path);
  if (bytes.status == BoundedRead::Status::TooLarge) {
    out.error = TooLargeSheetMessage(name, bytes.size);
    return out;
  }
  if (!bytes.ok()) {
    out.error = UnreadableSheetMessage(name);
    return out;
  }
  const SheetReadResult read = ReadSheet(bytes.bytes, name, out.content);
  out.ok = read.ok;
  out.error = read.error;
  return out;
}

std::string OrderLine(const OrderSheet& sheet, int row) {
  std::string line;
  for (int c = col::kCode; c <= col::kKNO; ++c) {
    if (c > col::kCode) line += ',';
    line += sheet.Cell(row, c);
  }
  return line;
}

std::string OrderLine(const OrderRow& row) {
  OrderSheet one;
  one.SetRow(1, row);
  return OrderLine(one, 1);
}

OrderRow OrderRowOfLine(const std::string& line) {
  OrderSheet one;
  ReadOrderLine(line, one, 1);
  return one.Row(1);
}

std::string WriteSheet(const SheetContent& sheet) {
  const SheetFields& f = sheet.fields;
  auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  std::vector<std::string> lines = {
      f.turn,
      flag(f.requestUL),
      flag(f.requestJL),
      flag(f.extraTurn),
      flag(f.clubCode),
      flag(f.delivery == DeliveryForm::Base64),
      flag(f.delivery == DeliveryForm::Base64Printed),
      flag(f.delivery == DeliveryForm::Uuencode),
      flag(f.delivery == DeliveryForm::UuencodePrinted),
      flag(f.delivery == DeliveryForm::PrintedOnly),
      flag(f.queued),
      f.queueCharacter,
      f.queueTurn,
  };
  for (int r = 1; r <= OrderSheet::kRows; ++r) lines.push_back(OrderLine(sheet.sheet, r));
  lines.push_back(sheet.figures.checkNumber);
  lines.push_back(sheet.figures.tvpTotal);
  lines.push_back(sheet.figures.knoTotal);
  lines.push_back(sheet.characterKey);
  return JoinLines(lines);
}

}  // namespace mv
