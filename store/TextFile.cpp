#include "store/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

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

namespace {
WriteFaultHook writeFault = nullptr;
}

void SetWriteFaultHook(WriteFaultHook hook) { writeFault = hook; }

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

namespace {

constexpr std::string_view kTempMark = ".tmp";

// ".NAME.tmpDIGITS": the temporary files of ours.
bool IsTemporaryName(const std::string& name) {
  const auto mark = name.rfind(kTempMark);
  if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark + kTempMark.size() == name.size())
    return false;
  return std::all_of(name.begin() + std::ptrdiff_t(mark + kTempMark.size()), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

bool SameFile(int fd, const std::filesystem::path& path) {
  struct stat a {
  }, b{};
  return ::fstat(fd, &a) == 0 && ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes, unsigned newFileMode) {
  const std::filesystem::path path = ResolveLinks(requested);
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  std::random_device seed;
  const std::filesystem::path temp =
      dir / ("." + path.filename().string() + std::string(kTempMark) + std::to_string(seed() % 1000000));

  // Keep the permissions of a file we replace (mv.ini is private), and
  // respect a write-protected one: renaming over it would ignore that.
  mode_t mode = mode_t(newFileMode);
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    if ((newFileMode & 077) == 0) mode &= ~mode_t(077);
    // (root passes access(), so the mode bits decide too)
    if (::access(path.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0) return false;
  }

  struct stat folder {};
  if (::stat(dir.c_str(), &folder) == 0 && (folder.st_mode & 0222) == 0) return false;  // a read-only folder

  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  // Locked while written, so that a starting copy does not take it for the
  // leftover of a killed one; checked, in case one did just before the lock.
  bool ok = ::flock(fd, LOCK_EX) == 0 && SameFile(fd, temp);
  std::size_t done = 0;
  const bool injectedFault = writeFault && writeFault(path);
  const std::size_t limit = injectedFault ? bytes.size() / 2 : bytes.size();
  while (ok && done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += std::size_t(n);
  }
  if (injectedFault) {
    errno = ENOSPC;
    ok = false;
  }
  // The final mode, umask applied as open() would.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ok = ok && ::fchmod(fd, mode & ~mask) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  ::close(fd);
  return ok;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& dir) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!IsTemporaryName(name) || !it->is_regular_file(ec)) continue;
    const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, it->path())) ::unlink(it->path().c_str());
    ::close(fd);
  }
}

FileLock FileLock::Exclusive(const std::filesystem::path& lockFile) {
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return {};
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return {};
    }
  }
  return FileLock(fd);
}

FileLock FileLock::TryExclusive(const std::filesystem::path& lockFile) {
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return {};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return {};
  }
  return FileLock(fd);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace mv
