// Texts are Windows-1250 literals ("..."_w) joined with std::string; these
// let them join without spelling out conversions at every line.
#pragma once

#include <string>
#include <string_view>

namespace mv {

inline std::string operator+(std::string a, std::string_view b) { return a.append(b); }
inline std::string operator+(std::string_view a, const std::string& b) { return std::string(a).append(b); }
inline std::string operator+(std::string_view a, std::string_view b) { return std::string(a).append(b); }
inline std::string Dec(long long value) { return std::to_string(value); }

// A typed text that must stay on one line of a file or a mail header:
// each CR and LF becomes a blank.
inline std::string OnOneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace mv
