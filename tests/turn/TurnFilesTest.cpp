// Nothing in a sheet folder or elkuldve/ can hold the look: FIFOs and a
// sparse giant are no sheets and no letters.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "tests/turn/TurnFixture.h"
#include "turn/CurrentSheet.h"

namespace mv {
namespace {

// Nothing in a sheet folder or elkuldve/ can hold the look: a FIFO is no
// sheet and no letter, and a sheet too large for the reader is broken at once.
TEST_F(TurnStatusTest, NoFileHoldsTheLookAndFilesAreToldApartByWhatTheyAre) {
  Character("titok");
  Save(SheetOf("12", {kEnter}));
  fs::create_directories(dir_ / "elkuldve");
  ASSERT_EQ(::mkfifo((dir_ / "elkuldve" / "2345-12-20250101-120000.eul").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir_ / "2345-13.ulf").c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "2345-14.ulf", "x"));
  ASSERT_EQ(::truncate((dir_ / "2345-14.ulf").c_str(), 1LL << 30), 0);  // a sparse 1 GiB sheet
  fs::create_directories(dir_ / "other");
  WriteFileAtomically(dir_ / "other" / "ul.ulf", WriteSheet(SheetOf("10", {kEnter})));
  WriteFileAtomically(dir_ / "ul.ulf", WriteSheet(SheetOf("11", {kFood})));
  auto look = std::async(std::launch::async, [&] {
    IniFile ini(dir_ / "mv.ini");
    return LookAtTurns(dir_, {dir_, dir_ / "other", dir_}, ini, lists_, [](const CharacterTurns&) {
      return std::vector<long long>{10, 11, 12};
    });
  });
  if (look.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    ADD_FAILURE() << "the look hangs";
    std::_Exit(1);
  }
  const TurnLook seen = look.get();
  ASSERT_EQ(seen.current.size(), 1u);
  const CharacterTurns& character = seen.current[0].character;
  // Two sheets named ul.ulf in two folders are both there; the folder
  // listed twice adds nothing; the FIFO is not a sheet.
  EXPECT_EQ(character.sheets.count(10), 1u);
  EXPECT_EQ(character.sheets.count(11), 1u);
  EXPECT_EQ(character.sheets.count(13), 0u);
  EXPECT_EQ(character.CurrentTurn(), 14);
  EXPECT_EQ(seen.current[0].status.state, SheetState::Broken);
  EXPECT_EQ(StateKey(seen.more[0][2].state), "not_sent");  // turn 12: no letter, the FIFO was none
  EXPECT_EQ(seen.keptProblem, "");
}

}  // namespace
}  // namespace mv
