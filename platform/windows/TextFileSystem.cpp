// The files of the player on Windows: whole writes through a temporary file
// renamed over the target while still open (so no other copy can take it
// for a leftover), LockFileEx for mv.ini's lock. errno carries the reason
// as on Linux, so that the messages are the same.
#include <windows.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "core/Cp1250.h"
#include "store/TextFile.h"
#include "store/TextFileSeam.h"

namespace mv {
namespace {

using seam::IsTemporaryName;
using seam::kTempMark;

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    default: return EIO;
  }
}

bool Fail() {
  errno = ErrnoOf(::GetLastError());
  return false;
}

// A file open in another program without sharing its deletion cannot be
// replaced; Windows says only "access denied", as for a protected one.
bool FailReplacing(const std::filesystem::path& target) {
  const DWORD error = ::GetLastError();
  if (error == ERROR_ACCESS_DENIED) {
    HANDLE probe = ::CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION) {
      errno = EBUSY;
      return false;
    }
    if (probe != INVALID_HANDLE_VALUE) ::CloseHandle(probe);
  }
  errno = ErrnoOf(error);
  return false;
}

// Renames an open file; the handle must have been opened with DELETE.
bool RenameOpen(HANDLE file, const std::filesystem::path& target, bool replace) {
  const std::wstring name = target.wstring();
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = replace ? TRUE : FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = DWORD(name.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, name.data(), name.size() * sizeof(wchar_t));
  return ::SetFileInformationByHandle(file, FileRenameInfo, info, DWORD(buffer.size())) != 0;
}

// A temporary file of ours beside its target, open (which keeps a cleaner
// of another copy from it) until it is renamed or removed.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& dir, const std::filesystem::path& forName) {
    std::random_device seed;
    for (int attempt = 0; attempt < 10 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      std::filesystem::path name = ".";
      name += forName;
      name += std::string(kTempMark) + std::to_string(seed() % 1000000);
      path_ = dir / name;
      handle_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
        Fail();
        break;
      }
    }
  }
  ~TemporaryFile() { Close(false); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool open() const { return handle_ != INVALID_HANDLE_VALUE; }

  bool Write(std::string_view bytes, bool injectedFault) {
    if (!open()) return false;
    std::size_t done = 0;
    const std::size_t limit = injectedFault ? bytes.size() / 2 : bytes.size();
    while (done < limit) {
      DWORD n = 0;
      const DWORD chunk = DWORD(std::min<std::size_t>(limit - done, 1u << 20));
      if (!::WriteFile(handle_, bytes.data() + done, chunk, &n, nullptr) || n == 0) return Fail();
      done += n;
    }
    if (injectedFault) {
      errno = ENOSPC;
      return false;
    }
    return ::FlushFileBuffers(handle_) != 0 || Fail();
  }

  bool RenameTo(const std::filesystem::path& target, bool replace) {
    if (!RenameOpen(handle_, target, replace)) return replace ? FailReplacing(target) : Fail();
    renamed_ = true;
    return true;
  }

  // Ends the file: kept under its new name, or removed. errno stays.
  void Close(bool kept) {
    if (!open()) return;
    const int error = errno;
    if (!kept && !renamed_) {
      FILE_DISPOSITION_INFO gone{TRUE};
      ::SetFileInformationByHandle(handle_, FileDispositionInfo, &gone, sizeof gone);
    }
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    errno = error;
  }

 private:
  std::filesystem::path path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool renamed_ = false;
};

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes, unsigned) {
  const std::filesystem::path path = ResolveLinks(requested);
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  // A write-protected file is respected: renaming over it would not.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    errno = EACCES;
    return false;
  }
  TemporaryFile temp(dir, path.filename());
  const WriteFaultHook fault = seam::WriteFault();
  const bool ok = temp.Write(bytes, fault && fault(path)) && temp.RenameTo(path, true);
  temp.Close(ok);
  return ok;
}

std::optional<std::filesystem::path> WriteNewFile(const std::filesystem::path& dir, std::string_view base,
                                                  std::string_view extension, std::string_view bytes, unsigned,
                                                  int names) {
  const auto nameFor = [&](int n) {
    return std::string(base) + (n == 1 ? "" : "-" + std::to_string(n)) + std::string(extension);
  };
  const std::string first = nameFor(1);
  TemporaryFile temp(dir, std::filesystem::path(std::u8string(first.begin(), first.end())));
  const WriteFaultHook fault = seam::WriteFault();
  if (!temp.Write(bytes, fault && fault(dir / first))) return std::nullopt;
  // A rename that does not replace: two writes of one name both stay.
  for (int n = 1; n <= names; ++n) {
    const std::string name = nameFor(n);
    const std::filesystem::path target = dir / std::filesystem::path(std::u8string(name.begin(), name.end()));
    if (temp.RenameTo(target, false)) {
      temp.Close(true);
      return target;
    }
    if (errno != EEXIST) break;
  }
  return std::nullopt;
}

std::string WriteFailureReason(int error) {
  switch (error) {
    case ENOSPC: return std::string("megtelt a lemez"_w);
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
    const auto name = it->path().filename().u8string();
    if (!IsTemporaryName(std::string(name.begin(), name.end())) || !it->is_regular_file(ec)) continue;
    // Opened alone only when no copy writes it; removed as it closes.
    HANDLE file =
        ::CreateFileW(it->path().c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
}

namespace {

HANDLE OpenLockFile(const std::filesystem::path& lockFile) {
  return ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_HIDDEN, nullptr);
}

bool Lock(HANDLE file, bool wait) {
  OVERLAPPED at{};
  return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY), 0, 1, 0, &at) != 0;
}

}  // namespace

FileLock FileLock::Exclusive(const std::filesystem::path& lockFile) {
  HANDLE file = OpenLockFile(lockFile);
  if (file == INVALID_HANDLE_VALUE) return {};
  if (!Lock(file, true)) {
    ::CloseHandle(file);
    return {};
  }
  return FileLock(reinterpret_cast<std::intptr_t>(file));
}

FileLock FileLock::Within(const std::filesystem::path& lockFile, std::chrono::milliseconds timeout, Failure& failure) {
  failure = Failure::None;
  HANDLE file = OpenLockFile(lockFile);
  if (file == INVALID_HANDLE_VALUE) {
    failure = Failure::Unusable;
    return {};
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const LockWaitHook hook = seam::LockWait();
  bool waited = false;
  while (!Lock(file, false)) {
    const DWORD error = ::GetLastError();
    if ((error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) || std::chrono::steady_clock::now() >= deadline) {
      failure = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? Failure::Busy : Failure::Unusable;
      if (waited && hook) hook(false);
      ::CloseHandle(file);
      return {};
    }
    if (!waited && hook) hook(true);
    waited = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (waited && hook) hook(false);
  return FileLock(reinterpret_cast<std::intptr_t>(file));
}

FileLock FileLock::TryExclusive(const std::filesystem::path& lockFile) {
  HANDLE file = OpenLockFile(lockFile);
  if (file == INVALID_HANDLE_VALUE) return {};
  if (!Lock(file, false)) {
    ::CloseHandle(file);
    return {};
  }
  return FileLock(reinterpret_cast<std::intptr_t>(file));
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = other.handle_;
    other.handle_ = -1;
  }
  return *this;
}

FileLock::~FileLock() {
  if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace mv
