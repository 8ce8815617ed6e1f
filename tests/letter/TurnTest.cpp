// A whole turn: the state of a character's sheet and its precedence, the
// budget, the next turn's sheet, and several letters over one connection.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "core/CharacterFields.h"
#include "core/Cp1250.h"
#include "core/NextTurn.h"
#include "core/SheetCheck.h"
#include "letter/OrderLetter.h"
#include "letter/TurnStatus.h"
#include "store/CharacterStore.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"
#include "tests/SmtpSink.h"
#include "tests/TempDir.h"
#include "tests/letter/Loopback.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

SheetContent SheetOf(const std::string& turn, std::vector<OrderRow> rows) {
  SheetContent sheet;
  sheet.fields.turn = turn;
  sheet.characterKey = "2345";
  for (std::size_t i = 0; i < rows.size(); ++i) sheet.sheet.SetRow(int(i) + 1, rows[i]);
  return sheet;
}

const OrderRow kEnter{"be", {"1", "", "", "", "", ""}, "0", "0"};
const OrderRow kFood{"e", {}, "0", "0"};
const OrderRow kUnknown{"xyz", {}, "0", "0"};

class TurnStatusTest : public TempDirTest {
 public:  // the cases' set-ups write through the fixture
  void Character(const std::string& password, const std::string& extra = {}) {
    WriteFileAtomically(dir_ / "mv.ini", std::string("[Karakterek]\r\n2345=2345\r\n[2345]\r\nKarakterszám=2345\r\n"_w) +
                                             std::string("Karakternév=Kardos\r\nJelszó="_w) + password + "\r\n" +
                                             extra);
  }
  void Save(const SheetContent& sheet, const std::string& name = {}) {
    WriteFileAtomically(dir_ / (name.empty() ? "2345-" + sheet.fields.turn + ".ulf" : name), WriteSheet(sheet));
  }
  // The letter of a sheet kept as sent (or as maybe arrived).
  void Sent(const SheetContent& sheet, bool unconfirmed = false, const std::string& password = "titok") {
    CharacterFields character;
    character.number = "2345";
    character.password = password;
    ArchiveSentLetter(dir_, "2345", sheet.fields.turn, OrderLetterText(sheet.sheet, sheet.fields, character),
                      std::time(nullptr), unconfirmed);
  }
  TurnStatus Status(long long turn) {
    IniFile ini(dir_ / "mv.ini");
    const TurnOverview overview = ScanTurns({dir_}, ini, lists_);
    const CharacterTurns* character = overview.Find("2345");
    EXPECT_NE(character, nullptr);
    canSend_ = character && character->canSend;
    const KeptLetters kept(dir_);
    return character ? StatusOf(*character, turn, {lists_, kept, ini}) : TurnStatus{};
  }
  fs::path Dir() const { return dir_; }
  ReferenceLists lists_;
  bool canSend_ = false;
};

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
      {"an error", [](TurnStatusTest& t) { t.Save(SheetOf("5", {kUnknown})); }, SheetState::Errors, 1, "1 hiba"},
      {"over the turn's budget",
       [](TurnStatusTest& t) {
         t.Character("titok", "TVPKeret=3\r\nTVPKeretFordulo=5\r\n");
         t.Save(SheetOf("5", {kEnter}));  // "be" costs 5
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

TEST_F(TurnStatusTest, ACharacterThatCannotSendSaysSoAndTheBoardListsWhatItCannotPlace) {
  Character("");
  Save(SheetOf("5", {kEnter}));
  Save(SheetOf("x", {kEnter}), "rossz.ulf");                       // no valid turn: ignored
  WriteFileAtomically(dir_ / "2345-7.ulf", "7\r\nx\r\n2345\r\n");  // broken, placed by its name
  const TurnStatus status = Status(5);
  EXPECT_EQ(status.state, SheetState::Ready);
  EXPECT_FALSE(canSend_);
  EXPECT_TRUE(cp1250::ToUtf8(StateText(status, canSend_)).ends_with(", nem küldhető"));
  EXPECT_EQ(OfferOf(status, canSend_).kind, SendOffer::Kind::NotSent);

  IniFile ini(dir_ / "mv.ini");
  const TurnOverview overview = ScanTurns({dir_}, ini, lists_);
  EXPECT_EQ(overview.ignored, std::vector<std::string>{"rossz.ulf"});
  EXPECT_EQ(overview.Find("2345")->CurrentTurn(), 7);
  EXPECT_EQ(Status(7).state, SheetState::Broken);
}

TEST(SendOfferTest, WhatAllGoesTicksAndWhatItLeaves) {
  const auto offer = [](SheetState state, int errors = 0, bool canSend = true) {
    TurnStatus s;
    s.state = state;
    s.errors = errors;
    return OfferOf(s, canSend);
  };
  using Kind = SendOffer::Kind;
  EXPECT_EQ(offer(SheetState::Ready).kind, Kind::Ticked);
  EXPECT_EQ(offer(SheetState::Changed).kind, Kind::Unticked);
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Changed).note), "már elküldted");
  EXPECT_EQ(cp1250::ToUtf8(offer(SheetState::Review).note), "ugyanaz, mint az előző fordulóban");
  for (const SheetState state :
       {SheetState::Errors, SheetState::Uncertain, SheetState::Broken, SheetState::Missing, SheetState::Sent})
    EXPECT_EQ(offer(state, state == SheetState::Errors).kind, Kind::NotSent) << StateKey(state);
  EXPECT_EQ(offer(SheetState::Ready, 0, false).kind, Kind::NotSent);
  EXPECT_EQ(offer(SheetState::Changed, 2).note, "2 hiba");
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

TEST_F(TurnStatusTest, TheBudgetAppliesToItsTurnSurvivesASaveAndIsAnErrorWhenExceeded) {
  Character("titok");
  IniFile ini(dir_ / "mv.ini");
  ASSERT_TRUE(WriteTvpBudget(ini, "2345", {"4", "5"}));
  CharacterStore store(ini);
  ASSERT_TRUE(store.Save(store.Load("2345")));  // the character saved again keeps it
  IniFile again(dir_ / "mv.ini");
  EXPECT_EQ(SheetBudget(again, "2345", "5"), 4);
  EXPECT_EQ(SheetBudget(again, "2345", "6"), std::nullopt);  // another turn's
  EXPECT_EQ(SheetBudget(again, "2999", "5"), std::nullopt);  // not stored

  const ReferenceLists lists;
  const auto problems = CheckSheet(SheetOf("5", {kEnter}), Lookups(lists), 4);
  ASSERT_EQ(CountErrors(problems), 1);
  EXPECT_EQ(cp1250::ToUtf8(ProblemLine(problems[0])), "Össz TVP: 5, de csak 4 TVP-d van erre a fordulóra.");
  EXPECT_EQ(CountErrors(CheckSheet(SheetOf("5", {kEnter}), Lookups(lists), 5)), 0);

  ASSERT_TRUE(store.Delete("2345"));  // goes with the section
  IniFile after(dir_ / "mv.ini");
  EXPECT_EQ(ReadTvpBudget(after, "2345").amount, "");
}

std::vector<MailMessage> ThreeLetters() {
  return {{"ul@localhost", kLetterSubject, "C1=be 1\r\n"},
          {"ul@localhost", kLetterSubject, "C1=e\r\n"},
          {"ul@localhost", kLetterSubject, "C1=ea 2\r\n"}};
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SendAllTest, ThreeLettersGoThroughOneConnection) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  std::vector<std::size_t> told;
  const auto outcomes =
      SmtpTransport(Loopback(sink.port())).SendAll(ThreeLetters(), nullptr, [&](std::size_t i, const SendOutcome& o) {
        if (o.sent()) told.push_back(i);
      });
  ASSERT_EQ(outcomes.size(), 3u);
  for (const SendOutcome& o : outcomes) EXPECT_TRUE(o.sent()) << SendOutcomeMessage(o);
  EXPECT_EQ(told, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(sink.Received(), 3);
  EXPECT_EQ(Count(sink.Commands(), "EHLO"), 1) << sink.Commands();
  EXPECT_NE(sink.Message(3)->find("C1=ea 2"), std::string::npos);
}

TEST(SendAllTest, ARefusedLoginStopsTheRunAndMegseBetweenLettersStopsTheRest) {
  SmtpSink refusing("starttls");
  SmtpSettings s = Loopback(refusing.port(), SmtpSettings::Security::StartTls);
  s.caFile = refusing.CaFile();
  s.user = "jatekos";
  s.password = "rossz";
  const auto refused = SmtpTransport(s).SendAll(ThreeLetters());
  ASSERT_EQ(refused.size(), 1u);  // nothing after it is tried
  EXPECT_EQ(refused[0].status, SendOutcome::Status::LoginRefused);
  EXPECT_EQ(refusing.Received(), 0);

  SmtpSink sink;
  std::atomic<bool> cancel{false};
  const auto stopped = SmtpTransport(Loopback(sink.port())).SendAll(ThreeLetters(), &cancel, [&](std::size_t, auto&) {
    cancel = true;  // "Mégse" while the first letter went
  });
  ASSERT_EQ(stopped.size(), 1u);
  EXPECT_TRUE(stopped[0].sent());
  EXPECT_EQ(sink.Received(), 1);
}

}  // namespace
}  // namespace mv
