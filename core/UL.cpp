#include "core/UL.h"

#include <algorithm>
#include <cstdint>

#include "core/CommandCatalogue.h"
#include "core/CommandHandlers.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {
namespace {

constexpr int kEmptySlot = 999;

long long SumColumn(const OrderSheet& sheet, int column) {
  long long sum = 0;
  for (int r = 1; r <= OrderSheet::kRows; ++r) sum += IntOrZero(sheet.Cell(r, column));
  return sum;
}

// A movement row's parameters count by their first four characters: the
// game reads longer numbers as map coordinates.
long long MovementCellValue(const std::string& cell) {
  const auto value = ParseInteger(cell);
  if (!value) return 0;
  if (cell.size() >= 5) return IntOrZero(std::string_view(cell).substr(0, 4));
  return *value;
}

}  // namespace

bool FrameResetsTVP(std::string_view lowerCode) {
  static constexpr std::string_view kKeepTVP[] = {"alc", "h", "k", "kk", "m", "tk", "tr", "v", "sp"};
  return std::find(std::begin(kKeepTVP), std::end(kKeepTVP), lowerCode) == std::end(kKeepTVP);
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

  if (number != CommandCatalogue::kUnknown) {
    if (const CommandHandler* handler = Handlers().ForNumber(number)) {
      HandlerContext context(*this, row);
      (*handler)(context);
    }
  }
  PotionRecipeHint();
}

void CommandInterpreter::SetRowTVP(int row, std::string_view text) {
  model_.sheet.Cell(row, col::kTVP) = std::string(text);
  model_.figures.tvpTotal = std::to_string(std::max(0LL, SumColumn(model_.sheet, col::kTVP)));
}

void CommandInterpreter::SetRowKNO(int row, std::string_view text) {
  model_.sheet.Cell(row, col::kKNO) = std::string(text);
  model_.figures.knoTotal = std::to_string(std::max(0LL, SumColumn(model_.sheet, col::kKNO)));
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

std::string PotionRecipeKey(const std::array<std::string, 5>& components) {
  std::array<std::int32_t, 5> v{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    const auto n = ParseInteger(components[i]);
    v[i] = n && *n >= 1 ? *n : kEmptySlot;
  }
  std::sort(v.begin(), v.end());

  // A smallest component below 20 is a herb count, not part of the recipe.
  std::string key;
  if (v[0] != kEmptySlot && v[0] >= 20) key = std::to_string(v[0]);
  if (v[1] != kEmptySlot && v[0] < 20)
    key = std::to_string(v[1]);
  else
    key += " " + std::to_string(v[1]);
  for (std::size_t i = 2; i < v.size(); ++i)
    if (v[i] != kEmptySlot) key += " " + std::to_string(v[i]);
  return key;
}

void CommandInterpreter::PotionRecipeHint() {
  const int row = model_.currentRow;
  if (cp1250::Upper(model_.sheet.Cell(row, col::kCode)) != "H" || model_.sheet.Param(row, 1) != "14") return;
  const std::vector<std::string>& potions = model_.lists.potions;
  if (potions.empty()) return;

  std::array<std::string, 5> components;
  for (int k = 2; k <= 6; ++k) components[std::size_t(k - 2)] = model_.sheet.Param(row, k);
  const std::string key = PotionRecipeKey(components);

  std::string& hint = model_.panel.lines[7];
  for (const std::string& line : potions) {
    const std::string_view recipe = line.size() > 4 ? std::string_view(line).substr(4, 18) : std::string_view{};
    if (recipe != key) continue;
    if (line.size() >= 3 && line[1] == '0' && line[2] == '0') {
      hint = "Sikertelen próbálkozás"_w;
    } else {
      const std::string_view result =
          line[0] == '0' ? std::string_view(line).substr(1, 2) : std::string_view(line).substr(0, 3);
      hint = lookups_.ItemName(result);
    }
    return;
  }
  hint = "Ismeretlen próbálkozás"_w;
}

}  // namespace mv
