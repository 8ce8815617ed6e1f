#include "store/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <thread>

#include "core/Cp1250.h"
#include "platform/Clock.h"
#include "platform/RegularFile.h"
#include "store/TextFileSeam.h"

namespace mv {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

BoundedRead ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t limit) {
  BoundedRead read;
  const RegularFile file = RegularFile::Open(path);
  if (!file.ok()) {
    read.status =
        file.status() == RegularFile::Status::Missing ? BoundedRead::Status::Missing : BoundedRead::Status::Unreadable;
    return read;
  }
  read.size = file.size();
  if (read.size > limit) {
    read.status = BoundedRead::Status::TooLarge;
    return read;
  }
  read.status = BoundedRead::Status::Read;
  // One byte past the limit tells a file that grew since the look.
  char buffer[65536];
  while (read.bytes.size() <= limit) {
    const std::ptrdiff_t n = file.ReadAt(read.bytes.size(), buffer, sizeof buffer);
    if (n < 0) read.status = BoundedRead::Status::Unreadable;
    if (n <= 0) break;
    read.bytes.append(buffer, std::size_t(n));
  }
  if (read.status == BoundedRead::Status::Read && read.bytes.size() > limit) {
    read.status = BoundedRead::Status::TooLarge;
    read.size = std::max<std::uintmax_t>(read.size, read.bytes.size());
  }
  if (!read.ok()) read.bytes.clear();
  return read;
}

std::string SizeText(std::uintmax_t bytes) {
  char text[32];
  if (bytes < 1024 * 1024) {
    std::snprintf(text, sizeof text, "%ju kB", (bytes + 1023) / 1024);
  } else {
    std::snprintf(text, sizeof text, "%.1f MB", double(bytes) / (1024.0 * 1024.0));
    for (char* c = text; *c; ++c)
      if (*c == '.') *c = ',';
  }
  return text;
}

namespace {
WriteFaultHook writeFault = nullptr;
LockWaitHook lockWait = nullptr;
}  // namespace

void SetWriteFaultHook(WriteFaultHook hook) { writeFault = hook; }
void SetLockWaitHook(LockWaitHook hook) { lockWait = hook; }

namespace seam {

WriteFaultHook WriteFault() { return writeFault; }
LockWaitHook LockWait() { return lockWait; }

bool IsTemporaryName(const std::string& name) {
  const auto mark = name.rfind(kTempMark);
  if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark + kTempMark.size() == name.size())
    return false;
  return std::all_of(name.begin() + std::ptrdiff_t(mark + kTempMark.size()), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace seam

std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
  std::filesystem::path p = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(p, ec)) return p;
    const std::filesystem::path target = std::filesystem::read_symlink(p, ec);
    if (ec) return p;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return p;
}

std::string FileNameTime(std::time_t when) {
  const std::tm local = LocalTime(when);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return stamp;
}

std::string ReadFailureReason(const std::error_code& error) {
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
    return std::string("nincs olvasási jogom"_w);
  return cp1250::FromUtf8(error.message());
}

}  // namespace mv
