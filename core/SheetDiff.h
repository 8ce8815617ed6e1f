// "Mi változott?": what differs between two sheets of one character, row by
// row. Rows are matched by their code and parameters, so a row that only
// moved is "moved", not removed and added again.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/OrderSheet.h"

namespace mv {

// One side as the letter carries it: the rows' codes and parameters (costs
// play no part), the sheet's fields by their letter keys, and the in-order
// TVP total and row names, which only tell and are not compared.
struct DiffSide {
  std::array<OrderRow, OrderSheet::kRows> rows;  // rows[0] is row 1
  std::vector<std::pair<std::string, std::string>> fields;
  std::string tvpTotal = "0";
  std::array<std::string, OrderSheet::kRows> names;  // Windows-1250
};

enum class RowChange { Same, Added, Removed, Changed, Moved };
// "same", "added", ... as mvulc's JSON names them.
std::string_view RowChangeKey(RowChange change);

struct RowDiff {
  int a = 0;  // row on side A, 1..20; 0 for an added row
  int b = 0;  // row on side B; 0 for a removed row
  RowChange change = RowChange::Same;
  std::vector<int> params;  // of a changed row: 1..6
  bool operator==(const RowDiff&) const = default;
};

struct SheetDiff {
  std::vector<RowDiff> rows;        // every non-blank row of either side, in B's order
  std::vector<std::string> fields;  // the letter keys whose values differ
  std::string tvpA, tvpB;
  // The orders are the same: no row and no field differs.
  bool same() const;
};

SheetDiff DiffSheets(const DiffSide& a, const DiffSide& b);

}  // namespace mv
