#include "store/SheetScan.h"

#include <algorithm>
#include <set>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

SheetScan ScanSheetFolders(const std::vector<fs::path>& folders) {
  SheetScan scan;
  std::set<std::string> seen;
  for (const fs::path& folder : folders) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) continue;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& path = it->path();
      if (cp1250::Lower(path.extension().string()) != ".ulf" || !it->is_regular_file(ec)) continue;
      const std::string name = cp1250::FromUtf8(path.filename().string());
      if (seen.count(name)) continue;
      const auto text = ReadWholeFile(path);
      if (!text) {
        scan.unreadable = path;
        return scan;
      }
      const auto lines = SplitLines(*text);
      if (lines.empty()) continue;
      seen.insert(name);
      scan.sheets.push_back(FoundSheet{lines.front(), lines.back(), name, path});
    }
  }
  return scan;
}

std::vector<std::string> TurnEntries(const std::vector<FoundSheet>& sheets, std::string_view key) {
  std::vector<std::string> entries;
  for (const FoundSheet& s : sheets)
    if (s.key == key) entries.push_back(s.turn + ". forduló   ("_w + s.name + ")");
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::optional<fs::path> PathOfTurnEntry(const std::vector<FoundSheet>& sheets, std::string_view entry) {
  const auto open = entry.find('(');
  if (open == std::string_view::npos) return std::nullopt;
  const auto close = entry.find(')', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view name = entry.substr(open + 1, close - open - 1);
  for (const FoundSheet& s : sheets)
    if (s.name == name) return s.path;
  return std::nullopt;
}

}  // namespace mv
