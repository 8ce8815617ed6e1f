#include "core/SheetEditor.h"

#include <algorithm>

#include "core/VirtualKeys.h"

namespace mv {

bool SheetEditor::IsNavigationKey(int key) {
  return key == vk::kCapital || key == vk::kPrior || key == vk::kNext || (key >= vk::kLeft && key <= vk::kDown) ||
         key == vk::kPrint || (key >= vk::kF1 && key <= vk::kF12) || key == vk::kNumLock || key == vk::kScroll;
}

void SheetEditor::SelectCell(int row, int column) {
  row = std::clamp(row, 1, OrderSheet::kRows);
  column = std::clamp(column, 1, OrderSheet::kColumns - 1);
  model_.currentCol = column;
  if (row != model_.currentRow) {
    model_.currentRow = row;
    interpreter_.InterpretRow();
  }
}

bool SheetEditor::KeyReleased(int virtualKey, int row, int column) {
  model_.currentCol = std::clamp(column, 1, OrderSheet::kColumns - 1);
  model_.currentRow = std::clamp(row, 1, OrderSheet::kRows);
  if (IsNavigationKey(virtualKey)) return false;
  interpreter_.InterpretRow();
  RecordChange(SheetHistory::Cell{model_.currentRow, model_.currentCol});
  return true;
}

void SheetEditor::RecordChange(std::optional<SheetHistory::Cell> typedCell) {
  model_.sheetModified = true;
  model_.history.Record(model_.sheet, typedCell);
}

bool SheetEditor::Restore(const std::optional<OrderSheet>& state) {
  if (!state) return false;
  model_.sheet = *state;
  interpreter_.InterpretRow();
  model_.sheetModified = !model_.history.AtSavedState();
  return true;
}

void SheetEditor::Recalculate() {
  const OrderSheet before = model_.sheet;
  const int current = model_.currentRow;
  model_.rowState.Clear();
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    model_.currentRow = r;
    interpreter_.InterpretRow();
  }
  model_.currentRow = current;
  interpreter_.InterpretRow();  // the panel shows the current row again
  if (model_.sheet != before) RecordChange();
}

bool SheetEditor::Undo() { return Restore(model_.history.Undo()); }

bool SheetEditor::Redo() { return Restore(model_.history.Redo()); }

void SheetEditor::NewSheet() {
  SheetFields& f = model_.fields;
  f.turn = "1";
  f.requestUL = f.requestJL = f.extraTurn = f.clubCode = false;
  f.delivery = model_.deliveryFormIndex;
  f.queued = false;
  f.queueCharacter.clear();
  f.queueTurn.clear();

  SelectCell(1, 1);
  for (int r = 1; r <= OrderSheet::kRows; ++r) model_.sheet.ClearRow(r);
  model_.figures = SheetFigures{};
  model_.sheetModified = false;
  model_.sheetFileName.clear();
  model_.rowState.Clear();
  model_.history.Reset(model_.sheet);
}

}  // namespace mv
