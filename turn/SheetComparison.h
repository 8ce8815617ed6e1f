// "Mi változott?" between files: a sheet and another sheet, the sheet of
// the turn before, or the letter kept when the sheet's turn was sent. Both
// sides are read as the letter carries them, so that what the states call
// "changed since it was sent" is what the comparison shows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/DataList.h"
#include "core/Lookups.h"
#include "core/OrderDocument.h"
#include "core/SheetDiff.h"

namespace mv {

DiffSide SideOfSheet(const SheetContent& sheet, const Lookups& lookups);
// The orders of a kept letter: its rows and the sheet's fields it carries.
DiffSide SideOfLetter(const std::vector<std::string>& letterLines, const Lookups& lookups);

struct Comparison {
  std::string error;  // Windows-1250: why there is nothing to compare; empty when there is
  SheetDiff diff;
  DiffSide a, b;                // the two sides, as compared
  std::filesystem::path other;  // what the sheet was compared with
  bool ok() const { return error.empty(); }
};

Comparison CompareSheets(const SheetContent& a, const SheetContent& b, const Lookups& lookups);
Comparison CompareSheetFiles(const std::filesystem::path& a, const std::filesystem::path& b, const Lookups& lookups);
// Against the newest letter kept for the sheet's character and turn.
Comparison CompareWithSent(const SheetContent& sheet, const std::filesystem::path& programDir, const Lookups& lookups);
// Against the character's sheet of the turn before, where the board finds it.
Comparison CompareWithTurnBefore(const SheetContent& sheet, const std::vector<std::filesystem::path>& sheetFolders,
                                 const Lookups& lookups);

}  // namespace mv
