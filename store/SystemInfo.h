// What the about box says about the machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mv {

// The about box's system text: distribution, kernel and release.
std::string LinuxOsName(const std::string& distribution, const std::string& kernel, const std::string& release);
// This machine's text.
std::string CurrentOsName();

struct MemoryStatus {
  std::uint64_t totalKilobytes = 0;
  int loadPercent = 0;
};
std::optional<MemoryStatus> CurrentMemory();
// "16 318 432 KB" with the given thousands separator.
std::string FormatKilobytes(std::uint64_t kilobytes, char separator);

}  // namespace mv
