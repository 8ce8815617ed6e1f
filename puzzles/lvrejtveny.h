// The legendary-valley calculators: each gives the exact solution and the
// solution rounded, or nothing when a failed step leaves the fields as they
// were.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mv {

struct ValleyAnswer {
  std::string exact;    // "Megoldás"
  std::string rounded;  // "azaz kerekítve"
};
using ValleyResult = std::optional<ValleyAnswer>;

ValleyResult Cheese(std::string_view weight, std::string_view yourPerimeter, std::string_view hermitPerimeter,
                    char decimal);
ValleyResult Shells(std::string_view count, char decimal);
ValleyResult Reservoir(std::string_view a, std::string_view b, std::string_view c, std::string_view height,
                       std::string_view saturation, std::string_view consumption, char decimal);
struct SpiceAnswer {
  ValleyAnswer first;   // price of item 1
  ValleyAnswer second;  // price of item 2
};
// Always gives an answer: missing inputs or equal proportions give zeros.
SpiceAnswer Spices(std::string_view a1, std::string_view a2, std::string_view priceA, std::string_view b1,
                   std::string_view b2, std::string_view priceB, char decimal);

}  // namespace mv
