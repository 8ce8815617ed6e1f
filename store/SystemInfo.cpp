#include "store/SystemInfo.h"

#include <sys/utsname.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace mv {

std::string WindowsOsName(int platform, int major, int minor, std::uint32_t build, const std::string& servicePack) {
  std::string name;
  std::uint32_t shownBuild = 0;
  if (platform == 1) {
    name = "Windows 95";
    shownBuild = build & 0xFFFF;
    if (major == 4 && minor == 0 && shownBuild >= 1001) name = "Windows 95 OSR2";
    if (major == 4 && minor == 10 && shownBuild < 2000) name = "Windows 98";
    if (major == 4 && minor == 10 && shownBuild >= 2001) name = "Windows 98 SE";
    if (major == 4 && minor == 90) name = "Windows Me";
  } else if (platform == 2) {
    name = "Windows NT";
    shownBuild = build;
    if (major == 4) name = "Windows NT 4";
    if (major == 5) name = "Windows 2000";
  } else {
    return "Microsoft Windows (Build " + std::to_string(major) + "." + std::to_string(minor) + ")";
  }
  std::string text = "Microsoft " + name + " (Build " + std::to_string(major) + "." + std::to_string(minor) + "." +
                     std::to_string(shownBuild);
  if (!servicePack.empty()) text += " " + servicePack;
  return text + ")";
}

std::string LinuxOsName(const std::string& distribution, const std::string& kernel, const std::string& release) {
  return (distribution.empty() ? kernel : distribution) + " (" + kernel + " " + release + ")";
}

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

std::string FormatKilobytes(std::uint64_t kilobytes, char separator) {
  std::string digits = std::to_string(kilobytes), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out + " KB";
}

}  // namespace mv
