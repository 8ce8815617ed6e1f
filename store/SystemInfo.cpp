#include "store/SystemInfo.h"

#include <cstdio>

namespace mv {

std::string LinuxOsName(const std::string& distribution, const std::string& kernel, const std::string& release) {
  return (distribution.empty() ? kernel : distribution) + " (" + kernel + " " + release + ")";
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
