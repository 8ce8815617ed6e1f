// The .dat line parser and list loader: a stray line must not make a list
// huge.
#include <cstdint>
#include <string_view>

#include "store/DataListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  mv::ReferenceLists lists;
  for (const mv::DataListFile& f : mv::DataListFiles()) {
    if (!f.list) continue;
    mv::DataList& list = lists.*f.list;
    mv::LoadDataListText(text, list);
    if ((long long)list.names.size() > mv::kMaxListSpan) __builtin_trap();
  }
  return 0;
}
