// The about box's system data on Linux: /etc/os-release, uname and /proc/meminfo.
#include <sys/utsname.h>

#include <fstream>

#include "store/SystemInfo.h"

namespace mv {

std::string CurrentOsName() {
  std::string pretty;
  std::ifstream release("/etc/os-release");
  for (std::string line; std::getline(release, line);) {
    if (!line.starts_with("PRETTY_NAME=")) continue;
    pretty = line.substr(12);
    if (pretty.size() >= 2 && pretty.front() == '"' && pretty.back() == '"')
      pretty = pretty.substr(1, pretty.size() - 2);
  }
  utsname uts{};
  if (::uname(&uts) != 0) return LinuxOsName(pretty, "Linux", "");
  return LinuxOsName(pretty, uts.sysname, uts.release);
}

std::optional<MemoryStatus> CurrentMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::uint64_t total = 0, available = 0;
  for (std::string key; meminfo >> key;) {
    std::uint64_t value = 0;
    meminfo >> value;
    if (key == "MemTotal:") total = value;
    if (key == "MemAvailable:") available = value;
    meminfo.ignore(64, '\n');
  }
  if (total == 0) return std::nullopt;
  return MemoryStatus{total, int(100 - available * 100 / total)};
}

}  // namespace mv
