#include "core/SheetSearch.h"

#include <algorithm>

#include "core/Cp1250.h"
#include "core/UL.h"

namespace mv {

namespace {

// Windows-1250 lower-case letters with a mark, 0x80..0xFF, and their base letters.
char BaseLetter(unsigned char c) {
  static const std::pair<unsigned char, char> kBase[] = {
      {0x9A, 's'}, {0x9C, 's'}, {0x9D, 't'}, {0x9E, 'z'}, {0x9F, 'z'}, {0xB3, 'l'}, {0xB9, 'a'}, {0xBE, 'l'},
      {0xBF, 'z'}, {0xE0, 'r'}, {0xE1, 'a'}, {0xE2, 'a'}, {0xE3, 'a'}, {0xE4, 'a'}, {0xE5, 'l'}, {0xE6, 'c'},
      {0xE7, 'c'}, {0xE8, 'c'}, {0xE9, 'e'}, {0xEA, 'e'}, {0xEB, 'e'}, {0xEC, 'e'}, {0xED, 'i'}, {0xEE, 'i'},
      {0xEF, 'd'}, {0xF0, 'd'}, {0xF1, 'n'}, {0xF2, 'n'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xF6, 'o'},
      {0xF8, 'r'}, {0xF9, 'u'}, {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'}, {0xFE, 't'},
  };
  for (const auto& [marked, base] : kBase)
    if (marked == c) return base;
  return char(c);
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string SearchKey(std::string_view text, bool foldAccents) {
  std::string key = cp1250::Lower(text);
  if (foldAccents)
    for (char& c : key) c = BaseLetter(static_cast<unsigned char>(c));
  return key;
}

OrderSearch::OrderSearch(std::string_view text, bool foldAccents, const ReferenceLists& lists)
    : key_(SearchKey(Trimmed(text), foldAccents)), fold_(foldAccents) {
  if (key_.empty()) return;
  for (const DataList* list :
       {&lists.items, &lists.randomItems, &lists.monsters, &lists.spells, &lists.characters, &lists.alliances}) {
    for (const std::string& name : list->names) {
      if (!NameMatches(name)) continue;
      namesMayMatch_ = true;
      return;
    }
  }
}

bool OrderSearch::Matches(std::string_view text) const {
  return !text.empty() && text.size() == key_.size() && SearchKey(text, fold_) == key_;
}

bool OrderSearch::NameMatches(std::string_view name) const {
  return name.size() >= key_.size() && SearchKey(name, fold_).find(key_) != std::string::npos;
}

std::vector<SheetHit> OrderSearch::Hits(const OrderSheet& sheet, const Lookups& lookups) const {
  std::vector<SheetHit> hits;
  if (key_.empty()) return hits;
  std::array<bool, OrderSheet::kRows + 1> byValue{};
  bool any = false;
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    bool found = Matches(sheet.Cell(r, col::kCode));
    for (int k = 1; k <= 6 && !found; ++k) found = Matches(sheet.Param(r, k));
    byValue[std::size_t(r)] = found;
    any = any || found;
  }
  if (!any && !namesMayMatch_) return hits;
  // The names come from the interpretation, row by row, in order.
  std::vector<std::string> names;
  lookups.SetFoundLog(&names);
  InterpretInOrder(sheet, lookups, [&](int row, const RowResult& result) {
    const bool byName = std::any_of(names.begin(), names.end(), [&](auto& n) { return NameMatches(n); });
    names.clear();
    if ((byValue[std::size_t(row)] || byName) && !sheet.RowIsBlank(row))
      hits.push_back({row, sheet.Cell(row, col::kCode), result.panel.command});
  });
  lookups.SetFoundLog(nullptr);
  return hits;
}

}  // namespace mv
