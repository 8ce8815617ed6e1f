// The interpreter and the grid keys on rows of arbitrary cell texts, with
// reference lists made of the same bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/CommandCatalogue.h"
#include "core/GridEditing.h"
#include "core/SheetWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mv::SheetWorkspace w;
  mv::ReferenceLists& lists = w.lists;
  mv::OrderSheet sheet;
  // Short lists, so that numbers land both inside and outside them.
  for (mv::DataList* list :
       {&lists.items, &lists.randomItems, &lists.spells, &lists.characters, &lists.monsters, &lists.alliances})
    list->names.assign(size % 40, "nev");
  lists.potions = {std::string(bytes.substr(0, 30)), "045 12 13 14"};

  // Cells separated by '|', rows by '\n'; a first byte picks a known code.
  int row = 1, column = 1;
  std::string cell;
  auto put = [&] {
    if (row <= mv::OrderSheet::kRows && column < mv::OrderSheet::kColumns) {
      if (column == 1 && !cell.empty() && static_cast<unsigned char>(cell[0]) < 102 + 32 && cell[0] >= 32)
        cell = std::string(mv::CommandCatalogue::ByNumber(static_cast<unsigned char>(cell[0]) - 32 + 1).code);
      sheet.Cell(row, column) = cell;
    }
    cell.clear();
  };
  for (char c : bytes) {
    if (c == '|') {
      put();
      ++column;
    } else if (c == '\n') {
      put();
      ++row;
      column = 1;
    } else {
      cell += c;
    }
  }
  put();

  w.document.SetSheet(sheet);
  mv::SheetEditor& editor = w.editor;
  mv::GridEditing grid(editor);
  for (int r = 1; r <= mv::OrderSheet::kRows; ++r) {
    editor.SelectCell(r, 1 + r % 7);
    grid.KeyPressed(size % 2 ? 107 : 46, mv::KeyModifiers((r + int(size)) % 4));
    editor.KeyReleased(r, r, 1 + r % 9);
  }
  grid.InsertRow();
  grid.DuplicateRow();
  grid.MoveRowDown();
  grid.RowDragged(1 + int(size % 20), 20 - int(size % 20));
  grid.BrewPotion(mv::PotionCaption(lists.potions[0], editor.lookups()));
  return 0;
}
