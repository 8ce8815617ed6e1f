// Paths and UTF-8: the program's texts are UTF-8 below the conversion to
// Windows-1250, while a path is bytes on Linux and UTF-16 on Windows. These
// two convert on both without loss.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mv {

inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace mv
