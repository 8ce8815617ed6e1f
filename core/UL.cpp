#include "core/UL.h"

#include <algorithm>
#include <cstdint>

#include "core/CommandCatalogue.h"
#include "core/CommandHandlers.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {
namespace {

// A movement row's parameters count by their first four characters: the
// game reads longer numbers as map coordinates.
long long MovementCellValue(const std::string& cell) {
  const auto value = ParseInteger(cell);
  if (!value) return 0;
  if (cell.size() >= 5) return IntOrZero(std::string_view(cell).substr(0, 4));
  return *value;
}

std::string CheckNumber(const OrderSheet& sheet, const RowStates& states) {
  long long sum = 0;
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    const bool movement = states[r].isMovementRow;
    for (int c = col::kFirstParam; c <= col::kLastParam; ++c) {
      const std::string& cell = sheet.Cell(r, c);
      sum += movement ? MovementCellValue(cell) : IntOrZero(cell);
    }
  }
  return std::to_string(sum);
}

}  // namespace

long long ColumnTotal(const OrderSheet& sheet, int column) {
  long long sum = 0;
  for (int r = 1; r <= OrderSheet::kRows; ++r) sum += IntOrZero(sheet.Cell(r, column));
  return std::max(0LL, sum);
}

bool FrameResetsTVP(std::string_view lowerCode) {
  const CommandEntry* entry = Handlers().ForNumber(CommandCatalogue::Lookup(lowerCode));
  return !entry || !entry->keepsTVP;
}

RowResult Interpret(const OrderSheet& sheet, int row, RowStates& states, const Lookups& lookups) {
  const std::string code = cp1250::Lower(sheet.Cell(row, col::kCode));
  RowResult result;
  const int number = CommandCatalogue::Lookup(code);
  if (!code.empty())
    result.panel.command = number == CommandCatalogue::kUnknown ? std::string("Ismeretlen parancs")
                                                                : std::string(CommandCatalogue::ByNumber(number).name);
  const CommandEntry* entry = Handlers().ForNumber(number);
  // The frame resets the TVP unless the handler decides it.
  result.tvp = entry && entry->keepsTVP ? sheet.Cell(row, col::kTVP) : std::string("0");
  result.kno = "0";

  RowFlags& state = states[row];
  state = RowFlags{};
  state.isMovementRow = code == "m";

  if (entry) {
    HandlerContext context(sheet, row, states, lookups, result);
    entry->handler(context);
    if (entry->after) entry->after(context);
  }
  return result;
}

RowStates InterpretInOrder(const OrderSheet& sheet, const Lookups& lookups, const RowVisitor& visit) {
  RowStates states;
  for (int r = 1; r <= OrderSheet::kRows; ++r) visit(r, Interpret(sheet, r, states, lookups));
  return states;
}

SheetInterpretation InterpretInOrder(const OrderSheet& sheet, const Lookups& lookups) {
  SheetInterpretation out;
  out.states = InterpretInOrder(sheet, lookups,
                                [&](int row, const RowResult& result) { out.rows[std::size_t(row - 1)] = result; });
  return out;
}

RowResult InterpretInOrderUpTo(const OrderSheet& sheet, int row, const Lookups& lookups) {
  RowStates states;
  for (int r = 1; r < row; ++r) Interpret(sheet, r, states, lookups);
  return Interpret(sheet, row, states, lookups);
}

void WriteCosts(OrderSheet& sheet, int row, const RowResult& result) {
  sheet.Cell(row, col::kTVP) = result.tvp;
  sheet.Cell(row, col::kKNO) = result.kno;
}

RecalculatedSheet Recalculated(const OrderSheet& sheet, const Lookups& lookups) {
  RecalculatedSheet out{sheet, InterpretInOrder(sheet, lookups), {}};
  for (int r = 1; r <= OrderSheet::kRows; ++r) WriteCosts(out.sheet, r, out.interpretation.Row(r));
  out.figures = FiguresOf(out.sheet, out.interpretation.states);
  return out;
}

SheetFigures FiguresOf(const OrderSheet& sheet, const RowStates& states) {
  return SheetFigures{CheckNumber(sheet, states), std::to_string(ColumnTotal(sheet, col::kTVP)),
                      std::to_string(ColumnTotal(sheet, col::kKNO))};
}

}  // namespace mv
