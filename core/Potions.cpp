#include "core/Potions.h"

#include <algorithm>
#include <cstdint>

#include "core/CommandHandlers.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {
namespace {

constexpr int kEmptySlot = 999;

}  // namespace

std::string PotionCaption(std::string_view line, const Lookups& lookups) {
  if (line.empty()) return {};
  const bool secondIsBlank = line.size() >= 2 && line[1] == ' ';
  if (secondIsBlank) return {};
  if (line[0] == '0') return lookups.ItemName(line.substr(1, 2));
  return lookups.ItemName(line.substr(0, 3));
}

std::string PotionRecipeKey(const std::array<std::string, 5>& components) {
  std::array<std::int32_t, 5> v{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    const auto n = ParseInteger(components[i]);
    v[i] = n && *n >= 1 ? *n : kEmptySlot;
  }
  std::sort(v.begin(), v.end());

  // A smallest component below 20 is a herb count, not part of the recipe.
  std::string key;
  if (v[0] != kEmptySlot && v[0] >= 20) key = std::to_string(v[0]);
  if (v[1] != kEmptySlot && v[0] < 20)
    key = std::to_string(v[1]);
  else
    key += " " + std::to_string(v[1]);
  for (std::size_t i = 2; i < v.size(); ++i)
    if (v[i] != kEmptySlot) key += " " + std::to_string(v[i]);
  return key;
}

void PotionRecipeHint(HandlerContext& c) {
  if (c.P(1) != "14") return;
  const std::vector<std::string>& potions = c.Potions();
  if (potions.empty()) return;

  std::array<std::string, 5> components;
  for (int k = 2; k <= 6; ++k) components[std::size_t(k - 2)] = c.P(k);
  const std::string key = PotionRecipeKey(components);

  std::string& hint = c.D(8);
  for (const std::string& line : potions) {
    const std::string_view recipe = line.size() > 4 ? std::string_view(line).substr(4, 18) : std::string_view{};
    if (recipe != key) continue;
    if (line.size() >= 3 && line[1] == '0' && line[2] == '0') {
      hint = "Sikertelen próbálkozás"_w;
    } else {
      const std::string_view result =
          line[0] == '0' ? std::string_view(line).substr(1, 2) : std::string_view(line).substr(0, 3);
      hint = c.Names().ItemName(result);
    }
    return;
  }
  hint = "Ismeretlen próbálkozás"_w;
}

void WriteBrewingRow(OrderSheet& sheet, int r, std::string_view text) {
  sheet.Cell(r, col::kCode) = "h";
  sheet.Cell(r, col::kFirstParam) = "14";
  int cell = col::kFirstParam + 1;
  if (std::count(text.begin(), text.end(), ' ') <= 4) sheet.Cell(r, cell++) = "1";

  // Components from the fifth character: digit runs, each followed by one
  // separator; they run on into the cost cells and are dropped after KNO.
  std::size_t pos = 4;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '0' && text[pos] <= '9'))) {
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (cell <= col::kKNO) sheet.Cell(r, cell++) = std::string(text.substr(pos, end - pos));
    pos = end + 1;
  }
}

}  // namespace mv
