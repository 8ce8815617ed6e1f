// The order sheet as the player edits it: which events make the interpreter
// run on the document, what the panel explains, and the sheet-wide
// operations of the "Fájl" menu that need no file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/CharacterFields.h"
#include "core/DataList.h"
#include "core/OrderDocument.h"
#include "core/SheetView.h"
#include "core/UL.h"

namespace mv {

class SheetEditor {
 public:
  // character: the raid cost the orders read and the delivery form "Új"
  // gives; lists: the names the descriptions use.
  SheetEditor(OrderDocument& document, SheetView& view, const ReferenceLists& lists, const ShownCharacter& character);

  OrderDocument& document() { return document_; }
  const OrderDocument& document() const { return document_; }
  SheetView& view() { return view_; }
  const SheetView& view() const { return view_; }
  const ReferenceLists& lists() const { return lists_; }
  const ShownCharacter& character() const { return character_; }
  // The names and costs interpretation reads now.
  Lookups lookups() const { return Lookups(lists_, character_.fields.raidCost); }

  // The grid is about to make (row, column) current; a new row is
  // interpreted.
  void SelectCell(int row, int column);
  // A key was released in the grid; (row, column) is the top-left cell of
  // the selection. Returns true when the row was interpreted.
  bool KeyReleased(int virtualKey, int row, int column);
  // Interprets the current row against the live row states: its costs and
  // the figures are written, the panel explains it.
  void InterpretCurrentRow();
  // The panel explains the current row as the in-order loop gives it; no
  // cell is written (after operations that interpret nothing).
  void ExplainCurrentRow();

  // The doors the views change the sheet through: a cell typed in the grid,
  // the sheet-level fields of "Adatok".
  void TypeInCell(int row, int column, std::string text) { document_.SetCell(row, column, std::move(text)); }
  void EditFields(const std::function<void(SheetFields&)>& edit) { document_.EditFields(edit); }

  // "Új": an empty sheet with the character's delivery form.
  void NewSheet();
  // Where the sheet now on the document came from.
  enum class Origin {
    Opened,     // as on disk under its file name; row 1 is interpreted
    Imported,   // unnamed and unmodified, the converted file being on disk
    Recovered,  // modified, its name kept only when safe
    NextTurn,   // made from the sheet before: modified, unnamed
  };
  // A sheet that came from a file is on the document: rows renumbered, row 1
  // current, the history starting here. Where the file is not opened as it
  // stands, the panel only explains row 1 and no cell is written.
  void Loaded(Origin origin, std::string fileName = {});

  // The grid changed (typing into typedCell, or a row operation): the sheet
  // is modified and the change is an undo step.
  void RecordChange(std::optional<SheetHistory::Cell> typedCell = std::nullopt) { document_.RecordChange(typedCell); }
  // "Visszavonás" and "Mégis": the whole grid as it was, the current row
  // interpreted again; modified unless that is the saved state. False when
  // there is nothing to undo or redo.
  bool Undo();
  bool Redo();

  // "Újraszámolás": every row interpreted in order from a cleared row state
  // (which stays the live state), fresh costs and figures written; one undo
  // step, and modified only when a cell changed. The current row stays.
  void Recalculate();

  // "UL a következő fordulóra": the document becomes the next turn's sheet,
  // made from the one it holds. False (nothing changed) when its turn is not
  // a valid turn.
  bool NextTurn();

  // Keys whose release neither marks the sheet nor interprets.
  static bool IsNavigationKey(int virtualKey);

 private:
  OrderDocument& document_;
  SheetView& view_;
  const ReferenceLists& lists_;
  const ShownCharacter& character_;
};

}  // namespace mv
