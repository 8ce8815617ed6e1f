// "Keresés az UL-ekben…": every sheet the board sees, every turn of every
// character, searched for a code, a value or a name from the lists.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/DataList.h"
#include "core/SheetSearch.h"
#include "turn/TurnStatus.h"

namespace mv {

struct SearchResult {
  std::string character;
  long long turn = 0;
  std::filesystem::path sheet;
  SheetHit hit;
};

// By character as the board lists them, then by turn and row. Sheets that
// cannot be read are passed over (the board names them).
std::vector<SearchResult> SearchTurns(const TurnOverview& overview, const ReferenceLists& lists,
                                      const OrderSearch& search);

}  // namespace mv
