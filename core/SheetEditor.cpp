#include "core/SheetEditor.h"

#include "core/NextTurn.h"
#include "core/VirtualKeys.h"

namespace mv {

SheetEditor::SheetEditor(OrderDocument& document, SheetView& view, const ReferenceLists& lists,
                         const ShownCharacter& character)
    : document_(document), view_(view), lists_(lists), character_(character) {
  document_.ResetHistory(!document_.modified());
}

bool SheetEditor::IsNavigationKey(int key) {
  return key == vk::kCapital || key == vk::kPrior || key == vk::kNext || (key >= vk::kLeft && key <= vk::kDown) ||
         key == vk::kPrint || (key >= vk::kF1 && key <= vk::kF12) || key == vk::kNumLock || key == vk::kScroll;
}

void SheetEditor::InterpretCurrentRow() {
  const int row = view_.row();
  OrderDocument::Batch batch(document_);
  RowResult result = document_.UpdateRowStates(
      [&](RowStates& states) { return Interpret(document_.sheet(), row, states, lookups()); });
  document_.SetCell(row, col::kTVP, std::move(result.tvp));
  document_.SetCell(row, col::kKNO, std::move(result.kno));
  document_.SetFigures(FiguresOf(document_.sheet(), document_.rowStates()));
  view_.SetPanel(std::move(result.panel));
}

void SheetEditor::ExplainCurrentRow() {
  view_.SetPanel(InterpretInOrderUpTo(document_.sheet(), view_.row(), lookups()).panel);
}

void SheetEditor::SelectCell(int row, int column) {
  const int before = view_.row();
  view_.SetCursor(row, column);
  if (view_.row() != before) InterpretCurrentRow();
}

bool SheetEditor::KeyReleased(int virtualKey, int row, int column) {
  view_.SetCursor(row, column);
  if (IsNavigationKey(virtualKey)) return false;
  OrderDocument::Batch batch(document_);
  InterpretCurrentRow();
  RecordChange(SheetHistory::Cell{view_.row(), view_.column()});
  return true;
}

bool SheetEditor::Undo() {
  OrderDocument::Batch batch(document_);
  if (!document_.Undo()) return false;
  InterpretCurrentRow();
  return true;
}

bool SheetEditor::Redo() {
  OrderDocument::Batch batch(document_);
  if (!document_.Redo()) return false;
  InterpretCurrentRow();
  return true;
}

void SheetEditor::Recalculate() {
  const RecalculatedSheet fresh = Recalculated(document_.sheet(), lookups());
  OrderDocument::Batch batch(document_);
  const bool changed = fresh.sheet != document_.sheet();
  document_.SetSheet(fresh.sheet);
  document_.SetRowStates(fresh.interpretation.states);
  document_.SetFigures(fresh.figures);
  view_.SetPanel(fresh.interpretation.Row(view_.row()).panel);
  if (changed) RecordChange();
}

void SheetEditor::NewSheet() {
  OrderDocument::Batch batch(document_);
  SheetFields fields;
  fields.delivery = character_.deliveryForm;
  document_.SetFields(fields);

  SelectCell(1, 1);
  document_.EditSheet([](OrderSheet& sheet) {
    for (int r = 1; r <= OrderSheet::kRows; ++r) sheet.ClearRow(r);
  });
  document_.SetFigures(SheetFigures{});
  document_.SetModified(false);
  document_.SetFileName({});
  document_.SetRowStates(RowStates{});
  document_.ResetHistory();
  ExplainCurrentRow();  // the old row 1 is gone
}

bool SheetEditor::NextTurn() {
  const auto next = NextTurnSheet(document_.Content(character_.key), lookups());
  if (!next) return false;
  OrderDocument::Batch batch(document_);
  document_.Fill(*next);
  document_.SetRowStates(InterpretInOrder(next->sheet, lookups()).states);
  Loaded(Origin::NextTurn);
  return true;
}

void SheetEditor::Loaded(Origin origin, std::string fileName) {
  const bool recovered = origin == Origin::Recovered || origin == Origin::NextTurn;
  OrderDocument::Batch batch(document_);
  document_.EditSheet([](OrderSheet& sheet) { sheet.RenumberRows(1); });
  document_.SetFileName(std::move(fileName));
  document_.SetModified(recovered);
  view_.SetRow(1);
  if (origin == Origin::Opened)
    InterpretCurrentRow();
  else
    ExplainCurrentRow();
  document_.ResetHistory(!recovered);
}

}  // namespace mv
