#include "puzzles/Riddles.h"

#include <cmath>
#include <numbers>

#include "core/IntegerText.h"
#include "puzzles/NumberFormat.h"

namespace mv {
namespace {

// Whole-number inputs; the products below are taken in 64 bits so that they
// cannot wrap.
long long In(std::string_view text) { return IntOrZero(text); }

}  // namespace

FieldResult WalkingDistance(std::string_view a, std::string_view b, std::string_view angle, char decimal) {
  const long long x = In(a), y = In(b), deg = In(angle);
  if (x == 0 || y == 0 || deg == 0) return "";
  const long double theta = deg * std::numbers::pi_v<long double> / 180;
  if (theta == 0) return "";
  const long double along = x + y * std::cos(theta), across = y * std::sin(theta);
  return FormatGeneral(std::sqrt(along * along + across * across), decimal);
}

FieldResult Miglands(const std::string_view (&rows)[3][3], std::string_view a4, std::string_view b4, char decimal) {
  long long v[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      if ((v[r][c] = In(rows[r][c])) == 0) return "";
  const long long qa = In(a4), qb = In(b4);
  if (qa == 0 || qb == 0) return "";
  const long long det = v[0][0] * v[1][1] - v[1][0] * v[0][1];
  if (det == 0) return std::nullopt;
  const long double y = (long double)(v[0][0] * v[1][2] - v[1][0] * v[0][2]) / det;
  const long double x = (v[2][2] - v[2][1] * y) / v[2][0];
  return FormatGeneral(qa * x + qb * y, decimal);
}

FieldResult HungryMonsters(std::string_view m1, std::string_view t1, std::string_view food, std::string_view m2,
                           std::string_view t2, char decimal) {
  const long long a = In(m1), b = In(t1), f = In(food), c = In(m2), d = In(t2);
  if (a == 0 || b == 0 || f == 0 || c == 0 || d == 0) return "";
  return FormatGeneral((long double)f / (a * b) * c * d, decimal);
}

FieldResult Offspring(std::string_view a, std::string_view b, std::string_view c, char decimal) {
  const long long A = In(a), B = In(b), C = In(c);
  if (A == 0 || B == 0 || C == 0) return "";
  // 4AC of two 32-bit inputs passes 64 bits.
  const __int128 D = __int128(B) * B + __int128(4) * A * C;
  if (D < 0) return std::nullopt;
  const long double root = std::sqrt((long double)D);
  const long double r1 = (root - B) / (2 * A), r2 = (-B - root) / (2 * A);
  if (r1 > 0 && r2 > 0) return FormatGeneral(r1, decimal) + " vagy " + FormatGeneral(r2, decimal);
  if (r1 > 0) return FormatGeneral(r1, decimal);
  if (r2 > 0) return FormatGeneral(r2, decimal);
  return std::string("nincs megold\xE1s");
}

std::pair<FieldResult, FieldResult> LinearSystem(const std::string_view (&rows)[2][3], char decimal) {
  long long v[2][3];
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c)
      if ((v[r][c] = In(rows[r][c])) == 0) return {"", ""};
  const long long det = v[0][0] * v[1][1] - v[1][0] * v[0][1];
  if (det == 0) return {std::nullopt, std::nullopt};  // y fails first, so x is not reached
  const long double y = (long double)(v[0][0] * v[1][2] - v[1][0] * v[0][2]) / det;
  const long double x = (long double)(v[0][1] * v[1][2] - v[1][1] * v[0][2]) / (v[0][1] * v[1][0] - v[1][1] * v[0][0]);
  return {FormatGeneral(x, decimal), FormatGeneral(y, decimal)};
}

}  // namespace mv
