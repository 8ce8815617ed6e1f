#include "store/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <thread>

#include "core/Cp1250.h"
#include "platform/RegularFile.h"

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

namespace {

// A folder without write bits is read-only for us too, even as root.
bool IsReadOnlyFolder(const std::filesystem::path& dir) {
  struct stat folder {};
  if (::stat(dir.c_str(), &folder) != 0 || (folder.st_mode & 0222) != 0) return false;
  errno = EACCES;
  return true;
}

// A temporary file of ours beside its target, open, locked and private: a
// starting copy does not take it for the leftover of a killed one.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& dir, const std::string& forName) {
    std::random_device seed;
    for (int attempt = 0; attempt < 10 && fd_ < 0; ++attempt) {
      path_ = dir / ("." + forName + std::string(kTempMark) + std::to_string(seed() % 1000000));
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    // Checked, in case a starting copy removed it just before the lock.
    if (fd_ >= 0 && (::flock(fd_, LOCK_EX) != 0 || !SameFile(fd_, path_))) Close(false);
  }
  ~TemporaryFile() { Close(false); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool open() const { return fd_ >= 0; }
  const std::filesystem::path& path() const { return path_; }

  // The bytes on disk with their final mode (umask applied as open() would).
  bool Write(std::string_view bytes, mode_t mode, bool injectedFault) {
    std::size_t done = 0;
    const std::size_t limit = injectedFault ? bytes.size() / 2 : bytes.size();
    bool ok = open();
    while (ok && done < limit) {
      const ssize_t n = ::write(fd_, bytes.data() + done, limit - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0)
        ok = false;
      else
        done += std::size_t(n);
    }
    if (injectedFault) {
      errno = ENOSPC;
      return false;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ok && ::fchmod(fd_, mode & ~mask) == 0 && ::fsync(fd_) == 0;
  }

  // Ends the file: kept (renamed or linked elsewhere already) or removed.
  // errno stays as the failure left it.
  void Close(bool kept) {
    if (fd_ < 0) return;
    const int error = errno;
    if (!kept) ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    errno = error;
  }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes, unsigned newFileMode) {
  const std::filesystem::path path = ResolveLinks(requested);
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");

  // Keep the permissions of a file we replace (mv.ini is private), and
  // respect a write-protected one: renaming over it would ignore that.
  mode_t mode = mode_t(newFileMode);
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    if ((newFileMode & 077) == 0) mode &= ~mode_t(077);
    // (root passes access(), so the mode bits decide too)
    if (::access(path.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0) {
      errno = EACCES;
      return false;
    }
  }

  if (IsReadOnlyFolder(dir)) return false;
  TemporaryFile temp(dir, path.filename().string());
  const bool ok =
      temp.Write(bytes, mode, writeFault && writeFault(path)) && ::rename(temp.path().c_str(), path.c_str()) == 0;
  temp.Close(ok);
  return ok;
}

std::optional<std::filesystem::path> WriteNewFile(const std::filesystem::path& dir, std::string_view base,
                                                  std::string_view extension, std::string_view bytes, unsigned mode,
                                                  int names) {
  const auto nameFor = [&](int n) {
    return std::string(base) + (n == 1 ? "" : "-" + std::to_string(n)) + std::string(extension);
  };
  const std::string first = nameFor(1);
  if (IsReadOnlyFolder(dir)) return std::nullopt;
  TemporaryFile temp(dir, first);
  if (!temp.Write(bytes, mode_t(mode), writeFault && writeFault(dir / first))) return std::nullopt;
  // A link never replaces a file, so two writes of one name both stay.
  std::optional<std::filesystem::path> kept;
  for (int n = 1; n <= names && !kept; ++n) {
    const std::filesystem::path target = dir / (n == 1 ? first : nameFor(n));
    if (::link(temp.path().c_str(), target.c_str()) == 0)
      kept = target;
    else if (errno != EEXIST)
      break;
  }
  temp.Close(false);
  return kept;
}

std::string FileNameTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return stamp;
}

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return std::string("megtelt a lemez"_w);
    case EACCES:
    case EPERM:
    case EROFS: return std::string("nincs írási jogom"_w);
    default: return cp1250::FromUtf8(std::strerror(error));
  }
}

std::string ReadFailureReason(const std::error_code& error) {
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
    return std::string("nincs olvasási jogom"_w);
  return cp1250::FromUtf8(error.message());
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

FileLock FileLock::Within(const std::filesystem::path& lockFile, std::chrono::milliseconds timeout, Failure& failure) {
  failure = Failure::None;
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    failure = Failure::Unusable;
    return {};
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool waited = false;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      failure = errno == EWOULDBLOCK || errno == EINTR ? Failure::Busy : Failure::Unusable;
      if (waited && lockWait) lockWait(false);
      ::close(fd);
      return {};
    }
    if (!waited && lockWait) lockWait(true);
    waited = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (waited && lockWait) lockWait(false);
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
