// What a sheet's orders leave of the TVP the character has for the turn:
// one rule for "Maradék" under the grid, the check and the turn's states.
#pragma once

#include "core/UL.h"

namespace mv {

struct TvpLeft {
  long long amount = 0;  // negative: more than the budget
  bool atMost = false;   // a row costs "vált": the orders may leave less
  bool over() const { return amount < 0; }
};

// tvpTotal: the in-order total, as the whole-sheet loop counts it.
inline TvpLeft TvpLeftOf(long long budget, long long tvpTotal, bool variableCost) {
  return {budget - tvpTotal, variableCost};
}

// A row of the in-order interpretation costs "vált".
bool HasVariableCost(const RecalculatedSheet& fresh);

TvpLeft TvpLeftOf(long long budget, const RecalculatedSheet& fresh);

}  // namespace mv
