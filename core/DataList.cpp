#include "core/DataList.h"

#include <algorithm>

namespace mv {

DataList::DataList(int first, std::initializer_list<std::string_view> entries)
    : firstNumber(first), names(entries.begin(), entries.end()) {}

DataList::DataList(std::initializer_list<std::pair<int, std::string_view>> entries) {
  if (entries.size() == 0) return;
  const auto [lo, hi] = std::minmax_element(entries.begin(), entries.end(),
                                            [](const auto& a, const auto& b) { return a.first < b.first; });
  firstNumber = lo->first;
  names.resize(std::size_t(hi->first - lo->first + 1));
  for (const auto& [number, name] : entries) names[std::size_t(number - firstNumber)] = name;
}

int DataList::Count() const {
  return int(std::count_if(names.begin(), names.end(), [](const std::string& n) { return !n.empty(); }));
}

}  // namespace mv
