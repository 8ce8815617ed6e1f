// The integer syntax of cell texts, shared by the interpreter, the grid keys
// and the file readers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X" or "0x"; nothing may follow. Decimal values must fit a
// signed 32-bit integer; hexadecimal ones may use all 32 bits and wrap, as the
// game's original tools read them. Anything else is not an integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// The value of the text, or 0 when it is not an integer.
std::int32_t IntOrZero(std::string_view text);

inline bool IsInteger(std::string_view text) { return ParseInteger(text).has_value(); }

// Decimal digits only, at least one (no blank, sign or hex form).
inline bool IsDecimalDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}
// A number field while it is typed: digits only, or nothing yet.
inline bool IsDigitsOrEmpty(std::string_view text) { return text.empty() || IsDecimalDigits(text); }

}  // namespace mv
