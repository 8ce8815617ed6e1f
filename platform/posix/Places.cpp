#include "platform/Places.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace mv {

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::optional<std::filesystem::path> PerUserDataDirectory() {
  if (const char* value = std::getenv("XDG_DATA_HOME"); value && *value == '/') return value;
  if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".local/share";
  return std::nullopt;
}

bool IsWritableFolder(const std::filesystem::path& dir) { return ::access(dir.c_str(), W_OK) == 0; }

bool MakePrivateDirectory(const std::filesystem::path& dir) {
  // The umask must not open it to others.
  return ::mkdir(dir.c_str(), 0700) == 0 && ::chmod(dir.c_str(), 0700) == 0;
}

}  // namespace mv
