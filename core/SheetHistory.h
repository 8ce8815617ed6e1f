// The undo history of the order grid: whole-sheet states, newest last.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "core/OrderSheet.h"

namespace mv {

class SheetHistory {
 public:
  static constexpr std::size_t kSteps = 100;

  using Cell = std::pair<int, int>;  // row, column

  // A new or opened sheet starts the history; saved: it is as on disk.
  void Reset(const OrderSheet& sheet, bool saved = true);
  // The sheet after a change. Keys typed one after another into one cell
  // make one step.
  void Record(const OrderSheet& sheet, std::optional<Cell> typedCell = std::nullopt);
  // The state to go back or forward to, if any.
  std::optional<OrderSheet> Undo();
  std::optional<OrderSheet> Redo();
  bool CanUndo() const { return at_ > 0; }
  bool CanRedo() const { return at_ + 1 < states_.size(); }

  // Told whether there is something to undo and to redo after every change
  // of the history (the document passes it on).
  using Observer = std::function<void(bool canUndo, bool canRedo)>;
  void SetObserver(Observer observer);

  // The sheet was written to its file as it stands.
  void MarkSaved(const OrderSheet& sheet);
  // Whether the current state is the one last saved (or opened).
  bool AtSavedState() const { return saved_ && *saved_ == at_; }

 private:
  void Announce() const;

  std::deque<OrderSheet> states_{OrderSheet{}};
  std::size_t at_ = 0;
  std::optional<std::size_t> saved_ = 0;
  std::optional<Cell> typing_;
  Observer observer_;
};

}  // namespace mv
