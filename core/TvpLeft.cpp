#include "core/TvpLeft.h"

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {

bool HasVariableCost(const RecalculatedSheet& fresh) {
  for (int r = 1; r <= OrderSheet::kRows; ++r)
    if (fresh.interpretation.Row(r).tvp == "vált"_w) return true;
  return false;
}

TvpLeft TvpLeftOf(long long budget, const RecalculatedSheet& fresh) {
  return TvpLeftOf(budget, IntOrZero(fresh.figures.tvpTotal), HasVariableCost(fresh));
}

}  // namespace mv
