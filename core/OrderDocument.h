// The order sheet being edited: the grid, its sheet-level fields, the
// figures, the row states the live interpretation keeps, the file name, the
// modified flag and the undo history. Every change goes through it and is
// announced once, so that whatever shows it can follow.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/OrderSheet.h"
#include "core/SheetFields.h"
#include "core/SheetHistory.h"
#include "core/UL.h"

namespace mv {

// What a sheet file holds: the rows, the sheet-level fields, the figures as
// stored and the key of the character it belongs to.
struct SheetContent {
  OrderSheet sheet;
  SheetFields fields;
  SheetFigures figures;
  std::string characterKey;
};

class OrderDocument {
 public:
  // What a change touched; an announcement carries the union.
  enum Change : unsigned {
    kCells = 1u << 0,
    kFields = 1u << 1,
    kFigures = 1u << 2,
    kSaveState = 1u << 3,  // the modified flag or the file name
    kHistory = 1u << 4,    // whether there is something to undo or redo
  };
  using Observer = std::function<void(unsigned changes)>;

  OrderDocument();
  OrderDocument(const OrderDocument&) = delete;
  OrderDocument& operator=(const OrderDocument&) = delete;

  const OrderSheet& sheet() const { return sheet_; }
  const SheetFields& fields() const { return fields_; }
  const SheetFigures& figures() const { return figures_; }
  const RowStates& rowStates() const { return rowStates_; }
  const std::string& fileName() const { return fileName_; }
  bool modified() const { return modified_; }
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Counts the announcements: a view that saw revision N is up to date while
  // it stays N.
  std::uint64_t revision() const { return revision_; }

  // One observer (the window); it is told after each change, or once at
  // the end of a Batch.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

  // Changes made together are announced once, when the outermost batch ends.
  class Batch {
   public:
    explicit Batch(OrderDocument& document) : document_(document) { ++document_.batchDepth_; }
    ~Batch() { document_.EndBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    OrderDocument& document_;
  };

  void EditSheet(const std::function<void(OrderSheet&)>& edit);
  void SetSheet(const OrderSheet& sheet);
  void SetCell(int row, int column, std::string text);
  void EditFields(const std::function<void(SheetFields&)>& edit);
  void SetFields(const SheetFields& fields);
  void SetFigures(SheetFigures figures);
  // The rows, fields and figures of a file's content (not its key).
  void Fill(const SheetContent& content);
  SheetContent Content(std::string characterKey) const { return {sheet_, fields_, figures_, std::move(characterKey)}; }
  // The live interpretation's states; not shown, so not announced. They
  // change here only: replaced, or updated by one row's interpretation.
  void SetRowStates(RowStates states) { rowStates_ = std::move(states); }
  template <class Update>
  auto UpdateRowStates(Update&& update) {
    return update(rowStates_);
  }
  void SetFileName(std::string fileName);
  void SetModified(bool modified);

  // The history starts again from the sheet as it stands; saved: it is as
  // on disk.
  void ResetHistory(bool saved = true);
  // The grid changed (typing into typedCell, or a row operation): modified,
  // and an undo step.
  void RecordChange(std::optional<SheetHistory::Cell> typedCell = std::nullopt);
  // The sheet as it was before the last step, or after the undone one; the
  // modified flag follows the saved state. False when there is none.
  bool Undo();
  bool Redo();
  // Written to fileName as it stands.
  void MarkSaved(std::string fileName);

 private:
  void Changed(unsigned changes);
  void EndBatch();
  bool Restore(const std::optional<OrderSheet>& state);

  OrderSheet sheet_;
  SheetFields fields_;
  SheetFigures figures_;
  RowStates rowStates_;
  std::string fileName_;
  bool modified_ = false;
  SheetHistory history_;

  Observer observer_;
  std::uint64_t revision_ = 0;
  int batchDepth_ = 0;
  unsigned pending_ = 0;
};

}  // namespace mv
