#include "puzzles/lvrejtveny.h"

#include <cmath>
#include <numbers>

#include "core/IntegerText.h"
#include "puzzles/NumberFormat.h"

namespace mv {
namespace {

long long In(std::string_view text) { return IntOrZero(text); }

ValleyAnswer Answer(long double value, char decimal) { return {FormatGeneral(value, decimal), FormatRounded(value)}; }

}  // namespace

ValleyResult Cheese(std::string_view weight, std::string_view yourPerimeter, std::string_view hermitPerimeter,
                    char decimal) {
  const long long w = In(weight), k1 = In(yourPerimeter), k2 = In(hermitPerimeter);
  if (w == 0 || k1 == 0 || k2 == 0) return Answer(0, decimal);
  const long double square = (long double)k1 * k1 / 16;
  const long double circle = (long double)k2 * k2 / (4 * std::numbers::pi_v<long double>);
  return Answer(w * (circle - square) / square, decimal);
}

ValleyResult Shells(std::string_view count, char decimal) {
  const long long n = In(count);
  if (n == 0) return Answer(0, decimal);
  const long double inside = 2.0L * n + 0.25L;
  if (inside < 0) return std::nullopt;
  return Answer(std::sqrt(inside) - 0.5L, decimal);
}

ValleyResult Reservoir(std::string_view a, std::string_view b, std::string_view c, std::string_view height,
                       std::string_view saturation, std::string_view consumption, char decimal) {
  const long double A = In(a) / 3.0L, B = In(b) / 3.0L, C = In(c) / 3.0L, H = In(height) / 3.0L;
  const long double T = In(saturation);
  const long double F = IsInteger(consumption) ? In(consumption) : 5;
  if (A == 0 || B == 0 || C == 0 || H == 0 || T == 0 || F == 0) return std::nullopt;
  const long double s = (A + B + C) / 2;
  const long double product = s * (s - A) * (s - B) * (s - C);
  if (product < 0) return std::nullopt;  // no triangle
  const long double volume = std::sqrt(product) * H;
  return Answer((1 - T / 100) * 1000 * volume / F, decimal);
}

SpiceAnswer Spices(std::string_view a1, std::string_view a2, std::string_view priceA, std::string_view b1,
                   std::string_view b2, std::string_view priceB, char decimal) {
  const long long x1 = In(a1), x2 = In(a2), pa = In(priceA), y1 = In(b1), y2 = In(b2), pb = In(priceB);
  const long long det = x2 * y1 - x1 * y2;
  if (x1 == 0 || x2 == 0 || pa == 0 || y1 == 0 || y2 == 0 || pb == 0 || det == 0)
    return {Answer(0, decimal), Answer(0, decimal)};
  const long double first = (long double)(x2 * pb - y2 * pa) / det;
  const long double second = (pa - x1 * first) / x2;
  return {Answer(first, decimal), Answer(second, decimal)};
}

}  // namespace mv
