// Whole-file reads and all-or-nothing writes of the player's files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// Lines split at CR, LF and CR LF; a last line without an end mark counts.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// The file a path finally names when it is a symbolic link (or a chain of
// them); the path itself otherwise.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it and renames it over
// the target, so the old file stays whole on any failure. Returns false on
// failure and leaves the target untouched. A symbolic link stays a link: the
// file it points to is replaced. A file that is replaced keeps its
// permissions; a new one gets newFileMode (before the umask). A private mode
// (no group or other bits) also takes those bits from an existing file. The
// temporary file is readable by its owner only and locked while written.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0644);

// Removes the temporary files of WriteFileAtomically in a folder that no
// running program is writing (left by a killed or crashed save).
void RemoveStaleTemporaryFiles(const std::filesystem::path& dir);

// An advisory lock (flock) on a lock file, created 0600 when missing,
// released when the object goes.
class FileLock {
 public:
  FileLock() = default;
  // Waits for the lock; not held when the lock file cannot be opened.
  static FileLock Exclusive(const std::filesystem::path& lockFile);
  // Does not wait: not held when another process has it.
  static FileLock TryExclusive(const std::filesystem::path& lockFile);
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  bool held() const { return fd_ >= 0; }

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// Tests make writes fail as a full disk would: while a hook is set, every
// write whose target it accepts stops after half of its bytes.
using WriteFaultHook = bool (*)(const std::filesystem::path& target);
void SetWriteFaultHook(WriteFaultHook hook);

}  // namespace mv
