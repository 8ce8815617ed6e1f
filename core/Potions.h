// The potion rules in one place: a recipe line of "italok.dat", its menu
// caption, the recipe key of an "h 14" row, the hint the row shows, and the
// row that brewing writes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/Lookups.h"
#include "core/OrderSheet.h"

namespace mv {

class HandlerContext;

// Name on a potion menu item for a line of "italok.dat"; empty for none.
std::string PotionCaption(std::string_view line, const Lookups& lookups);

// Key of a potion recipe from the five component values (P2..P6).
std::string PotionRecipeKey(const std::array<std::string, 5>& components);

// The after-step of "h": on an h 14 row, description line 8 names what the
// brewing yields, from the potion list.
void PotionRecipeHint(HandlerContext& c);

// Writes the brewing row of a recipe line into a sheet row: "h", 14, the
// count when the recipe leaves room, and the components.
void WriteBrewingRow(OrderSheet& sheet, int row, std::string_view recipeLine);

}  // namespace mv
