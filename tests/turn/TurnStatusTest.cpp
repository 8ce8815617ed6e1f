// A whole turn: the state of a character's sheet and its precedence, what
// cannot be read, the budget of each turn and the next turn's sheet.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include "core/CharacterFields.h"
#include "core/Cp1250.h"
#include "core/NextTurn.h"
#include "core/SheetCheck.h"
#include "letter/OrderLetter.h"
#include "store/CharacterStore.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"
#include "tests/turn/TurnFixture.h"
#include "turn/CurrentSheet.h"
#include "turn/NextTurnFile.h"
#include "turn/TurnStatus.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

// Each state, and that the first that applies wins.
TEST_F(TurnStatusTest, EveryStateAndItsPrecedence) {
  const struct {
    const char* what;
    std::function<void(TurnStatusTest&)> files;
    SheetState state;
    int errors;
    const char* text;  // the start of the board's words
  } cases[] = {
      {"no sheet of that turn", [](TurnStatusTest& t) { t.Save(SheetOf("4", {kEnter})); }, SheetState::Missing, 0,
       "nincs UL"},
      {"a sheet that cannot be read",
       [](TurnStatusTest& t) { WriteFileAtomically(t.Dir() / "2345-5.ulf", "5\r\nx\r\n2345\r\n"); }, SheetState::Broken,
       0, "hibás fájl"},
      {"sent, and the password changed since",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         t.Sent(SheetOf("5", {kEnter}), false, "regi");
       },
       SheetState::Sent, 0, "elküldve "},
      {"sent although it has an error",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kUnknown}));
         t.Sent(SheetOf("5", {kUnknown}));
       },
       SheetState::Sent, 1, "elküldve "},
      {"a delivery that was not confirmed",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         t.Sent(SheetOf("5", {kEnter}), true);
       },
       SheetState::Uncertain, 0, "lehet, hogy megérkezett"},
      {"changed since it was sent",
       [](TurnStatusTest& t) {
         t.Sent(SheetOf("5", {kEnter}));
         t.Save(SheetOf("5", {kEnter, kUnknown}));
       },
       SheetState::Changed, 1, "küldés óta módosult, 1 hiba"},
      {"the kept letters cannot be looked at",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         WriteFileAtomically(t.Dir() / "elkuldve", "not a folder");
       },
       SheetState::Unknown, 0, "nem tudom, elment-e"},
      {"its kept letter cannot be read",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         WriteFileAtomically(*t.Sent(SheetOf("5", {kEnter})), std::string(kMaxPlayerFileBytes + 1, 'x'));
       },
       SheetState::Unknown, 0, "nem tudom, elment-e"},
      {"a letter of another character kept under its name",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         t.Sent(SheetOf("5", {kEnter}), false, "titok", "2346");
       },
       SheetState::Ready, 0, "küldhető"},
      {"the newest kept letter another's, an older one its own",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         t.Sent(SheetOf("5", {kEnter}));
         t.Sent(SheetOf("5", {kFood}), false, "titok", "2346");
       },
       SheetState::Sent, 0, "elküldve "},
      {"never sent, and a later turn exists",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("5", {kEnter}));
         t.Save(SheetOf("6", {kFood}));
       },
       SheetState::NotSent, 0, "nem küldted el"},
      {"an error", [](TurnStatusTest& t) { t.Save(SheetOf("5", {kUnknown})); }, SheetState::Errors, 1, "1 hiba"},
      {"over the turn's budget",
       [](TurnStatusTest& t) {
         t.Character("titok", "TVPKeret5=3\r\nTVPKeret6=100\r\n");
         t.Save(SheetOf("5", {kEnter}));  // "be" costs 5
       },
       SheetState::Errors, 1, "1 hiba"},
      {"over the budget an older mv.ini kept for the turn",
       [](TurnStatusTest& t) {
         t.Character("titok", "TVPKeret=3\r\nTVPKeretFordulo=5\r\n");
         t.Save(SheetOf("5", {kEnter}));
       },
       SheetState::Errors, 1, "1 hiba"},
      {"made by the next-turn command",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("4", {kEnter, kFood}));
         t.Save(*NextTurnSheet(SheetOf("4", {kEnter, kFood}), Lookups(t.lists_)));
       },
       SheetState::Review, 0, "átnézendő"},
      {"looked at and changed",
       [](TurnStatusTest& t) {
         t.Save(SheetOf("4", {kEnter, kFood}));
         t.Save(SheetOf("5", {kFood}));
       },
       SheetState::Ready, 0, "küldhető"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Character("titok");
    c.files(*this);
    const TurnStatus status = Status(5);
    EXPECT_EQ(StateKey(status.state), StateKey(c.state));
    EXPECT_EQ(status.errors, c.errors);
    EXPECT_TRUE(cp1250::ToUtf8(StateText(status, canSend_)).starts_with(c.text))
        << cp1250::ToUtf8(StateText(status, canSend_));
  }
}

TEST_F(TurnStatusTest, ACharacterThatCannotSendSaysWhyAndTheBoardListsWhatItCannotPlace) {
  Character("");
  Save(SheetOf("5", {kEnter}));
  Save(SheetOf("x", {kEnter}), "rossz.ulf");                       // no valid turn: ignored
  WriteFileAtomically(dir_ / "2345-4.ulf", "4\r\nx\r\n2345\r\n");  // broken, placed by its name
  const TurnStatus status = Status(5);
  EXPECT_EQ(status.state, SheetState::Ready);
  EXPECT_FALSE(canSend_);
  EXPECT_TRUE(cp1250::ToUtf8(StateText(status, canSend_)).ends_with(", nem küldhető"));

  IniFile ini(dir_ / "mv.ini");
  const TurnOverview overview = ScanTurns({dir_}, ini, lists_);
  const SendOffer offer = OfferOf(status, *overview.Find("2345"));
  EXPECT_EQ(offer.kind, SendOffer::Kind::NotSent);
  EXPECT_EQ(cp1250::ToUtf8(offer.note), "nincs jelszó");
  EXPECT_EQ(overview.ignored, std::vector<std::string>{"rossz.ulf"});
  EXPECT_EQ(overview.Find("2345")->CurrentTurn(), 5);
  EXPECT_EQ(Status(4).state, SheetState::Broken);
}

TEST(SendOfferTest, WhatAllGoesTicksAndWhatItLeaves) {
  CharacterTurns sendable;
  sendable.canSend = true;
  const auto offer = [&](SheetState state, int errors = 0, const CharacterTurns* character = nullptr) {
    TurnStatus s;
    s.state = state;
    s.errors = errors;
    s.unknownWhy = cp1250::FromUtf8("az elkuldve mappa nem olvasható");
    return OfferOf(s, character ? *character : sendable);
  };
  using Kind = SendOffer::Kind;
  EXPECT_EQ(offer(SheetState::Ready).kind, Kind::Ticked);
  EXPECT_EQ(offer(SheetState::Changed).kind, Kind::Unticked);
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Changed).note), "már elküldted");
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Review).note), "ugyanaz, mint az előző fordulóban");
  EXPECT_EQ(offer(SheetState::Unknown).kind, Kind::Unticked);
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Unknown).note), "nem tudom, elment-e: az elkuldve mappa nem olvasható");
  for (const SheetState state :
       {SheetState::Errors, SheetState::Uncertain, SheetState::Broken, SheetState::Missing, SheetState::Sent})
    EXPECT_EQ(offer(state, state == SheetState::Errors).kind, Kind::NotSent) << StateKey(state);
  CharacterTurns unnumbered;
  unnumbered.cannotSend = cp1250::FromUtf8("nincs karakterszám");
  EXPECT_EQ(offer(SheetState::Ready, 0, &unnumbered).kind, Kind::NotSent);
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Ready, 0, &unnumbered).note), "nincs karakterszám");
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Changed, 2).note), "2 hiba");
}

TEST_F(TurnStatusTest, AKeptLettersFolderThatCannotBeReadIsSaidOnce) {
  Character("titok");
  Save(SheetOf("5", {kEnter}));
  WriteFileAtomically(dir_ / "elkuldve", "x");
  IniFile ini(dir_ / "mv.ini");
  const TurnLook look = LookAtTurns(dir_, {dir_}, ini, lists_);
  EXPECT_EQ(look.current[0].status.state, SheetState::Unknown);
  EXPECT_TRUE(cp1250::ToUtf8(look.keptProblem).starts_with("Az elküldött levelek mappája (")) << look.keptProblem;
  EXPECT_TRUE(cp1250::ToUtf8(look.keptProblem).ends_with(". Ezért nem tudom, melyik UL ment el."));
}

using KeptLetterTest = TempDirTest;

TEST_F(KeptLetterTest, AnUnconfirmedDeliveryIsKeptApartAndNotCountedAsTheLastSend) {
  const std::time_t t = 1'800'000'000;
  ArchiveSentLetter(dir_, "2345", "5", "A\r\n", t);
  const auto maybe = ArchiveSentLetter(dir_, "2345", "6", "B\r\n", t + 60, true);
  ASSERT_TRUE(maybe);
  EXPECT_TRUE(maybe->filename().string().ends_with("-bizonytalan.eul"));
  EXPECT_EQ(LastSent(dir_, "2345")->turn, "5");
  const KeptLetters kept(dir_);
  ASSERT_NE(kept.Newest("2345", "6"), nullptr);
  EXPECT_TRUE(kept.Newest("2345", "6")->name.unconfirmed);
  EXPECT_FALSE(kept.Newest("2345", "5")->name.unconfirmed);
  EXPECT_EQ(kept.Newest("2345", "7"), nullptr);
  EXPECT_EQ(kept.Newest("234", "5"), nullptr);
  // A second send in the same second is the newer one.
  ArchiveSentLetter(dir_, "2345", "5", "C\r\n", t);
  EXPECT_EQ(ReadWholeFile(KeptLetters(dir_).Newest("2345", "5")->path), "C\r\n");
}

TEST(NextTurnTest, TheSameOrdersOneTurnOnWithoutTheExtraTurnAndTheQueue) {
  SheetContent sheet = SheetOf("12", {kEnter, {"ism", {"3"}, "0", "0"}, {"ea", {"12"}, "99", "0"}});
  sheet.fields.requestUL = true;
  sheet.fields.delivery = DeliveryForm::Uuencode;
  sheet.fields.extraTurn = true;
  sheet.fields.queued = true;
  sheet.fields.queueCharacter = "2400";
  sheet.fields.queueTurn = "11";
  const ReferenceLists lists;
  const auto next = NextTurnSheet(sheet, Lookups(lists));
  ASSERT_TRUE(next);
  EXPECT_EQ(next->fields.turn, "13");
  EXPECT_TRUE(next->fields.requestUL);
  EXPECT_EQ(next->fields.delivery, DeliveryForm::Uuencode);
  EXPECT_FALSE(next->fields.extraTurn);
  EXPECT_FALSE(next->fields.queued);
  EXPECT_EQ(next->fields.queueCharacter, "");
  EXPECT_EQ(next->characterKey, "2345");
  EXPECT_EQ(next->sheet.Cell(3, col::kCode), "ea");
  EXPECT_EQ(next->sheet.Cell(3, col::kTVP), "5");  // interpreted again, under the repeat
  EXPECT_EQ(next->figures.tvpTotal, "10");
  for (const char* turn : {"0", "", "x", "+3", "2147483647"}) {
    sheet.fields.turn = turn;
    EXPECT_FALSE(NextTurnSheet(sheet, Lookups(lists))) << turn;
  }
}

TEST_F(TurnStatusTest, EachTurnKeepsItsOwnBudgetThroughSavesAndAnOlderIni) {
  Character("titok", "TVPKeret=40\r\nTVPKeretFordulo=11\r\n");
  IniFile ini(dir_ / "mv.ini");
  EXPECT_EQ(ReadTvpBudget(ini, "2345", "11"), 40);  // as an older version kept it
  ASSERT_TRUE(WriteTvpBudget(ini, "2345", "12", "4"));
  ASSERT_TRUE(WriteTvpBudget(ini, "2345", "13", "7"));
  CharacterStore store(ini);
  ASSERT_TRUE(store.Save(store.Load("2345")));  // the character saved again keeps them
  IniFile again(dir_ / "mv.ini");
  EXPECT_EQ(SheetBudget(again, "2345", "11"), 40);
  EXPECT_EQ(SheetBudget(again, "2345", "12"), 4);
  EXPECT_EQ(SheetBudget(again, "2345", "13"), 7);
  EXPECT_EQ(SheetBudget(again, "2345", "14"), std::nullopt);
  EXPECT_EQ(SheetBudget(again, "2999", "12"), std::nullopt);  // not stored
  ASSERT_TRUE(WriteTvpBudget(again, "2345", "12", ""));       // cleared: only that turn's
  EXPECT_EQ(ReadTvpBudget(again, "2345", "12"), std::nullopt);
  EXPECT_EQ(ReadTvpBudget(again, "2345", "13"), 7);
  EXPECT_EQ(ReadTvpBudget(again, "2345", "11"), 40);
  EXPECT_TRUE(WriteTvpBudget(again, "2345", "x", "5"));  // no turn, nothing written
  EXPECT_EQ(again.Read("2345", "TVPKeretx"), "");

  const ReferenceLists lists;
  const auto problems = CheckSheet(SheetOf("5", {kEnter}), Lookups(lists), {4, std::nullopt});
  ASSERT_EQ(CountErrors(problems), 1);
  EXPECT_EQ(cp1250::ToUtf8(ProblemLine(problems[0])), "Össz TVP: 5, de csak 4 TVP-d van erre a fordulóra.");
  EXPECT_EQ(CountErrors(CheckSheet(SheetOf("5", {kEnter}), Lookups(lists), {5, std::nullopt})), 0);

  ASSERT_TRUE(store.Delete("2345"));  // goes with the section
  IniFile after(dir_ / "mv.ini");
  EXPECT_EQ(ReadTvpBudget(after, "2345", "13"), std::nullopt);
}

TEST_F(TurnStatusTest, TheNextTurnIsFoundBesideTheSheetAndInTheFoldersAndNeverReplaced) {
  fs::create_directories(dir_ / "elsewhere");
  const SheetContent next = SheetOf("13", {kEnter});
  WriteFileAtomically(dir_ / "elsewhere" / "sajat.ulf", WriteSheet(next));
  const auto folders = NextTurnFolders({dir_}, dir_ / "elsewhere" / "2345-12.ulf");
  EXPECT_EQ(ExistingSheet(folders, "2345", "13"), dir_ / "elsewhere" / "sajat.ulf");
  EXPECT_EQ(ExistingSheet({dir_}, "2345", "13"), std::nullopt);
  const NextTurnWrite refused = WriteNextTurnSheet(next, "2345", dir_, folders);
  EXPECT_FALSE(refused.written);
  EXPECT_NE(cp1250::ToUtf8(refused.error).find("nem írom felül"), std::string::npos);
  WriteFileAtomically(dir_ / "2345-14.ulf", "sajat\r\n");  // taken by a file that is no sheet
  EXPECT_FALSE(WriteNextTurnSheet(SheetOf("14", {kEnter}), "2345", dir_, {dir_}).written);
  EXPECT_EQ(ReadWholeFile(dir_ / "2345-14.ulf"), "sajat\r\n");
  const NextTurnWrite written = WriteNextTurnSheet(SheetOf("15", {kEnter}), "2345", dir_, {dir_});
  ASSERT_TRUE(written.written);
  EXPECT_EQ(*written.written, dir_ / "2345-15.ulf");
}

}  // namespace
}  // namespace mv
