// Across the turns: a sheet compared with the turn before and with what went,
// every sheet searched, and the next sheet that needs the player.
#include <gtest/gtest.h>

#include "core/Lookups.h"
#include "platform/Paths.h"
#include "tests/turn/TurnFixture.h"
#include "turn/CurrentSheet.h"
#include "turn/SheetComparison.h"
#include "turn/TurnSearch.h"

namespace mv {
namespace {

const OrderRow kSell{"ea", {"12", "", "", "", "", ""}, "0", "0"};
const OrderRow kSellOther{"ea", {"13", "", "", "", "", ""}, "0", "0"};

using AcrossTurnsTest = TurnStatusTest;

TEST_F(AcrossTurnsTest, TheSentLetterIsComparedAsTheStatesCompareIt) {
  Character("titok");
  const SheetContent sent = SheetOf("12", {kEnter, kSell});
  ASSERT_TRUE(Sent(sent));
  const Lookups lookups(lists_);
  // A new password is no change of orders.
  EXPECT_TRUE(CompareWithSent(sent, Dir(), lookups).diff.same());
  SheetContent changed = SheetOf("12", {kSellOther, kEnter});
  changed.fields.requestUL = true;
  const Comparison c = CompareWithSent(changed, Dir(), lookups);
  ASSERT_TRUE(c.ok()) << c.error;
  EXPECT_FALSE(c.diff.same());
  EXPECT_EQ(c.diff.fields, std::vector<std::string>{"UL"});
  // "be" keeps its order against "ea", so "ea" is the one that moved and changed.
  const std::vector<RowDiff> expected = {{2, 1, RowChange::Changed, {1}}};
  std::vector<RowDiff> changes;
  for (const RowDiff& r : c.diff.rows)
    if (r.change != RowChange::Same) changes.push_back(r);
  EXPECT_EQ(changes, expected);
  EXPECT_EQ(c.other.parent_path().filename(), "elkuldve");
}

TEST_F(AcrossTurnsTest, NothingToCompareIsSaid) {
  Character("titok");
  const Lookups lookups(lists_);
  const SheetContent sheet = SheetOf("12", {kEnter});
  EXPECT_FALSE(CompareWithSent(sheet, Dir(), lookups).ok());
  // A letter kept under this character's name but carrying another's number is not his.
  ASSERT_TRUE(Sent(sheet, false, "titok", "2346"));
  EXPECT_FALSE(CompareWithSent(sheet, Dir(), lookups).ok());
  EXPECT_FALSE(CompareWithTurnBefore(sheet, {Dir()}, lookups).ok());
  Save(SheetOf("10", {kSell}));
  const Comparison before = CompareWithTurnBefore(sheet, {Dir()}, lookups);
  ASSERT_TRUE(before.ok()) << before.error;
  EXPECT_EQ(before.other.filename(), "2345-10.ulf");
  EXPECT_EQ(before.diff.fields, std::vector<std::string>{"FORD"});
}

TEST_F(AcrossTurnsTest, EverySheetOfEveryTurnIsSearched) {
  Character("titok");
  lists_.items.names.assign(11, "");
  lists_.items.names.emplace_back("Kard");
  Save(SheetOf("11", {kEnter, kSell}));
  Save(SheetOf("12", {kSellOther}));
  SheetContent other = SheetOf("3", {kSell});
  other.characterKey = "2346";
  WriteFileAtomically(Dir() / "2346-3.ulf", WriteSheet(other));
  WriteFileAtomically(Dir() / "2345-13.ulf", "nem UL\r\n");  // unreadable: passed over
  IniFile ini(Dir() / "mv.ini");
  const TurnOverview overview = ScanTurns({Dir()}, ini, lists_);
  std::vector<std::string> found;
  for (const SearchResult& r : SearchTurns(overview, lists_, OrderSearch(std::string_view("kard"), false, lists_)))
    found.push_back(r.character + "/" + std::to_string(r.turn) + "/" + std::to_string(r.hit.row) + "/" +
                    Utf8(r.sheet.filename()));
  EXPECT_EQ(found, (std::vector<std::string>{"2345/11/2/2345-11.ulf", "2346/3/1/2346-3.ulf"}));
}

TEST(NextNeedingTest, GoesInBoardOrderAndAround) {
  const SheetState states[] = {SheetState::Ready,     SheetState::Missing, SheetState::Sent,    SheetState::Errors,
                               SheetState::Uncertain, SheetState::Review,  SheetState::NotSent, SheetState::Changed,
                               SheetState::Unknown,   SheetState::Broken};
  std::vector<CurrentSheet> board;
  for (const SheetState state : states) {
    CurrentSheet sheet;
    sheet.character.key = std::to_string(2001 + board.size());
    sheet.status.state = state;
    board.push_back(sheet);
  }
  std::vector<std::size_t> visited;
  std::string at;
  for (int i = 0; i < 7; ++i) {
    const auto next = NextNeedingThePlayer(board, at);
    ASSERT_TRUE(next);
    visited.push_back(next->index);
    at = board[next->index].character.key;
  }
  EXPECT_EQ(visited, (std::vector<std::size_t>{1, 3, 5, 7, 8, 9, 1}));
  EXPECT_EQ(NextNeedingThePlayer(board, "9999")->index, 1u);  // from the top when the shown one is not on the board
  for (CurrentSheet& sheet : board)
    if (NeedsThePlayer(sheet.status.state)) sheet.status.state = SheetState::Ready;
  EXPECT_FALSE(NextNeedingThePlayer(board, at));
  EXPECT_FALSE(NextNeedingThePlayer({}, ""));
  // A character whose last sheet went while the others are a turn further has its next turn due.
  board[0].character.sheets[12] = "2001-12.ulf";
  board[2].character.sheets[11] = "2003-11.ulf";
  EXPECT_EQ(StepFor(board[2], 12), NextStep::NextTurn);
  EXPECT_EQ(StepFor(board[0], 12), NextStep::None);
  EXPECT_EQ(NextNeedingThePlayer(board, "")->index, 2u);
  EXPECT_EQ(NextNeedingThePlayer(board, "")->step, NextStep::NextTurn);
}

}  // namespace
}  // namespace mv
