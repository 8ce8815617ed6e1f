// The kept letters' file names, as another program or the player may leave
// them in elkuldve/: the first line is the character, each other line a name.
#include <cstdint>
#include <string_view>

#include "store/SentArchive.h"
#include "store/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lines = mv::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (lines.empty()) return 0;
  for (std::size_t i = 1; i < lines.size(); ++i)
    if (const auto sent = mv::ReadSentName(lines[i], lines[0])) mv::LastSentText(sent->record);
  return 0;
}
