#include "puzzles/ItemFormatter.h"

#include "core/Cp1250.h"
#include "core/ReferenceTables.h"

namespace mv {

std::vector<std::string> FormatterFamilies() {
  std::vector<std::string> names;
  for (int f = 1; f <= tables::kItemFamilyCount; ++f) {
    const std::string_view name = tables::ItemFamilyOf(f).name;
    if (name != "ismeretlen") names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> FormatterKinds(const DataList& randomItems) {
  std::vector<std::string> kinds;
  for (const std::string& name : randomItems.names)
    if (!name.empty()) kinds.push_back(name);
  return kinds;
}

FormattedItem FormatItem(const std::string& family, const std::string& kind, const DataList& randomItems,
                         const Lookups& lookups) {
  long long base = 0;
  for (int f = 1; f <= tables::kItemFamilyCount; ++f)
    if (tables::ItemFamilyOf(f).name == family) base = tables::ItemFamilyOf(f).base;  // the last one wins
  long long position = 0;
  for (std::size_t p = 0; p < randomItems.names.size(); ++p)
    if (randomItems.names[p] == kind) position = (long long)p;
  FormattedItem out;
  out.number = base + position;
  out.level =
      std::to_string(position % 15 + 1) + std::string(base >= 29800 ? ". szintű relikvia."_w : ". szintű tárgy."_w);
  out.label = lookups.ItemName(std::to_string(out.number));
  return out;
}

}  // namespace mv
