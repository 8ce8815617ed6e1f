// The "Formázók" tab: an item number from a family and an item kind.
#pragma once

#include <string>
#include <vector>

#include "core/DataList.h"
#include "core/Lookups.h"

namespace mv {

// Family names for the picker (the "ismeretlen" placeholders left out).
std::vector<std::string> FormatterFamilies();
// Item kinds for the picker: the named entries of the random-item list.
std::vector<std::string> FormatterKinds(const DataList& randomItems);

struct FormattedItem {
  std::string label;  // ItemName of the number
  std::string level;  // "3. szintű tárgy." or "... relikvia."
  long long number = 0;
};
FormattedItem FormatItem(const std::string& family, const std::string& kind, const DataList& randomItems,
                         const Lookups& lookups);

}  // namespace mv
