#include "store/SheetScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

namespace {

// The first and the last line of a file as SplitLines would give them,
// reading only the two ends; nothing when it cannot be read, an empty list
// for an empty file.
std::optional<std::vector<std::string>> FirstAndLastLine(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  const std::size_t size = std::size_t(st.st_size);
  auto readAt = [&](std::size_t from, std::size_t length, std::string& out) {
    out.resize(length);
    std::size_t done = 0;
    while (done < length) {
      const ssize_t n = ::pread(fd, out.data() + done, length - done, off_t(from + done));
      if (n <= 0) return false;
      done += std::size_t(n);
    }
    return true;
  };
  std::vector<std::string> lines;
  std::string head, tail;
  bool ok = true;
  if (size > 0) {
    // The first line: grow the read until a line end shows.
    for (std::size_t want = std::min<std::size_t>(size, 128);; want = std::min(size, want * 4)) {
      if (!(ok = readAt(0, want, head))) break;
      const auto end = head.find_first_of("\r\n");
      if (end != std::string::npos || want == size) {
        lines.push_back(head.substr(0, end));
        break;
      }
    }
    // The last line: after the last line end that is not the file's own end.
    for (std::size_t want = std::min<std::size_t>(size, 256); ok; want = std::min(size, want * 4)) {
      if (!(ok = readAt(size - want, want, tail))) break;
      std::string_view body(tail);
      if (body.ends_with("\r\n"))
        body.remove_suffix(2);
      else if (body.ends_with("\n") || body.ends_with("\r"))
        body.remove_suffix(1);
      const auto brk = body.find_last_of("\r\n");
      if (brk != std::string_view::npos) {
        lines.push_back(std::string(body.substr(brk + 1)));
        break;
      }
      if (want == size) {  // one line only
        lines.push_back(std::string(body));
        break;
      }
    }
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return lines;
}

}  // namespace

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
      const auto lines = FirstAndLastLine(path);
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
