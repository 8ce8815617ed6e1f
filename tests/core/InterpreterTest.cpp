#include "core/Potions.h"
#include "core/UL.h"

#include <gtest/gtest.h>

#include "core/CommandCatalogue.h"
#include "core/CommandHandlers.h"
#include "core/Cp1250.h"
#include "core/SheetWorkspace.h"

namespace mv {
namespace {

class InterpreterTest : public ::testing::Test {
 protected:
  void Put(int row, std::initializer_list<std::string> cells) {
    int c = col::kCode;
    for (const std::string& text : cells) model.document.SetCell(row, c++, text);
  }
  void Interpret(int row) {
    model.view.SetRow(row);
    editor.InterpretCurrentRow();
  }

  SheetWorkspace model;
  SheetEditor& editor = model.editor;
};

TEST_F(InterpreterTest, EmptyRowShowsNothingAndCostsNothing) {
  model.view.SetPanel(DescriptionPanel{"old", {"", "", "", "old"}});
  Put(1, {"", "", "", "", "", "", "", "7", "8"});
  Interpret(1);
  EXPECT_EQ(model.view.panel().command, "");
  for (const auto& line : model.view.panel().lines) EXPECT_EQ(line, "");
  EXPECT_EQ(model.document.sheet().Cell(1, col::kTVP), "0");
  EXPECT_EQ(model.document.sheet().Cell(1, col::kKNO), "0");
}

TEST_F(InterpreterTest, UnknownCode) {
  Put(2, {"xyz", "1", "", "", "", "", "", "12", "3"});
  Interpret(2);
  EXPECT_EQ(model.view.panel().command, "Ismeretlen parancs");
  EXPECT_EQ(model.document.sheet().Cell(2, col::kTVP), "0");
  EXPECT_EQ(model.document.sheet().Cell(2, col::kKNO), "0");
}

TEST_F(InterpreterTest, CaptionIsTheCommandNameWhateverTheCase) {
  for (const char* code : {"BE", "Be", "be"}) {
    Put(1, {code});
    Interpret(1);
    EXPECT_EQ(model.view.panel().command, "Belépés épületbe"_w) << code;
  }
  Put(1, {" be"});
  Interpret(1);
  EXPECT_EQ(model.view.panel().command, "Ismeretlen parancs");
}

TEST(FrameResetsTVP, ExactlyTheNineCodesKeepTheirCost) {
  std::vector<std::string_view> kept;
  for (int n = 1; n <= CommandCatalogue::kCount; ++n)
    if (!FrameResetsTVP(CommandCatalogue::ByNumber(n).code)) kept.push_back(CommandCatalogue::ByNumber(n).code);
  EXPECT_EQ(kept, (std::vector<std::string_view>{"alc", "h", "k", "kk", "m", "tk", "tr", "v", "sp"}));
  EXPECT_TRUE(FrameResetsTVP(""));
  EXPECT_TRUE(FrameResetsTVP("xyz"));
}

TEST_F(InterpreterTest, TotalsAddAllCellsAndNeverShowNegative) {
  Put(1, {"", "", "", "", "", "", "", "5", "2"});
  Put(2, {"", "", "", "", "", "", "", "vált", "x"});
  Put(3, {"", "", "", "", "", "", "", "-20", "-1"});
  Put(4, {"xyz"});
  Interpret(4);
  EXPECT_EQ(model.document.figures().tvpTotal, "0");  // 5 - 20 clamps at 0
  EXPECT_EQ(model.document.figures().knoTotal, "1");
  model.document.SetCell(3, col::kTVP, "10");
  Interpret(4);
  EXPECT_EQ(model.document.figures().tvpTotal, "15");
}

TEST_F(InterpreterTest, CheckNumberSumsParametersAndMayBeNegative) {
  Put(1, {"xyz", "10", "-30", "abc", "$10", "", "1 "});
  Interpret(1);
  EXPECT_EQ(model.document.figures().checkNumber, "-4");  // 10 - 30 + 16
}

TEST_F(InterpreterTest, MovementRowsCountByTheirFirstFourCharacters) {
  Put(1, {"m", "123456", "12", "12345", "12a45", "", ""});
  Interpret(1);
  EXPECT_TRUE(model.document.rowStates()[1].isMovementRow);
  EXPECT_EQ(model.document.figures().checkNumber, std::to_string(1234 + 12 + 1234));

  Put(1, {"xyz"});
  Interpret(1);
  EXPECT_FALSE(model.document.rowStates()[1].isMovementRow);
  EXPECT_EQ(model.document.figures().checkNumber, std::to_string(123456 + 12 + 12345));
}

TEST_F(InterpreterTest, MovementPrefixThatIsNoIntegerCountsZero) {
  Put(1, {"m", "  12345", "-1234", "+12345", "   -1"});
  Interpret(1);
  // "  12" -> 12, "-123" -> -123, "+123" -> 123, "   -" is no integer -> 0
  EXPECT_EQ(model.document.figures().checkNumber, std::to_string(12 - 123 + 123 + 0));
}

TEST_F(InterpreterTest, OtherRowsKeepTheirMovementStateUntilInterpreted) {
  Put(1, {"m", "123456"});
  Interpret(1);
  Put(2, {"xyz", "1"});
  Interpret(2);
  EXPECT_EQ(model.document.figures().checkNumber, std::to_string(1234 + 1));
  model.document.SetRowStates(RowStates{});
  Interpret(2);
  EXPECT_EQ(model.document.figures().checkNumber, std::to_string(123456 + 1));
}

TEST_F(InterpreterTest, RowStateIsResetForTheInterpretedRowOnly) {
  model.document.UpdateRowStates([](RowStates& states) {
    states[3] = RowFlags{4, true, true, 2, true, true, true};
    states[4].atTrader = true;
  });
  Put(3, {"xyz"});
  Interpret(3);
  EXPECT_EQ(model.document.rowStates()[3].repeatCount, 0);
  EXPECT_FALSE(model.document.rowStates()[3].atTrader);
  EXPECT_FALSE(model.document.rowStates()[3].isMovementRow);
  EXPECT_TRUE(model.document.rowStates()[4].atTrader);
}

TEST_F(InterpreterTest, RepeatCountOfTheRowAboveMultipliesCosts) {
  RowStates states;
  RowResult result;
  const Lookups lookups(model.lists);
  HandlerContext first(model.document.sheet(), 1, states, lookups, result);
  EXPECT_EQ(first.Repeated(5), 5);  // row 0 never repeats
  states[4].repeatCount = 3;
  HandlerContext below(model.document.sheet(), 5, states, lookups, result);
  EXPECT_EQ(below.Repeated(5), 15);
}

TEST(PotionRecipeKey, Cases) {
  struct Case {
    std::array<std::string, 5> components;
    const char* key;
  } cases[] = {
      {{"1", "30", "25", "", ""}, "25 30"},     {{"30", "", "", "", ""}, "30 999"},
      {{"", "", "", "", ""}, " 999"},           {{"2", "", "", "", ""}, " 999"},
      {{"40", "30", "20", "", ""}, "20 30 40"}, {{"5", "30", "40", "50", "60"}, "30 40 50 60"},
      {{"0", "-3", "x", "25", "21"}, "21 25"},  {{"25", "1", "2", "", ""}, "2 25"},
  };
  for (const Case& c : cases) EXPECT_EQ(PotionRecipeKey(c.components), c.key);
}

TEST_F(InterpreterTest, PotionRecipeHint) {
  model.lists.items.names.assign(200, "");
  model.lists.items.names[44] = cp1250::FromUtf8("Gyógyital");
  model.lists.items.names[122] = "Elixir";
  model.lists.potions = {"045 25 30", "123 40 50", "100 60 70", "0 5 99"};

  struct Case {
    std::initializer_list<std::string> row;
    const char* hint;
  } cases[] = {
      {{"h", "14", "1", "30", "25"}, "Gyógyital (#45)"},
      {{"H", "14", "50", "40"}, "Elixir (#123)"},
      {{"h", "14", "70", "60"}, "Sikertelen próbálkozás"},
      {{"h", "14", "3", "33"}, "Ismeretlen próbálkozás"},
      {{"h", "15", "30", "25"}, ""},
      {{"h", "014", "30", "25"}, ""},
      {{"a", "14", "30", "25"}, ""},
  };
  for (const Case& c : cases) {
    for (int k = col::kCode; k <= col::kLastParam; ++k) model.document.SetCell(1, k, "");
    Put(1, c.row);
    Interpret(1);
    EXPECT_EQ(cp1250::ToUtf8(model.view.panel().lines[7]), c.hint) << *c.row.begin() << " " << *(c.row.begin() + 2);
  }

  model.lists.potions.clear();
  Put(1, {"h", "14", "3", "33"});
  Interpret(1);
  EXPECT_EQ(model.view.panel().lines[7], "");
}

TEST_F(InterpreterTest, SelectingAnotherRowInterpretsItOnce) {
  Put(2, {"xyz"});
  editor.SelectCell(1, 3);
  EXPECT_EQ(model.view.panel().command, "");  // same row: nothing interpreted
  EXPECT_EQ(model.view.column(), 3);
  editor.SelectCell(2, 1);
  EXPECT_EQ(model.view.row(), 2);
  EXPECT_EQ(model.view.panel().command, "Ismeretlen parancs");
}

TEST_F(InterpreterTest, KeyReleaseMarksAndInterpretsUnlessNavigation) {
  Put(1, {"xyz"});
  struct Case {
    int key;
    bool interprets;
  } cases[] = {
      {16, true},  {17, true},  {9, true},    {13, true},  {36, true},  {46, true},  {65, true},
      {37, false}, {40, false}, {113, false}, {20, false}, {33, false}, {42, false}, {145, false},
  };
  for (const Case& c : cases) {
    model.document.SetModified(false);
    model.view.SetPanel({});
    EXPECT_EQ(editor.KeyReleased(c.key, 1, 2), c.interprets) << c.key;
    EXPECT_EQ(model.document.modified(), c.interprets) << c.key;
    EXPECT_EQ(model.view.panel().command.empty(), !c.interprets) << c.key;
  }
}

TEST_F(InterpreterTest, NewSheetClearsRowsFiguresAndStateButNotLabels) {
  Put(5, {"be", "1", "", "", "", "", "", "2", "0"});
  model.document.SetFigures(SheetFigures{"9", "0", "0"});
  model.document.UpdateRowStates([](RowStates& states) { states[5].atTrader = true; });
  model.document.SetModified(true);
  model.document.SetFileName("x.ulf");
  model.character.deliveryForm = DeliveryForm::Uuencode;
  model.document.EditFields([&](SheetFields& f) { f.queued = true; });
  model.document.EditFields([&](SheetFields& f) { f.queueTurn = "12"; });
  editor.NewSheet();
  EXPECT_TRUE(model.document.sheet().RowIsBlank(5));
  EXPECT_EQ(model.document.sheet().Cell(5, col::kTVP), "0");
  EXPECT_EQ(model.document.sheet().Cell(5, col::kLabel), "05.");
  EXPECT_EQ(model.document.figures().checkNumber, "0");
  EXPECT_FALSE(model.document.rowStates()[5].atTrader);
  EXPECT_FALSE(model.document.modified());
  EXPECT_EQ(model.document.fileName(), "");
  EXPECT_EQ(model.document.fields().delivery, DeliveryForm::Uuencode);
  EXPECT_FALSE(model.document.fields().queued);
  EXPECT_EQ(model.document.fields().queueTurn, "");
  EXPECT_EQ(model.view.row(), 1);
}

}  // namespace
}  // namespace mv
