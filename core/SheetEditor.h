// The order sheet as the player edits it: which events make the interpreter
// run, and the sheet-wide operations of the "Fájl" menu that need no file.
#pragma once

#include <optional>

#include "core/EditorModel.h"
#include "core/UL.h"

namespace mv {

class SheetEditor {
 public:
  explicit SheetEditor(EditorModel& model) : model_(model), interpreter_(model) {
    model_.history.Reset(model_.sheet, !model_.sheetModified);
  }

  EditorModel& model() { return model_; }
  CommandInterpreter& interpreter() { return interpreter_; }

  // The grid is about to make (row, column) current.
  void SelectCell(int row, int column);
  // A key was released in the grid; (row, column) is the top-left cell of
  // the selection. Returns true when the row was interpreted.
  bool KeyReleased(int virtualKey, int row, int column);
  // Interprets the current row.
  void InterpretCurrentRow() { interpreter_.InterpretRow(); }

  // "Új": an empty sheet with the character's delivery form.
  void NewSheet();

  // The grid changed (typing into typedCell, or a row operation): the sheet
  // is modified and the change is an undo step.
  void RecordChange(std::optional<SheetHistory::Cell> typedCell = std::nullopt);
  // "Visszavonás" and "Mégis": the whole grid as it was, the current row
  // interpreted again; modified unless that is the saved state. False when
  // there is nothing to undo or redo.
  bool Undo();
  bool Redo();

  // "Újraszámolás": every row interpreted in order from a cleared row state
  // (which stays the live state), fresh costs and figures written; one undo
  // step, and modified only when a cell changed. The current row stays.
  void Recalculate();

  // Keys whose release neither marks the sheet nor interprets.
  static bool IsNavigationKey(int virtualKey);

 private:
  bool Restore(const std::optional<OrderSheet>& state);

  EditorModel& model_;
  CommandInterpreter interpreter_;
};

}  // namespace mv
