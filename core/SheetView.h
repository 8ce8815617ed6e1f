// Where the player is in the grid and what the description panel explains:
// the window's view of the document, kept apart from it so that grid editing
// stays testable without a window.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>

#include "core/OrderSheet.h"
#include "core/UL.h"

namespace mv {

class SheetView {
 public:
  int row() const { return row_; }
  int column() const { return column_; }
  const DescriptionPanel& panel() const { return panel_; }

  // Told after the cursor or the panel changed.
  using Observer = std::function<void()>;
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

  // Clamped to the rows and to the columns a player types in.
  void SetCursor(int row, int column) {
    row = std::clamp(row, 1, OrderSheet::kRows);
    column = std::clamp(column, 1, OrderSheet::kColumns - 1);
    if (row == row_ && column == column_) return;
    row_ = row;
    column_ = column;
    Announce();
  }
  void SetRow(int row) { SetCursor(row, column_); }
  void SetPanel(DescriptionPanel panel) {
    if (panel == panel_) return;
    panel_ = std::move(panel);
    Announce();
  }

 private:
  void Announce() const {
    if (observer_) observer_();
  }

  int row_ = 1;
  int column_ = 1;
  DescriptionPanel panel_;
  Observer observer_;
};

}  // namespace mv
