// The interpreter: what an order row means (its name, description lines and
// costs) as a function of the sheet, the row and the rows above it. It reads
// no cursor and writes no cell; callers decide what to show and keep.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/Lookups.h"
#include "core/OrderSheet.h"

namespace mv {

// What interpreting a row leaves for the rows below it.
struct RowFlags {
  std::int32_t repeatCount = 0;
  bool atTrader = false;
  bool atAuction = false;
  std::int32_t huntCount = 0;
  bool isMovementRow = false;
  bool raidRow = false;
  bool inHall = false;
};

// One RowFlags per row; index 0 stays zero so that row 1 reads a neutral
// "row above".
struct RowStates {
  std::array<RowFlags, OrderSheet::kRows + 1> rows{};
  void Clear() { rows.fill(RowFlags{}); }
  RowFlags& operator[](int row) { return rows.at(std::size_t(row)); }
  const RowFlags& operator[](int row) const { return rows.at(std::size_t(row)); }
};

// "Parancs" group: the command's name and eight description lines.
struct DescriptionPanel {
  std::string command;               // LabelParancs
  std::array<std::string, 8> lines;  // LabelD1 .. LabelD8
  void Clear() {
    command.clear();
    for (auto& l : lines) l.clear();
  }
  bool operator==(const DescriptionPanel&) const = default;
};

// The three captions under the grid.
struct SheetFigures {
  std::string checkNumber = "0";  // RxLabelEllsz
  std::string tvpTotal = "0";     // RxLabelOsszTVP
  std::string knoTotal = "0";     // RxLabelOsszKNO
  bool operator==(const SheetFigures&) const = default;
};

// A row's meaning: the panel and the row's TVP and KNO cells.
struct RowResult {
  DescriptionPanel panel;
  std::string tvp;
  std::string kno;
};

// Interprets one row against the states of the rows above it; its own state
// in `states` is replaced.
RowResult Interpret(const OrderSheet& sheet, int row, RowStates& states, const Lookups& lookups);

// Rows 1..20 in order from a cleared row state: the one loop behind
// "Újraszámolás", the whole-sheet check, mvulc and the help examples.
struct SheetInterpretation {
  std::array<RowResult, OrderSheet::kRows> rows;
  RowStates states;
  const RowResult& Row(int row) const { return rows.at(std::size_t(row - 1)); }
};
SheetInterpretation InterpretInOrder(const OrderSheet& sheet, const Lookups& lookups);
// The same loop, telling each row's result as soon as it is known.
using RowVisitor = std::function<void(int row, const RowResult& result)>;
RowStates InterpretInOrder(const OrderSheet& sheet, const Lookups& lookups, const RowVisitor& visit);

// Row `row` as the in-order loop gives it, computed on scratch states.
RowResult InterpretInOrderUpTo(const OrderSheet& sheet, int row, const Lookups& lookups);

// Writes the row's costs into the sheet.
void WriteCosts(OrderSheet& sheet, int row, const RowResult& result);

// What "Újraszámolás" makes of a sheet: every row's costs as the in-order
// loop gives them, and the figures of the result.
struct RecalculatedSheet {
  OrderSheet sheet;
  SheetInterpretation interpretation;
  SheetFigures figures;
};
RecalculatedSheet Recalculated(const OrderSheet& sheet, const Lookups& lookups);

// The figures of a sheet whose rows were interpreted into `states`.
SheetFigures FiguresOf(const OrderSheet& sheet, const RowStates& states);

// An "Össz" figure: the column's costs summed as the totals count them
// (text that is no integer counts 0), a negative sum shown as 0.
long long ColumnTotal(const OrderSheet& sheet, int column);

// Whether the frame resets the row's TVP cell before the handler runs; the
// handlers of these codes decide themselves.
bool FrameResetsTVP(std::string_view lowerCode);

}  // namespace mv
