#include "core/NextTurn.h"

#include <limits>

namespace mv {

std::optional<SheetContent> NextTurnSheet(const SheetContent& sheet, const Lookups& lookups) {
  const auto turn = ValidTurn(sheet.fields.turn);
  // The next turn must still be a turn the reader takes back.
  if (!turn || *turn >= std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  SheetContent next = sheet;
  next.fields.turn = std::to_string(*turn + 1);
  next.fields.extraTurn = false;
  next.fields.queued = false;
  next.fields.queueCharacter.clear();
  next.fields.queueTurn.clear();
  const RecalculatedSheet fresh = Recalculated(sheet.sheet, lookups);
  next.sheet = fresh.sheet;
  next.figures = fresh.figures;
  return next;
}

}  // namespace mv
