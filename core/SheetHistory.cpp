#include "core/SheetHistory.h"

namespace mv {

void SheetHistory::Reset(const OrderSheet& sheet, bool saved) {
  states_.assign(1, sheet);
  at_ = 0;
  saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
  typing_.reset();
  Announce();
}

void SheetHistory::SetObserver(Observer observer) {
  observer_ = std::move(observer);
  Announce();
}

void SheetHistory::Announce() const {
  if (observer_) observer_(CanUndo(), CanRedo());
}

void SheetHistory::Record(const OrderSheet& sheet, std::optional<Cell> typedCell) {
  if (sheet == states_[at_]) return;
  states_.erase(states_.begin() + std::ptrdiff_t(at_ + 1), states_.end());
  if (saved_ && *saved_ > at_) saved_.reset();  // the saved state was undone and is now overwritten
  // Typing on in the same cell extends the last step, unless that is the saved state.
  const bool extend = typedCell && typing_ == typedCell && at_ > 0 && saved_ != at_;
  typing_ = typedCell;
  if (extend) {
    states_[at_] = sheet;
    return;
  }
  states_.push_back(sheet);
  ++at_;
  if (states_.size() > kSteps + 1) {
    states_.pop_front();
    --at_;
    if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
  }
  Announce();
}

std::optional<OrderSheet> SheetHistory::Undo() {
  typing_.reset();
  if (!CanUndo()) return std::nullopt;
  --at_;
  Announce();
  return states_[at_];
}

std::optional<OrderSheet> SheetHistory::Redo() {
  typing_.reset();
  if (!CanRedo()) return std::nullopt;
  ++at_;
  Announce();
  return states_[at_];
}

void SheetHistory::MarkSaved(const OrderSheet& sheet) {
  Record(sheet);
  typing_.reset();
  saved_ = at_;
}

}  // namespace mv
