// Key rules, row operations, potion brewing and completion on the sheet model.
#include <gtest/gtest.h>

#include <functional>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/GridEditing.h"
#include "core/SheetWorkspace.h"
#include "core/UL.h"
#include "core/VirtualKeys.h"

namespace mv {
namespace {

using Params = std::array<std::string, 6>;

struct KeyCase {
  const char* what;
  int column;
  Params before;
  int key;
  KeyModifiers mods;
  Params after;
  bool consumed;
  int move;
};

class GridEditingTest : public ::testing::Test {
 protected:
  void SetParams(int row, const Params& p) {
    for (int k = 0; k < 6; ++k) model_.document.SetCell(row, col::kFirstParam + k, p[std::size_t(k)]);
  }
  Params GetParams(int row) const {
    Params p;
    for (int k = 0; k < 6; ++k) p[std::size_t(k)] = model_.document.sheet().Cell(row, col::kFirstParam + k);
    return p;
  }
  void Order(int row, const char* code) { model_.document.SetCell(row, col::kCode, code); }
  std::string Code(int row) const { return model_.document.sheet().Cell(row, col::kCode); }

  SheetWorkspace model_;
  SheetEditor& editor_ = model_.editor;
  GridEditing editing_{editor_};
};

TEST_F(GridEditingTest, KeyRulesInsideARow) {
  const KeyModifiers N = KeyModifiers::None, S = KeyModifiers::Shift, C = KeyModifiers::Ctrl;
  const KeyCase cases[] = {
      {"shift+delete on P2",
       3,
       {"1", "2", "3", "4", "5", "6"},
       vk::kDelete,
       S,
       {"1", "3", "4", "5", "6", ""},
       false,
       0},
      {"shift+delete on P6",
       7,
       {"1", "2", "3", "4", "5", "6"},
       vk::kDelete,
       S,
       {"1", "2", "3", "4", "5", ""},
       false,
       0},
      {"delete empties the cell", 4, {"1", "2", "3", "", "", ""}, vk::kDelete, N, {"1", "2", "", "", "", ""}, false, 0},
      {"shift+insert opens a gap",
       3,
       {"1", "2", "3", "4", "5", ""},
       vk::kInsert,
       S,
       {"1", "", "2", "3", "4", "5"},
       false,
       0},
      {"shift+insert with P6 filled",
       3,
       {"1", "2", "3", "4", "5", "6"},
       vk::kInsert,
       S,
       {"1", "2", "3", "4", "5", "6"},
       false,
       0},
      {"ctrl+left swaps", 4, {"1", "2", "3", "", "", ""}, vk::kLeft, C, {"1", "3", "2", "", "", ""}, true, -1},
      {"ctrl+left on P1", 2, {"1", "2", "", "", "", ""}, vk::kLeft, C, {"1", "2", "", "", "", ""}, true, 0},
      {"ctrl+right swaps", 2, {"1", "2", "", "", "", ""}, vk::kRight, C, {"2", "1", "", "", "", ""}, true, 1},
      {"ctrl+right on P6", 7, {"", "", "", "", "", "6"}, vk::kRight, C, {"", "", "", "", "", "6"}, true, 0},
      {"plus on empty", 2, {"", "", "", "", "", ""}, vk::kAdd, N, {"0", "", "", "", "", ""}, true, 0},
      {"plus on a number", 2, {"0", "", "", "", "", ""}, vk::kAdd, N, {"1", "", "", "", "", ""}, true, 0},
      {"plus on hex", 2, {"$A", "", "", "", "", ""}, vk::kAdd, N, {"11", "", "", "", "", ""}, true, 0},
      {"plus beyond 32 bits",
       2,
       {"2147483647", "", "", "", "", ""},
       vk::kAdd,
       N,
       {"2147483648", "", "", "", "", ""},
       true,
       0},
      {"plus on letters", 2, {"ab", "", "", "", "", ""}, vk::kAdd, N, {"ab", "", "", "", "", ""}, true, 0},
      {"plus with shift", 2, {"5", "", "", "", "", ""}, vk::kAdd, S, {"5", "", "", "", "", ""}, true, 0},
      {"minus on 5", 2, {"5", "", "", "", "", ""}, vk::kSubtract, N, {"4", "", "", "", "", ""}, true, 0},
      {"minus on 0", 2, {"0", "", "", "", "", ""}, vk::kSubtract, N, {"0", "", "", "", "", ""}, true, 0},
      {"minus on empty", 2, {"", "", "", "", "", ""}, vk::kSubtract, N, {"0", "", "", "", "", ""}, true, 0},
      {"minus on negative", 2, {"-3", "", "", "", "", ""}, vk::kSubtract, N, {"-3", "", "", "", "", ""}, true, 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    SetParams(1, c.before);
    model_.view.SetRow(1);
    model_.view.SetCursor(model_.view.row(), c.column);
    const KeyOutcome out = editing_.KeyPressed(c.key, c.mods);
    EXPECT_EQ(GetParams(1), c.after);
    EXPECT_EQ(out.consumed, c.consumed);
    EXPECT_EQ(out.moveColumn, c.move);
  }
}

TEST_F(GridEditingTest, KeypadKeysInTheCodeColumnChangeNothingButAreConsumed) {
  Order(1, "be");
  model_.view.SetCursor(model_.view.row(), col::kCode);
  EXPECT_TRUE(editing_.KeyPressed(vk::kAdd, KeyModifiers::None).consumed);
  EXPECT_EQ(Code(1), "be");
}

TEST_F(GridEditingTest, F1OpensTheCommandsTopicOrTheContents) {
  Order(1, "BE");
  EXPECT_EQ(editing_.KeyPressed(vk::kF1, KeyModifiers::None).contextHelpTopic.value_or(""), "pbe");
  EXPECT_TRUE(editing_.KeyPressed(vk::kF1, KeyModifiers::Shift).mainHelp);
  Order(1, "xyz");
  EXPECT_TRUE(editing_.KeyPressed(vk::kF1, KeyModifiers::None).mainHelp);
}

TEST_F(GridEditingTest, InsertMovesRowsDownAndLeavesABlankCurrentRow) {
  for (int r = 1; r <= 19; ++r) Order(r, CommandCatalogue::ByNumber(r).code.data());
  model_.document.UpdateRowStates([](RowStates& states) { states[5].repeatCount = 7; });
  model_.view.SetRow(5);
  ASSERT_TRUE(editing_.InsertRow());
  EXPECT_TRUE(model_.document.sheet().RowIsBlank(5));
  EXPECT_EQ(model_.document.sheet().Cell(5, col::kTVP), "0");
  EXPECT_EQ(Code(6), std::string(CommandCatalogue::ByNumber(5).code));
  EXPECT_EQ(Code(20), std::string(CommandCatalogue::ByNumber(19).code));
  EXPECT_EQ(model_.document.sheet().Cell(20, col::kLabel), "20.");
  EXPECT_EQ(model_.document.rowStates()[5].repeatCount, 7);  // the state stays with the row number
  EXPECT_TRUE(model_.document.modified());
}

TEST_F(GridEditingTest, InsertAndDuplicateRefuseToPushAnOrderOffTheSheet) {
  Order(20, "be");
  Order(3, "a");
  model_.view.SetRow(3);
  EXPECT_FALSE(editing_.InsertRow());
  EXPECT_FALSE(editing_.DuplicateRow());
  EXPECT_FALSE(editing_.InsertCommandRow(8));
  EXPECT_EQ(Code(20), "be");
  EXPECT_EQ(Code(3), "a");
  EXPECT_FALSE(model_.document.modified());
  model_.document.SetCell(20, col::kCode, "");
  model_.document.SetCell(20, col::kLastParam, "4");  // a lone parameter is an order too
  EXPECT_FALSE(editing_.InsertRow());
}

TEST_F(GridEditingTest, ABlockGoesInAtTheCursorAsTypedAndOneUndoTakesItOut) {
  Order(1, "be");
  SetParams(1, {"1", "", "", "", "", ""});
  Order(2, "ism");
  model_.document.RecordChange();
  const OrderSheet before = model_.document.sheet();
  model_.view.SetRow(2);
  OrderRow sell{"ea", {"12", "", "", "", "", ""}, "99", "99"};  // costs from the file count for nothing
  OrderRow enter{"be", {"1", "", "", "", "", ""}, "0", "0"};
  ASSERT_TRUE(editing_.InsertBlock({sell, enter}));
  EXPECT_EQ(Code(2), "ea");
  EXPECT_EQ(Code(3), "be");
  EXPECT_EQ(Code(4), "ism");
  EXPECT_EQ(model_.document.sheet().Cell(4, col::kLabel), "04.");
  // Interpreted as typing them would: the costs are the interpreter's.
  EXPECT_EQ(model_.document.sheet().Cell(2, col::kTVP),
            InterpretInOrderUpTo(model_.document.sheet(), 2, editor_.lookups()).tvp);
  EXPECT_EQ(model_.document.sheet().Cell(3, col::kTVP),
            InterpretInOrderUpTo(model_.document.sheet(), 3, editor_.lookups()).tvp);
  EXPECT_NE(model_.document.sheet().Cell(2, col::kTVP), "99");
  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(model_.document.sheet(), before);
}

TEST_F(GridEditingTest, ABlockThatWouldPushAnOrderOffTheSheetIsRefusedWhole) {
  for (int r = 1; r <= 17; ++r) Order(r, "be");
  model_.view.SetRow(5);
  EXPECT_EQ(editing_.RoomForBlock(), 3);
  const OrderSheet before = model_.document.sheet();
  const OrderRow row{"ea", {"12", "", "", "", "", ""}, "0", "0"};
  EXPECT_FALSE(editing_.InsertBlock({row, row, row, row}));
  EXPECT_EQ(model_.document.sheet(), before);
  EXPECT_FALSE(model_.document.modified());
  EXPECT_TRUE(editing_.InsertBlock({row, row, row}));
  EXPECT_EQ(Code(20), "be");
  // From row 19 down only two rows are left, whatever is free above.
  model_.view.SetRow(19);
  EXPECT_EQ(editing_.RoomForBlock(), 0);
}

TEST_F(GridEditingTest, DeleteAndDuplicate) {
  Order(1, "a");
  Order(2, "be");
  model_.document.SetCell(2, col::kTVP, "2");
  model_.view.SetRow(2);
  ASSERT_TRUE(editing_.DuplicateRow());
  EXPECT_EQ(model_.document.sheet().Row(3), model_.document.sheet().Row(2));
  editing_.DeleteRow();
  EXPECT_EQ(Code(2), "be");
  EXPECT_TRUE(model_.document.sheet().RowIsBlank(3));
  model_.view.SetRow(20);
  Order(20, "d");
  editing_.DeleteRow();
  EXPECT_TRUE(model_.document.sheet().RowIsBlank(20));
  EXPECT_EQ(model_.document.sheet().Cell(20, col::kKNO), "0");
}

TEST_F(GridEditingTest, MovesAndDragsKeepLabelsInOrder) {
  Order(2, "a");
  Order(3, "xyz");
  model_.view.SetRow(3);
  editing_.MoveRowUp();
  EXPECT_EQ(Code(2), "xyz");
  EXPECT_EQ(model_.view.row(), 2);
  EXPECT_EQ(model_.view.panel().command, "Ismeretlen parancs"_w);
  model_.view.SetRow(1);
  editing_.MoveRowUp();  // nothing on row 1
  EXPECT_EQ(Code(1), "");
  editing_.RowDragged(2, 6);
  EXPECT_EQ(Code(6), "xyz");
  EXPECT_EQ(Code(2), "a");
  for (int r = 1; r <= 20; ++r) EXPECT_EQ(model_.document.sheet().Cell(r, col::kLabel), OrderSheet::RowLabel(r));
}

TEST_F(GridEditingTest, PotionCaptionsAndBrewing) {
  model_.lists.items.names.assign(200, "");
  model_.lists.items.names[44] = "Kék ital"_w;
  model_.lists.items.names[122] = "Zöld ital"_w;
  const Lookups lookups = editor_.lookups();
  EXPECT_EQ(PotionCaption("045 12 13 14", lookups), lookups.ItemName("45"));
  EXPECT_EQ(PotionCaption("123 12 13", lookups), lookups.ItemName("123"));
  EXPECT_EQ(PotionCaption("4 123", lookups), "");
  EXPECT_EQ(PotionCaption("", lookups), "");

  model_.lists.potions = {"123 12 13 14", "045 1 2 3 4 5 6 7 8 9"};
  ASSERT_TRUE(editing_.BrewPotion(PotionCaption("123 12 13 14", lookups)));
  EXPECT_EQ(Code(1), "h");
  EXPECT_EQ(GetParams(1), (Params{"14", "1", "12", "13", "14", ""}));
  model_.view.SetRow(2);
  ASSERT_TRUE(editing_.BrewPotion(PotionCaption("045 1", lookups)));
  EXPECT_EQ(GetParams(2), (Params{"14", "1", "2", "3", "4", "5"}));  // more than 4 blanks: from P2
  EXPECT_FALSE(editing_.BrewPotion("nincs ilyen"));
}

TEST(CompletionTest, FirstMatchingCodeInCatalogueOrder) {
  const struct {
    const char* typed;
    const char* text;
    std::size_t added;
  } cases[] = {{"bs", "bsz", 1}, {"Au", "Auk", 1}, {"b", "b", 0}};
  for (const auto& c : cases) {
    const auto done = CompleteCommand(c.typed);
    ASSERT_TRUE(done) << c.typed;
    EXPECT_EQ(done->text, c.text);
    EXPECT_EQ(done->addedLength, c.added);
  }
  EXPECT_FALSE(CompleteCommand(""));
  EXPECT_FALSE(CompleteCommand("qqq"));
}

TEST(TypingTest, CodeColumnTakesAsciiLettersOnly) {
  EXPECT_TRUE(AcceptsTypedCharacter(col::kCode, 'a'));
  EXPECT_TRUE(AcceptsTypedCharacter(col::kCode, 'Z'));
  EXPECT_FALSE(AcceptsTypedCharacter(col::kCode, '1'));
  EXPECT_FALSE(AcceptsTypedCharacter(col::kCode, '-'));
  EXPECT_FALSE(AcceptsTypedCharacter(col::kCode, U'á'));
  EXPECT_EQ(MaxCellLength(col::kCode), 4);
  EXPECT_EQ(MaxCellLength(col::kFirstParam), 5);
  EXPECT_EQ(MaxCellLength(col::kTVP), 3);
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

TEST(CanTypeTest, LettersInTheCodeDigitsElsewhereEachToItsLength) {
  const struct {
    int column;
    char32_t typed;
    std::size_t length;
    std::optional<char32_t> stored;
  } cases[] = {
      {col::kCode, 'B', 0, 'b'},
      {col::kCode, 'e', 3, 'e'},
      {col::kCode, 'e', 4, std::nullopt},
      {col::kCode, '1', 0, std::nullopt},
      {col::kCode, U'á', 0, std::nullopt},
      {col::kFirstParam, '7', 4, '7'},
      {col::kFirstParam, '7', 5, std::nullopt},
      {col::kLastParam, 'x', 0, std::nullopt},
      {col::kTVP, '9', 2, '9'},
      {col::kKNO, '9', 3, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(CanType(c.column, c.typed, c.length), c.stored) << c.column << " " << c.length;
}

// Every kind of change is one undo step that gives back the sheet exactly.
TEST_F(GridEditingTest, EveryChangeIsOneUndoStepAndRedoGivesItBack) {
  model_.lists.potions = {"045 12 13"};
  const struct {
    const char* what;
    std::function<bool(GridEditing&)> change;
  } changes[] = {
      {"insert", [](GridEditing& e) { return e.InsertRow(); }},
      {"delete",
       [](GridEditing& e) {
         e.DeleteRow();
         return true;
       }},
      {"duplicate", [](GridEditing& e) { return e.DuplicateRow(); }},
      {"move up",
       [](GridEditing& e) {
         e.MoveRowUp();
         return true;
       }},
      {"move down",
       [](GridEditing& e) {
         e.MoveRowDown();
         return true;
       }},
      {"drag",
       [](GridEditing& e) {
         e.RowDragged(1, 3);
         return true;
       }},
      {"picker", [](GridEditing& e) { return e.InsertCommandRow(5); }},
      {"potion", [this](GridEditing& e) { return e.BrewPotion(PotionCaption("045 12 13", editor_.lookups())); }},
  };
  for (const auto& c : changes) {
    editor_.NewSheet();
    model_.lists.potions = {"045 12 13"};
    Order(1, "be");
    Order(2, "ism");
    SetParams(2, {"3", "", "", "", "", ""});
    model_.view.SetRow(2);
    editor_.InterpretCurrentRow();
    model_.document.ResetHistory();
    const OrderSheet before = model_.document.sheet();
    ASSERT_TRUE(c.change(editing_)) << c.what;
    const OrderSheet after = model_.document.sheet();
    ASSERT_NE(after, before) << c.what;
    EXPECT_TRUE(model_.document.modified());
    ASSERT_TRUE(editor_.Undo()) << c.what;
    EXPECT_EQ(Code(1), "be") << c.what;
    EXPECT_EQ(Code(2), "ism") << c.what;
    EXPECT_EQ(model_.document.sheet().Cell(2, col::kFirstParam), "3") << c.what;
    EXPECT_FALSE(model_.document.modified()) << c.what << ": back at the saved state";
    EXPECT_FALSE(editor_.Undo());
    ASSERT_TRUE(editor_.Redo()) << c.what;
    for (int r = 1; r <= OrderSheet::kRows; ++r)
      EXPECT_EQ(model_.document.sheet().Row(r).code, after.Row(r).code) << c.what << r;
    EXPECT_TRUE(model_.document.modified());
  }
}

TEST_F(GridEditingTest, TypingIntoOneCellIsOneStepAndTheHistoryKeepsAHundred) {
  model_.view.SetRow(1);
  for (const char* typed : {"b", "be"}) {
    Order(1, typed);
    editor_.KeyReleased('E', 1, col::kCode);
  }
  model_.document.SetCell(1, col::kFirstParam, "7");
  editor_.KeyReleased('7', 1, col::kFirstParam);
  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(model_.document.sheet().Cell(1, col::kFirstParam), "");
  EXPECT_EQ(Code(1), "be");
  ASSERT_TRUE(editor_.Undo());
  EXPECT_EQ(Code(1), "");
  EXPECT_FALSE(model_.document.modified());

  // A new change after undoing drops the redo steps; saving marks the state.
  Order(3, "e");
  editor_.KeyReleased('E', 3, col::kCode);
  EXPECT_FALSE(editor_.Redo());
  model_.document.MarkSaved(model_.document.fileName());
  model_.document.SetModified(false);
  for (int i = 0; i < 150; ++i) {
    model_.view.SetRow(1);
    editing_.DuplicateRow();
    editing_.DeleteRow();
  }
  int undone = 0;
  while (editor_.Undo()) ++undone;
  EXPECT_EQ(undone, int(SheetHistory::kSteps));
  EXPECT_TRUE(model_.document.modified());  // the saved state fell out of the history
}

}  // namespace
}  // namespace mv
