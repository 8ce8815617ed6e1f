// The whole-sheet check before orders go out ("Ellenőrzés", mvulc check):
// what cannot be meant (errors), what is out of date (warnings) and what the
// lists cannot name (notices). It never changes the sheet it checks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Lookups.h"
#include "core/OrderDocument.h"

namespace mv {

struct SheetProblem {
  enum class Level { Error, Warning, Notice };
  int row = 0;  // 1..20, or 0 for the sheet as a whole
  Level level = Level::Error;
  std::string text;  // Windows-1250, without the row prefix
};

// Interprets rows 1..20 in order from a cleared row state, each row
// starting from its cells as they stand; the figures are those the sheet
// holds (shown or stored). A TVP total (as the loop gives it) above the
// character's budget for the turn is an error of the sheet.
std::vector<SheetProblem> CheckSheet(const SheetContent& sheet, const Lookups& lookups,
                                     std::optional<long long> tvpBudget = std::nullopt);

// "<row>. sor: <text>", or the text alone for the sheet as a whole.
std::string ProblemLine(const SheetProblem& problem);
// "error", "warning", "notice".
const char* LevelName(SheetProblem::Level level);
int CountErrors(const std::vector<SheetProblem>& problems);

}  // namespace mv
