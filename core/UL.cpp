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

void CommandInterpreter::InterpretRow() {
  const int row = model_.currentRow;
  const std::string code = cp1250::Lower(model_.sheet.Cell(row, col::kCode));
  model_.panel.Clear();

  const int number = CommandCatalogue::Lookup(code);
  if (!code.empty())
    model_.panel.command = number == CommandCatalogue::kUnknown ? std::string("Ismeretlen parancs")
                                                                : std::string(CommandCatalogue::ByNumber(number).name);

  if (FrameResetsTVP(code)) SetRowTVP(row, "0");

  // The row's state is reset before the check number is summed, so that a
  // row just typed as a movement order counts as one at once.
  RowFlags& state = model_.rowState[row];
  state = RowFlags{};
  state.isMovementRow = code == "m";

  UpdateCheckNumber();
  SetRowKNO(row, "0");

  if (const CommandEntry* entry = Handlers().ForNumber(number)) {
    HandlerContext context(*this, row);
    entry->handler(context);
    if (entry->after) entry->after(context);
  }
}

void CommandInterpreter::SetRowTVP(int row, std::string_view text) {
  model_.sheet.Cell(row, col::kTVP) = std::string(text);
  model_.figures.tvpTotal = std::to_string(ColumnTotal(model_.sheet, col::kTVP));
}

void CommandInterpreter::SetRowKNO(int row, std::string_view text) {
  model_.sheet.Cell(row, col::kKNO) = std::string(text);
  model_.figures.knoTotal = std::to_string(ColumnTotal(model_.sheet, col::kKNO));
}

void CommandInterpreter::UpdateCheckNumber() {
  long long sum = 0;
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    const bool movement = model_.rowState[r].isMovementRow;
    for (int c = col::kFirstParam; c <= col::kLastParam; ++c) {
      const std::string& cell = model_.sheet.Cell(r, c);
      sum += movement ? MovementCellValue(cell) : IntOrZero(cell);
    }
  }
  model_.figures.checkNumber = std::to_string(sum);
}

}  // namespace mv
