// How a file stands now: its size, its modification time and which file it
// is, to tell whether another program changed it since it was read.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>

namespace mv {

struct FileStamp {
  std::int64_t size = -1;  // -1: not there
  std::int64_t seconds = 0, nanoseconds = 0;
  std::uint64_t file = 0;
  bool operator==(const FileStamp&) const = default;
};

// Following links, as opening the path would.
FileStamp StampOf(const std::filesystem::path& path);

}  // namespace mv
