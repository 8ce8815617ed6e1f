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
  // The question before a letter goes names it (every error does too).
  bool asksBeforeSending = false;
};

// What the files know of the sheet's character: its budget for the turn,
// and the newest turn it has a sheet or a kept letter of.
struct CharacterFacts {
  std::optional<long long> tvpBudget;
  std::optional<long long> newestTurn;
};

// Interprets rows 1..20 in order from a cleared row state, each row
// starting from its cells as they stand; the figures are those the sheet
// holds (shown or stored). A TVP total (as the loop gives it) above the
// character's budget for the turn is an error of the sheet; a turn below
// the character's newest one is a warning that the question before
// sending names.
std::vector<SheetProblem> CheckSheet(const SheetContent& sheet, const Lookups& lookups,
                                     const CharacterFacts& facts = {});

// "<row>. sor: <text>", or the text alone for the sheet as a whole.
std::string ProblemLine(const SheetProblem& problem);
// "error", "warning", "notice".
const char* LevelName(SheetProblem::Level level);
int CountErrors(const std::vector<SheetProblem>& problems);

}  // namespace mv
