#include "store/SheetScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_set>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
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

std::optional<std::vector<std::string>> FirstAndLastLine(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // A sheet is a few hundred bytes: one read usually holds all of it.
  constexpr std::size_t kChunk = 4096;
  std::string head(kChunk, '\0');
  ssize_t got;
  do got = ::read(fd, head.data(), kChunk);
  while (got < 0 && errno == EINTR);
  if (got < 0) {
    ::close(fd);
    return std::nullopt;
  }
  head.resize(std::size_t(got));
  std::vector<std::string> lines;
  if (head.size() < kChunk) {
    ::close(fd);
    if (head.empty()) return lines;
    return std::vector<std::string>{head.substr(0, head.find_first_of("\r\n")), std::string(LastLine(head))};
  }
  // A long file: its first line from the head, its last from the tail.
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  const std::size_t size = ok ? std::size_t(st.st_size) : 0;
  const auto firstEnd = head.find_first_of("\r\n");
  std::string first = head.substr(0, firstEnd);
  for (std::size_t at = kChunk; ok && firstEnd == std::string::npos && at < size;) {
    char buffer[kChunk];
    const ssize_t n = ::pread(fd, buffer, kChunk, off_t(at));
    if (n <= 0) ok = false;
    const std::string_view more(buffer, n > 0 ? std::size_t(n) : 0);
    const auto end = more.find_first_of("\r\n");
    first.append(more.substr(0, end));
    if (end != std::string_view::npos) break;
    at += more.size();
  }
  std::string tail;
  for (std::size_t want = std::min(size, kChunk); ok; want = std::min(size, want * 4)) {
    tail.resize(want);
    ok = ::pread(fd, tail.data(), want, off_t(size - want)) == ssize_t(want);
    if (!ok) break;
    const std::string_view last = LastLine(tail);
    // Whole only when a line end stands before it, or the tail is the file.
    if (last.data() != tail.data() || want == size) {
      lines = {first, std::string(last)};
      break;
    }
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return lines;
}

}  // namespace

SheetScan ScanSheetFolders(const std::vector<fs::path>& folders, bool goOn) {
  SheetScan scan;
  std::unordered_set<std::string> seen;
  for (const fs::path& folder : folders) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) continue;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& path = it->path();
      if (cp1250::Lower(path.extension().string()) != ".ulf" || !it->is_regular_file(ec)) continue;
      const std::string name = cp1250::FromUtf8(path.filename().string());
      if (seen.count(name)) continue;
      const auto lines = FirstAndLastLine(path);
      if (!lines && goOn) {
        seen.insert(name);
        scan.unreadableSheets.push_back(path);
        continue;
      }
      if (!lines) {
        scan.unreadable = path;
        return scan;
      }
      if (lines->empty()) continue;
      seen.insert(name);
      scan.sheets.push_back(FoundSheet{lines->front(), lines->back(), name, path});
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
