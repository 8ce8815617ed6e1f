#include "core/OrderDocument.h"

namespace mv {

OrderDocument::OrderDocument() {
  history_.SetObserver([this](bool, bool) { Changed(kHistory); });
}

void OrderDocument::Changed(unsigned changes) {
  pending_ |= changes;
  if (batchDepth_ > 0) return;
  EndBatch();
}

void OrderDocument::EndBatch() {
  if (batchDepth_ > 0) --batchDepth_;
  if (batchDepth_ > 0 || pending_ == 0) return;
  const unsigned changes = pending_;
  pending_ = 0;
  ++revision_;
  if (observer_) observer_(changes);
}

void OrderDocument::EditSheet(const std::function<void(OrderSheet&)>& edit) {
  edit(sheet_);
  Changed(kCells);
}

void OrderDocument::SetSheet(const OrderSheet& sheet) {
  sheet_ = sheet;
  Changed(kCells);
}

void OrderDocument::SetCell(int row, int column, std::string text) {
  std::string& cell = sheet_.Cell(row, column);
  if (cell == text) return;
  cell = std::move(text);
  Changed(kCells);
}

void OrderDocument::EditFields(const std::function<void(SheetFields&)>& edit) {
  const SheetFields before = fields_;
  edit(fields_);
  if (fields_ != before) Changed(kFields);
}

void OrderDocument::SetFields(const SheetFields& fields) {
  EditFields([&](SheetFields& f) { f = fields; });
}

void OrderDocument::SetFigures(SheetFigures figures) {
  if (figures_ == figures) return;
  figures_ = std::move(figures);
  Changed(kFigures);
}

void OrderDocument::Fill(const SheetContent& content) {
  Batch batch(*this);
  SetSheet(content.sheet);
  SetFields(content.fields);
  SetFigures(content.figures);
}

void OrderDocument::SetFileName(std::string fileName) {
  if (fileName_ == fileName) return;
  fileName_ = std::move(fileName);
  Changed(kSaveState);
}

void OrderDocument::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  Changed(kSaveState);
}

void OrderDocument::ResetHistory(bool saved) { history_.Reset(sheet_, saved); }

void OrderDocument::RecordChange(std::optional<SheetHistory::Cell> typedCell) {
  Batch batch(*this);
  SetModified(true);
  history_.Record(sheet_, typedCell);
}

bool OrderDocument::Restore(const std::optional<OrderSheet>& state) {
  if (!state) return false;
  Batch batch(*this);
  SetSheet(*state);
  SetModified(!history_.AtSavedState());
  return true;
}

bool OrderDocument::Undo() {
  Batch batch(*this);
  return Restore(history_.Undo());
}

bool OrderDocument::Redo() {
  Batch batch(*this);
  return Restore(history_.Redo());
}

void OrderDocument::MarkSaved(std::string fileName) {
  Batch batch(*this);
  history_.MarkSaved(sheet_);
  SetModified(false);
  SetFileName(std::move(fileName));
}

}  // namespace mv
