#include "store/SheetScan.h"
#include "platform/Paths.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "platform/RegularFile.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

namespace {

// The first and the last line of a file as SplitLines would give them,
// reading only the two ends; nothing when it cannot be read, an empty list
// for an empty file.
// The last line of text as SplitLines counts lines: after the last line end
// that is not the text's own end.
std::string_view LastLine(std::string_view text) {
  if (text.ends_with("\r\n"))
    text.remove_suffix(2);
  else if (text.ends_with("\n") || text.ends_with("\r"))
    text.remove_suffix(1);
  const auto brk = text.find_last_of("\r\n");
  return brk == std::string_view::npos ? text : text.substr(brk + 1);
}

std::optional<std::vector<std::string>> FirstAndLastLine(const RegularFile& file) {
  // A sheet is a few hundred bytes: one read usually holds all of it.
  constexpr std::size_t kChunk = 4096;
  const std::uintmax_t size = file.size();
  std::string head(std::size_t(std::min<std::uintmax_t>(size, kChunk)), '\0');
  if (file.ReadAt(0, head.data(), head.size()) != std::ptrdiff_t(head.size())) return std::nullopt;
  std::vector<std::string> lines;
  if (head.empty()) return lines;
  if (size <= kChunk)
    return std::vector<std::string>{head.substr(0, head.find_first_of("\r\n")), std::string(LastLine(head))};
  // A long file (at most the reader's limit): its first line from the head,
  // its last from the tail.
  const auto firstEnd = head.find_first_of("\r\n");
  std::string first = head.substr(0, firstEnd);
  for (std::uintmax_t at = kChunk; firstEnd == std::string::npos && at < size;) {
    char buffer[kChunk];
    const std::ptrdiff_t n = file.ReadAt(at, buffer, kChunk);
    if (n <= 0) return std::nullopt;
    const std::string_view more(buffer, std::size_t(n));
    const auto end = more.find_first_of("\r\n");
    first.append(more.substr(0, end));
    if (end != std::string_view::npos) break;
    at += more.size();
  }
  std::string tail;
  for (std::uintmax_t want = kChunk;; want = std::min(size, want * 4)) {
    tail.resize(std::size_t(want));
    if (file.ReadAt(size - want, tail.data(), tail.size()) != std::ptrdiff_t(want)) return std::nullopt;
    const std::string_view last = LastLine(tail);
    // Whole only when a line end stands before it, or the tail is the file.
    if (last.data() != tail.data() || want == size) return std::vector<std::string>{first, std::string(last)};
  }
}

}  // namespace

SheetScan ScanSheetFolders(const std::vector<fs::path>& folders, bool goOn) {
  SheetScan scan;
  // Files, not names: two folders may hold sheets of one name, and a folder
  // listed twice (or reached through a link) holds the same files.
  std::set<FileIdentity> seen;
  for (const fs::path& folder : folders) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) continue;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& path = it->path();
      if (cp1250::Lower(Utf8(path.extension())) != ".ulf") continue;
      const RegularFile file = RegularFile::Open(path);
      if (file.status() == RegularFile::Status::NotRegular || file.status() == RegularFile::Status::Missing) continue;
      if (file.ok() && !seen.insert(file.identity()).second) continue;
      // Larger than any sheet: not read, as the sheet reader would not.
      const auto lines = file.ok() && file.size() <= kMaxPlayerFileBytes ? FirstAndLastLine(file) : std::nullopt;
      if (!lines && goOn) {
        scan.unreadableSheets.push_back(path);
        continue;
      }
      if (!lines) {
        scan.unreadable = path;
        return scan;
      }
      if (lines->empty()) continue;
      scan.sheets.push_back(FoundSheet{lines->front(), lines->back(), cp1250::FromUtf8(Utf8(path.filename())), path});
    }
  }
  return scan;
}

std::vector<TurnEntry> TurnEntries(const std::vector<FoundSheet>& sheets, std::string_view key) {
  std::vector<TurnEntry> entries;
  std::map<std::string, int> times;
  for (const FoundSheet& s : sheets)
    if (s.key == key) {
      entries.push_back({s.turn + ". forduló   ("_w + s.name + ")", s.path});
      ++times[entries.back().text];
    }
  // Sheets of one name and turn in two folders: each says where it is.
  for (TurnEntry& entry : entries)
    if (times[entry.text] > 1) entry.text += "   " + cp1250::FromUtf8(Utf8(entry.path.parent_path()));
  std::sort(entries.begin(), entries.end(),
            [](const TurnEntry& a, const TurnEntry& b) { return std::tie(a.text, a.path) < std::tie(b.text, b.path); });
  return entries;
}

}  // namespace mv
