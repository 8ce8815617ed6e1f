// A numbered name list of the player's (characters, monsters, items, ...).
#pragma once

#include <string>
#include <vector>

namespace mv {

struct DataList {
  int firstNumber = 0;
  std::vector<std::string> names;  // index = number - firstNumber; "" = unknown

  // Index within the list; the entry may still be empty.
  bool HasIndex(long long index) const { return index >= 0 && index < (long long)names.size(); }
  const std::string& At(long long index) const { return names[std::size_t(index)]; }
};

// The six lists the interpreter reads, plus the potion recipe lines.
struct ReferenceLists {
  DataList characters{2000, {}};
  DataList monsters{1, {}};
  DataList items{1, {}};
  DataList randomItems{1000, {}};
  DataList spells{10, {}};
  DataList alliances{15000, {}};
  std::vector<std::string> potions;
};

}  // namespace mv
