// "UL a következő fordulóra": the sheet of turn N+1 made from a sheet of
// turn N, so that the orders that repeat need not be typed again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Lookups.h"
#include "core/OrderDocument.h"

namespace mv {

// The same rows with their costs interpreted again in order, the same flags
// and delivery form, the extra turn and the queued sheet cleared, the same
// character; nothing when the sheet's turn is not a valid turn.
std::optional<SheetContent> NextTurnSheet(const SheetContent& sheet, const Lookups& lookups);

}  // namespace mv
