#include "core/GridEditing.h"

#include <algorithm>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/VirtualKeys.h"

namespace mv {

bool AcceptsTypedCharacter(int column, char32_t ch) {
  if (column != col::kCode) return true;
  return ch < 32 || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

int MaxCellLength(int column) {
  if (column == col::kCode) return CommandCatalogue::LongestCode();
  if (column >= col::kFirstParam && column <= col::kLastParam) return 5;
  if (column == col::kTVP || column == col::kKNO) return 3;
  return 0;
}

std::optional<char32_t> CanType(int column, char32_t ch, std::size_t length) {
  if (!AcceptsTypedCharacter(column, ch)) return std::nullopt;
  if (column != col::kCode && !(ch >= '0' && ch <= '9')) return std::nullopt;
  if (length >= std::size_t(MaxCellLength(column))) return std::nullopt;
  return column == col::kCode && ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch;
}

std::optional<Completion> CompleteCommand(std::string_view prefix) {
  if (prefix.empty()) return std::nullopt;
  const std::string upper = cp1250::Upper(prefix);
  for (int n = 1; n <= CommandCatalogue::kCount; ++n) {
    const std::string entry = cp1250::Upper(CommandCatalogue::ByNumber(n).code);
    if (entry.starts_with(upper)) {
      // The rest goes in lower case: the code column holds lower-case codes.
      const std::string rest = cp1250::Lower(std::string_view(entry).substr(upper.size()));
      return Completion{std::string(prefix) + rest, rest.size()};
    }
  }
  return std::nullopt;
}

namespace {

bool IsParamColumn(int c) { return c >= col::kFirstParam && c <= col::kLastParam; }

// Rows from..19 move down by one; row 20's content is overwritten.
void ShiftRowsDown(OrderSheet& sheet, int from) {
  for (int k = OrderSheet::kRows; k > from; --k) sheet.SetRow(k, sheet.Row(k - 1));
}

}  // namespace

KeyOutcome GridEditing::KeyPressed(int key, KeyModifiers mods) {
  KeyOutcome out;
  const int c = view_.column();
  const int r = view_.row();
  OrderSheet sheet = document_.sheet();
  const auto Current = [&]() -> std::string& { return sheet.Cell(r, c); };
  const bool none = mods == KeyModifiers::None;

  switch (key) {
    case vk::kDelete:
      if (none && c >= col::kCode && c <= col::kLastParam) {
        Current().clear();
        out.cellsChanged = true;
      } else if (mods == KeyModifiers::Shift && IsParamColumn(c)) {
        for (int k = c; k < col::kLastParam; ++k) sheet.Cell(r, k) = sheet.Cell(r, k + 1);
        sheet.Cell(r, col::kLastParam).clear();
        out.cellsChanged = true;
      }
      break;
    case vk::kInsert:
      if (mods == KeyModifiers::Shift && IsParamColumn(c) && sheet.Cell(r, col::kLastParam).empty()) {
        for (int k = col::kLastParam; k > c; --k) sheet.Cell(r, k) = sheet.Cell(r, k - 1);
        Current().clear();
        out.cellsChanged = true;
      }
      break;
    case vk::kLeft:
    case vk::kRight:
      if (mods == KeyModifiers::Ctrl) {
        out.consumed = true;
        const int step = key == vk::kLeft ? -1 : 1;
        const int other = c + step;
        if (IsParamColumn(c) && IsParamColumn(other)) {
          std::swap(Current(), sheet.Cell(r, other));
          out.cellsChanged = true;
          out.moveColumn = step;
        }
      }
      break;
    case vk::kAdd:
    case vk::kSubtract:
      out.consumed = true;
      if (none && c >= col::kFirstParam) {
        std::string& cell = Current();
        const auto value = ParseInteger(cell);
        if (value && key == vk::kAdd) {
          cell = std::to_string(std::int64_t(*value) + 1);
        } else if (value && *value >= 1) {
          cell = std::to_string(*value - 1);
        } else if (cell.empty()) {
          cell = "0";
        }
        out.cellsChanged = true;
      }
      break;
    case vk::kF1: {
      if (none) out.contextHelpTopic = CommandCatalogue::HelpTopic(sheet.Cell(r, col::kCode));
      out.mainHelp = !out.contextHelpTopic;
      break;
    }
    default: break;
  }
  if (out.cellsChanged) document_.SetSheet(sheet);
  return out;
}

bool GridEditing::LastRowHoldsOrder() const { return !document_.sheet().RowIsBlank(OrderSheet::kRows); }

bool GridEditing::OpenRow() {
  if (LastRowHoldsOrder()) return false;
  const int r = view_.row();
  document_.EditSheet([r](OrderSheet& sheet) {
    ShiftRowsDown(sheet, r);
    sheet.ClearRow(r);
    sheet.RenumberRows(r);
  });
  return true;
}

void GridEditing::FinishRowOperation() {
  editor_.RecordChange();
  editor_.ExplainCurrentRow();
}

bool GridEditing::InsertRow() {
  OrderDocument::Batch batch(document_);
  if (!OpenRow()) return false;
  FinishRowOperation();
  return true;
}

void GridEditing::DeleteRow() {
  OrderDocument::Batch batch(document_);
  const int r = view_.row();
  document_.EditSheet([r](OrderSheet& sheet) {
    for (int k = r; k < OrderSheet::kRows; ++k) sheet.SetRow(k, sheet.Row(k + 1));
    sheet.ClearRow(OrderSheet::kRows);
    sheet.RenumberRows(r);
  });
  FinishRowOperation();
}

int GridEditing::RoomForBlock() const {
  const OrderSheet& sheet = document_.sheet();
  int room = 0;
  for (int r = OrderSheet::kRows; r >= view_.row() && sheet.RowIsBlank(r); --r) ++room;
  return room;
}

bool GridEditing::InsertBlock(const std::vector<OrderRow>& block) {
  const int n = int(block.size());
  if (n == 0) return true;
  if (n > RoomForBlock()) return false;
  OrderDocument::Batch batch(document_);
  const int r = view_.row();
  const Lookups lookups = editor_.lookups();
  document_.EditSheet([&](OrderSheet& sheet) {
    for (int i = 0; i < n; ++i) ShiftRowsDown(sheet, r);
    for (int i = 0; i < n; ++i) sheet.SetRow(r + i, block[std::size_t(i)]);
    sheet.RenumberRows(r);
  });
  // Each inserted row interpreted in order, as the rows above leave it; the
  // rows below keep what they had, as when the rows are typed one by one.
  const SheetInterpretation fresh = InterpretInOrder(document_.sheet(), lookups);
  for (int i = 0; i < n; ++i) {
    const RowResult& result = fresh.Row(r + i);
    document_.SetCell(r + i, col::kTVP, result.tvp);
    document_.SetCell(r + i, col::kKNO, result.kno);
    document_.UpdateRowStates([&](RowStates& states) {
      states[r + i] = fresh.states[r + i];
      return 0;
    });
  }
  document_.SetFigures(FiguresOf(document_.sheet(), document_.rowStates()));
  FinishRowOperation();
  return true;
}

bool GridEditing::DuplicateRow() {
  OrderDocument::Batch batch(document_);
  const int r = view_.row();
  if (r < OrderSheet::kRows) {
    if (LastRowHoldsOrder()) return false;
    document_.EditSheet([r](OrderSheet& sheet) {
      ShiftRowsDown(sheet, r);
      sheet.RenumberRows(r);
    });
  }
  FinishRowOperation();
  return true;
}

void GridEditing::MoveRow(int step) {
  const int r = view_.row();
  const int other = r + step;
  if (other < 1 || other > OrderSheet::kRows) return;
  OrderDocument::Batch batch(document_);
  document_.EditSheet([&](OrderSheet& sheet) {
    const OrderRow moved = sheet.Row(r);
    sheet.SetRow(r, sheet.Row(other));
    sheet.SetRow(other, moved);
  });
  editor_.SelectCell(other, view_.column());  // interprets the new current row
  const int target = std::clamp(other + step, 1, OrderSheet::kRows);
  document_.EditSheet([&](OrderSheet& sheet) { sheet.RenumberRows(std::max(1, std::min(other, target) - 1)); });
  editor_.RecordChange();
}

void GridEditing::RowDragged(int from, int to) {
  from = std::clamp(from, 1, OrderSheet::kRows);
  to = std::clamp(to, 1, OrderSheet::kRows);
  OrderDocument::Batch batch(document_);
  document_.EditSheet([&](OrderSheet& sheet) {
    const OrderRow moved = sheet.Row(from);
    const int step = to > from ? 1 : -1;
    for (int k = from; k != to; k += step) sheet.SetRow(k, sheet.Row(k + step));
    sheet.SetRow(to, moved);
    sheet.RenumberRows(std::max(1, std::min(from, to) - 1));
  });
  FinishRowOperation();
}

bool GridEditing::BrewPotion(std::string_view caption) {
  const Lookups lookups = editor_.lookups();
  const auto& potions = editor_.lists().potions;
  const auto line = std::find_if(potions.begin(), potions.end(),
                                 [&](const std::string& l) { return PotionCaption(l, lookups) == caption; });
  if (line == potions.end() || caption.empty()) return false;
  OrderDocument::Batch batch(document_);
  if (!OpenRow()) return false;

  document_.EditSheet([&](OrderSheet& sheet) { WriteBrewingRow(sheet, view_.row(), *line); });
  editor_.InterpretCurrentRow();
  editor_.RecordChange();
  return true;
}

bool GridEditing::InsertCommandRow(int number) {
  if (number < 1 || number > CommandCatalogue::kCount) return false;
  OrderDocument::Batch batch(document_);
  if (!OpenRow()) return false;
  const int r = view_.row();
  document_.EditSheet([&](OrderSheet& sheet) {
    if (!sheet.Cell(r, col::kCode).empty()) sheet.ClearRow(r);
    sheet.Cell(r, col::kCode) = std::string(CommandCatalogue::ByNumber(number).code);
  });
  editor_.InterpretCurrentRow();
  editor_.RecordChange();
  return true;
}

}  // namespace mv
