// The document's announcements, the panel after every operation, and the
// agreement of the in-order loop with a player stepping down the grid.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/GridEditing.h"
#include "core/SheetWorkspace.h"

namespace mv {
namespace {

using Change = OrderDocument::Change;

TEST(OrderDocumentTest, EachChangeIsAnnouncedOnceWithWhatItTouched) {
  const struct {
    const char* what;
    std::function<void(OrderDocument&)> change;
    std::vector<unsigned> announced;
  } cases[] = {
      {"a cell", [](OrderDocument& d) { d.SetCell(1, col::kCode, "be"); }, {Change::kCells}},
      {"a cell set to what it holds", [](OrderDocument& d) { d.SetCell(1, col::kTVP, "0"); }, {}},
      {"a field", [](OrderDocument& d) { d.EditFields([](SheetFields& f) { f.turn = "4"; }); }, {Change::kFields}},
      {"a field left as it was", [](OrderDocument& d) { d.EditFields([](SheetFields& f) { f.turn = "1"; }); }, {}},
      {"the figures",
       [](OrderDocument& d) {
         d.SetFigures({"1", "2", "3"});
       },
       {Change::kFigures}},
      {"a recorded change",
       [](OrderDocument& d) {
         d.SetCell(1, col::kCode, "e");
         d.RecordChange();
       },
       {Change::kCells, Change::kSaveState | Change::kHistory}},
      {"a batch, nested",
       [](OrderDocument& d) {
         OrderDocument::Batch outer(d);
         d.SetCell(2, col::kCode, "e");
         {
           OrderDocument::Batch inner(d);
           d.SetFileName("x.ulf");
         }
         d.SetFigures({"9", "0", "0"});
       },
       {Change::kCells | Change::kSaveState | Change::kFigures}},
      {"a save", [](OrderDocument& d) { d.MarkSaved("lap.ulf"); }, {Change::kSaveState}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OrderDocument document;
    std::vector<unsigned> announced;
    document.SetObserver([&](unsigned changes) { announced.push_back(changes); });
    const auto before = document.revision();
    c.change(document);
    EXPECT_EQ(announced, c.announced);
    EXPECT_EQ(document.revision(), before + c.announced.size());
  }
}

TEST(OrderDocumentTest, UndoFollowsTheSavedStateAndSaysWhetherMoreIsLeft) {
  OrderDocument document;
  std::vector<std::pair<bool, bool>> history;
  document.SetObserver([&](unsigned changes) {
    if (changes & Change::kHistory) history.emplace_back(document.CanUndo(), document.CanRedo());
  });
  document.SetCell(1, col::kCode, "be");
  document.RecordChange();
  EXPECT_TRUE(document.modified());
  ASSERT_TRUE(document.Undo());
  EXPECT_FALSE(document.modified());
  EXPECT_EQ(document.sheet().Cell(1, col::kCode), "");
  EXPECT_FALSE(document.Undo());
  ASSERT_TRUE(document.Redo());
  EXPECT_EQ(document.sheet().Cell(1, col::kCode), "be");
  EXPECT_EQ(history, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}, {true, false}}));
}

std::string Name(const char* code) {
  return std::string(CommandCatalogue::ByNumber(CommandCatalogue::Lookup(code)).name);
}

// Rows 1..3 hold "be 1", "e" and "ea 12"; the cursor is on row 2.
void ThreeOrders(SheetWorkspace& w) {
  w.document.EditSheet([](OrderSheet& s) {
    s.SetRow(1, OrderRow{"be", {"1", "", "", "", "", ""}, "0", "0"});
    s.SetRow(2, OrderRow{"e", {}, "0", "0"});
    s.SetRow(3, OrderRow{"ea", {"12", "", "", "", "", ""}, "0", "0"});
  });
  w.document.ResetHistory();
  w.editor.SelectCell(2, col::kCode);
  w.editor.InterpretCurrentRow();
}

// Whatever replaced the order under the cursor, the panel explains what the
// current row holds now; where no interpretation runs, no cost is written.
TEST(PanelTest, ThePanelExplainsTheCurrentRowAfterEveryOperation) {
  const struct {
    const char* what;
    std::function<void(SheetWorkspace&, GridEditing&)> operation;
    std::string panel;
    int row;
    bool writesCosts;
  } cases[] = {
      {"Új", [](SheetWorkspace& w, GridEditing&) { w.editor.NewSheet(); }, "", 1, false},
      {"insert", [](SheetWorkspace&, GridEditing& g) { g.InsertRow(); }, "", 2, false},
      {"delete", [](SheetWorkspace&, GridEditing& g) { g.DeleteRow(); }, Name("ea"), 2, false},
      {"duplicate", [](SheetWorkspace&, GridEditing& g) { g.DuplicateRow(); }, Name("e"), 2, false},
      {"move up", [](SheetWorkspace&, GridEditing& g) { g.MoveRowUp(); }, Name("e"), 1, true},
      {"drag row 3 onto row 1", [](SheetWorkspace&, GridEditing& g) { g.RowDragged(3, 1); }, Name("be"), 2, false},
      {"undo of a delete",
       [](SheetWorkspace& w, GridEditing& g) {
         g.DeleteRow();
         w.editor.Undo();
       },
       Name("e"), 2, true},
      {"redo of a delete",
       [](SheetWorkspace& w, GridEditing& g) {
         g.DeleteRow();
         w.editor.Undo();
         w.editor.Redo();
       },
       Name("ea"), 2, true},
      {"a recovered sheet", [](SheetWorkspace& w, GridEditing&) { w.editor.Loaded(SheetEditor::Origin::Recovered); },
       Name("be"), 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SheetWorkspace w;
    GridEditing grid(w.editor);
    ThreeOrders(w);
    // A stale cost the player typed: only an interpretation may rewrite it.
    w.document.SetCell(1, col::kTVP, "7");
    w.document.SetCell(3, col::kTVP, "7");
    c.operation(w, grid);
    EXPECT_EQ(w.view.row(), c.row);
    EXPECT_EQ(cp1250::ToUtf8(w.view.panel().command), cp1250::ToUtf8(c.panel));
    if (!c.writesCosts && c.panel != "") {
      int stale = 0;
      for (int r = 1; r <= OrderSheet::kRows; ++r) stale += w.document.sheet().Cell(r, col::kTVP) == "7";
      EXPECT_EQ(stale, 2) << "no cost is written";
    }
  }
}

// The one loop and the player's keyboard must agree: stepping down the grid
// from row 1 shows, row by row, what the loop gives.
TEST(PanelTest, SteppingDownTheGridShowsWhatTheInOrderLoopGives) {
  SheetWorkspace w;
  w.lists.items.names = {"kard", "pajzs", "sisak"};
  w.character.fields.raidCost = 15;
  const std::vector<OrderRow> rows = {
      {"ism", {"3"}, "0", "0"}, {"ea", {"1", "2"}, "0", "0"},    {"p", {}, "0", "0"},
      {"p", {"1"}, "0", "0"},   {"m", {"12345", "7"}, "0", "0"}, {"h", {"14", "2", "30"}, "0", "0"},
      {"xyz", {"1"}, "0", "0"}, {"", {"", "4"}, "0", "0"},       {"v", {"5"}, "12", "0"},
  };
  w.document.EditSheet([&](OrderSheet& s) {
    for (std::size_t i = 0; i < rows.size(); ++i) s.SetRow(int(i) + 1, rows[i]);
  });
  const SheetInterpretation loop = InterpretInOrder(w.document.sheet(), w.editor.lookups());
  w.document.SetRowStates(RowStates{});
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    SCOPED_TRACE(r);
    w.view.SetRow(r);
    w.editor.InterpretCurrentRow();
    EXPECT_EQ(w.view.panel(), loop.Row(r).panel);
    EXPECT_EQ(w.document.sheet().Cell(r, col::kTVP), loop.Row(r).tvp);
    EXPECT_EQ(w.document.sheet().Cell(r, col::kKNO), loop.Row(r).kno);
  }
  EXPECT_EQ(w.document.figures(), Recalculated(w.document.sheet(), w.editor.lookups()).figures);
}

}  // namespace
}  // namespace mv
