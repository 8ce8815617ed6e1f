// The files of the player on Linux: whole writes through a locked
// temporary file and rename or link, flock for mv.ini's lock.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <thread>

#include "core/Cp1250.h"
#include "store/TextFile.h"
#include "store/TextFileSeam.h"

namespace mv {

namespace {

using seam::IsTemporaryName;
using seam::kTempMark;

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
    for (int attempt = 0; attempt < 10 && handle_ < 0; ++attempt) {
      path_ = dir / ("." + forName + std::string(kTempMark) + std::to_string(seed() % 1000000));
      handle_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (handle_ < 0 && errno != EEXIST) break;
    }
    // Checked, in case a starting copy removed it just before the lock.
    if (handle_ >= 0 && (::flock(handle_, LOCK_EX) != 0 || !SameFile(handle_, path_))) Close(false);
  }
  ~TemporaryFile() { Close(false); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool open() const { return handle_ >= 0; }
  const std::filesystem::path& path() const { return path_; }

  // The bytes on disk with their final mode (umask applied as open() would).
  bool Write(std::string_view bytes, mode_t mode, bool injectedFault) {
    std::size_t done = 0;
    const std::size_t limit = injectedFault ? bytes.size() / 2 : bytes.size();
    bool ok = open();
    while (ok && done < limit) {
      const ssize_t n = ::write(handle_, bytes.data() + done, limit - done);
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
    return ok && ::fchmod(handle_, mode & ~mask) == 0 && ::fsync(handle_) == 0;
  }

  // Ends the file: kept (renamed or linked elsewhere already) or removed.
  // errno stays as the failure left it.
  void Close(bool kept) {
    if (handle_ < 0) return;
    const int error = errno;
    if (!kept) ::unlink(path_.c_str());
    ::close(handle_);
    handle_ = -1;
    errno = error;
  }

 private:
  std::filesystem::path path_;
  int handle_ = -1;
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
  const bool ok = temp.Write(bytes, mode, seam::WriteFault() && seam::WriteFault()(path)) &&
                  ::rename(temp.path().c_str(), path.c_str()) == 0;
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
  if (!temp.Write(bytes, mode_t(mode), seam::WriteFault() && seam::WriteFault()(dir / first))) return std::nullopt;
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

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return std::string("megtelt a lemez"_w);
    case EACCES:
    case EPERM:
    case EROFS: return std::string("nincs írási jogom"_w);
    case EBUSY: return std::string("egy másik program használja a fájlt"_w);
    default: return cp1250::FromUtf8(std::strerror(error));
  }
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
      if (waited && seam::LockWait()) seam::LockWait()(false);
      ::close(fd);
      return {};
    }
    if (!waited && seam::LockWait()) seam::LockWait()(true);
    waited = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (waited && seam::LockWait()) seam::LockWait()(false);
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
    if (handle_ >= 0) ::close(int(handle_));
    handle_ = other.handle_;
    other.handle_ = -1;
  }
  return *this;
}

FileLock::~FileLock() {
  if (handle_ >= 0) ::close(int(handle_));
}

}  // namespace mv
