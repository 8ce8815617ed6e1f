#include "store/ProgramDirectory.h"

#include <unistd.h>

#include <cstdlib>

namespace mv {

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::filesystem::path ProgramDirectory() {
  const auto exeDir = ExecutableDirectory();
  if (::access(exeDir.c_str(), W_OK) == 0) return exeDir;

  std::filesystem::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
    data = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    data = std::filesystem::path(home) / ".local" / "share";
  else
    return exeDir;
  data /= "mvul";
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  return data;
}

}  // namespace mv
