// What the player does to the order grid besides typing: the special keys
// inside a row, command completion, the row operations of the "Szerkesztés"
// menu, potion brewing and the command picker's insertion.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Potions.h"
#include "core/SheetEditor.h"

namespace mv {

enum class KeyModifiers { None, Shift, Ctrl, Other };

// What the window must do after a key press went through the rules.
struct KeyOutcome {
  bool consumed = false;                        // the grid must not handle the key itself
  bool cellsChanged = false;                    // cell texts were rewritten
  int moveColumn = 0;                           // move the grid's cursor by this many columns
  std::optional<std::string> contextHelpTopic;  // F1 on a known command
  bool mainHelp = false;                        // F1 elsewhere: "topic167"
};

// Whether a typed character may enter the given column (code column: ASCII
// letters and control characters only).
bool AcceptsTypedCharacter(int column, char32_t ch);

// The input limit of a column's editor.
int MaxCellLength(int column);

// The typing rule of a cell editor for one printable character typed into a
// cell that holds `length` characters besides the selection: what goes into
// the cell (the code column takes ASCII letters in lower case, the others
// digits; each its length), or nothing when the key is refused.
std::optional<char32_t> CanType(int column, char32_t ch, std::size_t length);

// The completion of a typed prefix: the first catalogue code (upper case)
// that begins with it, or nothing. Returns the full text (prefix as typed +
// rest of the code) and the length of the added rest.
struct Completion {
  std::string text;
  std::size_t addedLength = 0;
};
std::optional<Completion> CompleteCommand(std::string_view prefix);

class GridEditing {
 public:
  explicit GridEditing(SheetEditor& editor) : editor_(editor), document_(editor.document()), view_(editor.view()) {}

  // A key was pressed in the grid on the current cell.
  KeyOutcome KeyPressed(int virtualKey, KeyModifiers modifiers);

  // Row operations on the current row. Insert and duplicate refuse (return
  // false) when row 20 holds an order that they would push off the sheet.
  // Afterwards the panel explains what is now in the current row.
  bool InsertRow();
  void DeleteRow();
  bool DuplicateRow();
  // Move the current row; the new current row is interpreted.
  void MoveRowUp() { MoveRow(-1); }
  void MoveRowDown() { MoveRow(1); }
  // A row was dragged by its label from one place to another.
  void RowDragged(int from, int to);

  // An item of "Varázsital főzése" was chosen. False when nothing was done.
  bool BrewPotion(std::string_view caption);
  // The command picker's choice (catalogue number 1..102).
  bool InsertCommandRow(int number);

  // Whether row 20 holds an order (code or parameter).
  bool LastRowHoldsOrder() const;

  // A block of orders inserted at the current row, the rows below moved
  // down, each inserted row interpreted in order as if typed; one undo step.
  // Refused when it would push an order past row 20: nothing then changes.
  bool InsertBlock(const std::vector<OrderRow>& block);
  // How many rows a block may have at the current row: the empty rows at the
  // end of the sheet, at most those from the current row down.
  int RoomForBlock() const;

 private:
  // Insert's shift of the rows, without recording it as a step.
  bool OpenRow();
  void MoveRow(int step);
  // An undo step, and the panel of the row now current.
  void FinishRowOperation();

  SheetEditor& editor_;
  OrderDocument& document_;
  SheetView& view_;
};

}  // namespace mv
