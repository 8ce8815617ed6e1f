#include "tools/HelpExamples.h"

#include <sstream>

#include "core/Cp1250.h"
#include "core/UL.h"
#include "store/TextFile.h"

namespace mv::help {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> out;
  std::string part;
  std::stringstream in{std::string(text)};
  while (std::getline(in, part, separator)) out.push_back(part);
  return out;
}

}  // namespace

std::map<std::string, std::vector<Example>> ParseExamples(std::string_view text) {
  std::map<std::string, std::vector<Example>> out;
  for (const std::string& line : SplitLines(text)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = Split(line, '|');
    if (fields.size() < 2) continue;
    for (std::size_t i = 1; i < fields.size(); ++i) out[fields[0]].push_back(Split(fields[i], ';'));
  }
  return out;
}

ReferenceLists ExampleLists() {
  ReferenceLists lists;
  auto put = [](DataList& list, int number, std::string_view utf8) {
    const std::size_t index = std::size_t(number - list.firstNumber);
    if (list.names.size() <= index) list.names.resize(index + 1);
    list.names[index] = cp1250::FromUtf8(utf8);
  };
  put(lists.items, 12, "Kard");
  put(lists.items, 13, "Pajzs");
  put(lists.items, 40, "Ezerjófű");
  put(lists.items, 41, "Orvosi zsálya");
  put(lists.monsters, 5, "Barlangi ork");
  put(lists.characters, 2345, "Kardos Ödön");
  put(lists.characters, 2346, "Vas Vendel");
  put(lists.spells, 20, "Tűzgolyó");
  put(lists.spells, 21, "Gránitbőr");
  put(lists.alliances, 15001, "Ezüst Kör");
  put(lists.randomItems, 1000, "Rúnakard");
  lists.potions = {"045 12 13"};
  return lists;
}

Shown RunExample(const Example& rows) {
  const ReferenceLists lists = ExampleLists();
  OrderSheet sheet;
  const int count = std::min<int>(int(rows.size()), OrderSheet::kRows);
  for (int r = 1; r <= count; ++r) {
    const std::vector<std::string> cells = Split(rows[std::size_t(r - 1)], ',');
    for (std::size_t k = 0; k < cells.size() && k <= 6; ++k) sheet.Cell(r, col::kCode + int(k)) = cells[k];
  }
  if (count == 0) return {};
  const RowResult last = InterpretInOrder(sheet, Lookups(lists)).Row(count);
  return {last.panel.command, last.panel.lines, last.tvp, last.kno};
}

}  // namespace mv::help
