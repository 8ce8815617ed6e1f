// Whole-file reads and all-or-nothing writes of the player's files.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mv {

// Lines split at CR, LF and CR LF; a last line without an end mark counts.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// The largest sheet, recovery copy or notes file the program reads: far above
// any real one, far below what would freeze the window.
inline constexpr std::uintmax_t kMaxPlayerFileBytes = 1u << 20;

struct BoundedRead {
  enum class Status { Read, Missing, TooLarge, Unreadable };
  Status status = Status::Missing;
  std::string bytes;        // for Read
  std::uintmax_t size = 0;  // the file's size, also for TooLarge
  bool ok() const { return status == Status::Read; }
};
// The file's bytes when it holds at most `limit` of them; a larger file is
// not read at all.
BoundedRead ReadFileUpTo(const std::filesystem::path& path, std::uintmax_t limit = kMaxPlayerFileBytes);

// "1,5 MB": a size as a message names it (Windows-1250).
std::string SizeText(std::uintmax_t bytes);

// The file a path finally names when it is a symbolic link (or a chain of
// them); the path itself otherwise.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it and renames it over
// the target, so the old file stays whole on any failure. Returns false on
// failure (errno tells why) and leaves the target untouched. A symbolic link stays a link: the
// file it points to is replaced. A file that is replaced keeps its
// permissions; a new one gets newFileMode (before the umask). A private mode
// (no group or other bits) also takes those bits from an existing file. The
// temporary file is readable by its owner only and locked while written.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0644);

// Writes bytes whole under the first free name of base + extension,
// base + "-2" + extension, ... in dir (at most `names` of them): never
// replaces a file, so two writes in one second both stay. The path written,
// or nothing on failure (errno EEXIST: every name was taken).
std::optional<std::filesystem::path> WriteNewFile(const std::filesystem::path& dir, std::string_view base,
                                                  std::string_view extension, std::string_view bytes, unsigned mode,
                                                  int names = 999);

// "YYYYMMDD-HHMMSS" in local time: the time in the names of kept files.
std::string FileNameTime(std::time_t when);

// Why a write failed, as the player reads it (Windows-1250): "megtelt a
// lemez", "nincs írási jogom", or the system's words.
std::string WriteFailureReason(int error);
// Why a file or folder could not be read (Windows-1250): "nincs olvasási
// jogom", or the system's words.
std::string ReadFailureReason(const std::error_code& error);

// Every temporary file of ours is ".NAME.tmpDIGITS", locked while written.
// Removes those in a folder that no running program is writing (left by a
// killed or crashed write).
void RemoveStaleTemporaryFiles(const std::filesystem::path& dir);

// An advisory lock (flock) on a lock file, created 0600 when missing,
// released when the object goes.
class FileLock {
 public:
  FileLock() = default;
  // Waits for the lock; not held when the lock file cannot be opened.
  static FileLock Exclusive(const std::filesystem::path& lockFile);
  enum class Failure { None, Busy, Unusable };
  // Polls for the lock up to `timeout`, calling waiting(true) once when it
  // must wait and waiting(false) when done. Busy: another process kept it;
  // Unusable: the lock file cannot be opened (a folder, a broken link).
  static FileLock Within(const std::filesystem::path& lockFile, std::chrono::milliseconds timeout, Failure& failure);
  // Does not wait: not held when another process has it.
  static FileLock TryExclusive(const std::filesystem::path& lockFile);
  FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  bool held() const { return handle_ != -1; }

 private:
  explicit FileLock(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_ = -1;  // a descriptor or a handle of the platform
};

// Called with true when a lock must be waited for, false when the wait ends:
// the window shows a busy cursor meanwhile.
using LockWaitHook = void (*)(bool waiting);
void SetLockWaitHook(LockWaitHook hook);

// Tests make writes fail as a full disk would: while a hook is set, every
// write whose target it accepts stops after half of its bytes.
using WriteFaultHook = bool (*)(const std::filesystem::path& target);
void SetWriteFaultHook(WriteFaultHook hook);

}  // namespace mv
