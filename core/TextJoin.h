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

// "a" or "az" before a number as Hungarian reads it aloud: "az 1.", "a 12.",
// "az 5.", "a 100.", "az 1000.".
inline std::string_view NumberArticle(long long n) {
  if (n < 0) n = -n;
  // The leading group of thousands is what is said first; 1000..1999 is "ezer".
  while (n >= 1000) {
    if (n < 2000) return "az";
    n /= 1000;
  }
  const long long first = n >= 100 ? n / 100 : n >= 10 ? n / 10 : n;
  const bool one = n < 10 && first == 1;  // "egy"; "tíz" and "száz" are not
  return one || first == 5 ? "az" : "a";
}

// A typed text that must stay on one line of a file or a mail header:
// each CR and LF becomes a blank.
inline std::string OnOneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace mv
