#include "puzzles/NumberFormat.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mv {

std::string FormatGeneral(long double value, char decimal) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14Le", value);  // 15 significant digits
  std::string text(buffer);
  const auto e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string mantissa = text.substr(0, e);
  const bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits = mantissa.substr(0, 1) + mantissa.substr(2);  // without the point
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent >= 15 || exponent < -5) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += decimal + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out = "0" + std::string(1, decimal) + std::string(std::size_t(-exponent - 1), '0') + digits;
  } else {
    const std::size_t whole = std::size_t(exponent) + 1;
    if (digits.size() <= whole) {
      out = digits + std::string(whole - digits.size(), '0');
    } else {
      out = digits.substr(0, whole) + decimal + digits.substr(whole);
    }
  }
  return negative ? "-" + out : out;
}

std::string FormatRounded(long double value) {
  if (!std::isfinite(value)) return FormatGeneral(value, '.');
  const int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const long double rounded = std::nearbyintl(value);
  std::fesetround(previous);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0Lf", rounded);
  std::string text(buffer);
  return text == "-0" ? "0" : text;
}

}  // namespace mv
