// A numbered name list: the player's lists (characters, monsters, items,
// ...) and the game's constant tables (buildings, attributes, ...) alike.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

struct DataList {
  DataList() = default;
  explicit DataList(int first) : firstNumber(first) {}
  DataList(int first, std::initializer_list<std::string_view> entries);
  // Entries by number, in any order and with gaps.
  DataList(std::initializer_list<std::pair<int, std::string_view>> entries);

  int firstNumber = 0;
  std::vector<std::string> names;  // index = number - firstNumber; "" = unknown

  // Index within the list; the entry may still be empty.
  bool HasIndex(long long index) const { return index >= 0 && index < (long long)names.size(); }
  const std::string& At(long long index) const { return names[std::size_t(index)]; }

  // The name of a number; empty when the list has none.
  std::string_view operator[](long long number) const {
    const long long index = number - firstNumber;
    return HasIndex(index) ? std::string_view(At(index)) : std::string_view();
  }
  bool Has(long long number) const { return !(*this)[number].empty(); }
  int Last() const { return firstNumber + int(names.size()) - 1; }
  // Numbers with a name.
  int Count() const;
};

// The six lists the interpreter reads, plus the potion recipe lines.
struct ReferenceLists {
  DataList characters{2000};
  DataList monsters{1};
  DataList items{1};
  DataList randomItems{1000};
  DataList spells{10};
  DataList alliances{15000};
  std::vector<std::string> potions;
};

}  // namespace mv
