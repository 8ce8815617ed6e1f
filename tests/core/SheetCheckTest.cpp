// The whole-sheet check and "Újraszámolás": each kind of problem, a clean
// sheet, and the costs that the kept-TVP commands leave to the player.
#include <gtest/gtest.h>

#include <functional>

#include "core/Cp1250.h"
#include "core/SheetCheck.h"
#include "core/SheetWorkspace.h"
#include "core/TextJoin.h"

namespace mv {
namespace {

using Level = SheetProblem::Level;

struct Row {
  const char* code;
  std::array<const char*, 6> params;
};

const ReferenceLists& Lists() {
  static const ReferenceLists lists = [] {
    ReferenceLists l;
    l.items.names = {"kard", "pajzs"};
    return l;
  }();
  return lists;
}

// Costs and figures as "Újraszámolás" leaves them.
void Recalculate(SheetContent& m) {
  const RecalculatedSheet fresh = Recalculated(m.sheet, Lookups(Lists()));
  m.sheet = fresh.sheet;
  m.figures = fresh.figures;
}

// A sheet as the window holds it after "Újraszámolás": nothing out of date.
SheetContent Fresh(const std::vector<Row>& rows) {
  SheetContent m;
  m.fields.turn = "3";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = int(i) + 1;
    m.sheet.Cell(r, col::kCode) = rows[i].code;
    for (int k = 0; k < 6; ++k)
      m.sheet.Cell(r, col::kFirstParam + k) = rows[i].params[std::size_t(k)] ? rows[i].params[std::size_t(k)] : "";
  }
  Recalculate(m);
  return m;
}

std::vector<SheetProblem> Check(const SheetContent& m) { return CheckSheet(m, Lookups(Lists())); }

std::vector<std::string> Lines(const std::vector<SheetProblem>& problems, Level level) {
  std::vector<std::string> out;
  for (const SheetProblem& p : problems)
    if (p.level == level) out.push_back(cp1250::ToUtf8(ProblemLine(p)));
  return out;
}

TEST(SheetCheckTest, EachKindOfProblemAtItsLevel) {
  const struct {
    const char* what;
    std::vector<Row> rows;
    std::function<void(SheetContent&)> change;
    Level level;
    std::vector<std::string> lines;
  } cases[] = {
      {"unknown code", {{"xyz", {}}}, nullptr, Level::Error, {"1. sor: ismeretlen parancs: xyz"}},
      {"parameters without a code",
       {{"be", {"1"}}, {"", {"", "4"}}},
       nullptr,
       Level::Error,
       {"2. sor: paraméter áll a sorban, de parancs nincs"}},
      {"a parameter that is no integer",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.sheet.Cell(1, col::kFirstParam + 1) = "12a"; },
       Level::Error,
       {"1. sor: 2. paraméter nem szám: 12a"}},
      {"hex is an integer", {{"be", {"$1F"}}}, nullptr, Level::Error, {}},
      {"empty turn",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.fields.turn = ""; },
       Level::Error,
       {"Nincs megadva a forduló."}},
      {"turn zero",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.fields.turn = "0"; },
       Level::Error,
       {"A forduló csak 1 vagy nagyobb egész szám lehet: 0"}},
      {"signed turn",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.fields.turn = "+3"; },
       Level::Error,
       {"A forduló csak 1 vagy nagyobb egész szám lehet: +3"}},
      {"stale TVP",
       {{"e", {}}},
       [](SheetContent& m) { m.sheet.Cell(1, col::kTVP) = "99"; },
       Level::Warning,
       {"Össz TVP 30, az oszlop összege 99", "1. sor: TVP 99, helyesen 30"}},
      {"stale KNO",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.sheet.Cell(1, col::kKNO) = "2"; },
       Level::Warning,
       {"Össz KNO 0, az oszlop összege 2", "1. sor: KNO 2, helyesen 0"}},
      {"\"vált\" counts as 0",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.sheet.Cell(1, col::kKNO) = "vált"_w.data(); },
       Level::Warning,
       {}},
      {"TVP figure",
       {{"e", {}}},
       [](SheetContent& m) { m.figures.tvpTotal = "12"; },
       Level::Warning,
       {"Össz TVP 12, az oszlop összege 30"}},
      {"KNO figure",
       {{"be", {"1"}}},
       [](SheetContent& m) { m.figures.knoTotal = "5"; },
       Level::Warning,
       {"Össz KNO 5, az oszlop összege 0"}},
      {"empty sheet", {}, nullptr, Level::Warning, {"Az UL üres: egyik sorban sincs parancs."}},
      {"item the list cannot name",
       {{"ea", {"7"}}, {"ea", {"1"}}},
       nullptr,
       Level::Notice,
       {"1. sor: nincs a listában: 7 (tárgy)"}},
      {"unknown code is no notice", {{"xyz", {"7"}}}, nullptr, Level::Notice, {}},
  };
  for (const auto& c : cases) {
    SheetContent m = Fresh(c.rows);
    if (c.change) c.change(m);
    const SheetContent before = m;
    const auto problems = Check(m);
    EXPECT_EQ(Lines(problems, c.level), c.lines) << c.what;
    EXPECT_EQ(m.sheet, before.sheet) << c.what << ": the check changes nothing";
    EXPECT_EQ(m.figures.tvpTotal, before.figures.tvpTotal);
  }
}

TEST(SheetCheckTest, ACleanSheetHasNoProblemAndRecalculationClearsStaleCosts) {
  SheetContent m = Fresh({{"be", {"1"}}, {"e", {}}, {"ea", {"2"}}});
  EXPECT_TRUE(Check(m).empty());
  m.sheet.Cell(2, col::kTVP) = "5";
  m.figures.tvpTotal = "77";
  ASSERT_EQ(Check(m).size(), 2u);
  SheetWorkspace w;
  w.lists = Lists();
  w.document.Fill(m);
  w.document.ResetHistory();
  w.editor.Recalculate();
  EXPECT_TRUE(Check(w.document.Content({})).empty());
  EXPECT_TRUE(w.document.modified());
  ASSERT_TRUE(w.editor.Undo());  // one step
  EXPECT_EQ(w.document.sheet().Cell(2, col::kTVP), "5");
  ASSERT_TRUE(w.editor.Redo());

  SheetWorkspace clean;
  clean.lists = Lists();
  clean.document.Fill(Fresh({{"be", {"1"}}}));
  clean.editor.Recalculate();
  EXPECT_FALSE(clean.document.modified());  // nothing changed, nothing marked
}

// A cost typed into a row whose handler keeps the TVP is the player's: the
// check interprets from it and so never calls it stale.
TEST(SheetCheckTest, TheNineKeptTvpCodesKeepThePlayersCost) {
  for (const char* code : {"alc", "h", "k", "kk", "m", "tk", "tr", "v", "sp"}) {
    SheetContent m = Fresh({{code, {}}});
    m.sheet.Cell(1, col::kTVP) = "37";
    Recalculate(m);  // what the handler makes of the typed cost
    const std::string kept = m.sheet.Cell(1, col::kTVP);
    for (const SheetProblem& p : Check(m))
      EXPECT_NE(p.level, Level::Warning) << code << ": " << cp1250::ToUtf8(ProblemLine(p));
    EXPECT_EQ(m.sheet.Cell(1, col::kTVP), kept) << code;
  }
}

// "Új" starts at turn 1: a sheet below the character's newest turn warns,
// and the question before sending names it.
TEST(SheetCheckTest, ATurnBelowTheCharactersNewestIsAWarningThatAsks) {
  const struct {
    const char* turn;
    std::optional<long long> newest;
    const char* says;  // nothing: no such warning
  } cases[] = {
      {"1", 12, "Ez az UL az 1. fordulóra szól, de ennek a karakternek már van 12. fordulós UL-je."},
      {"11", 12, "Ez az UL a 11. fordulóra szól, de ennek a karakternek már van 12. fordulós UL-je."},
      {"5", 50, "Ez az UL az 5. fordulóra szól, de ennek a karakternek már van 50. fordulós UL-je."},
      {"12", 12, nullptr},
      {"13", 12, nullptr},
      {"1", std::nullopt, nullptr},
  };
  for (const auto& c : cases) {
    SheetContent m = Fresh({{"be", {"1"}}});
    m.fields.turn = c.turn;
    Recalculate(m);
    const auto problems = CheckSheet(m, Lookups(Lists()), {std::nullopt, c.newest});
    std::vector<std::string> asks;
    for (const SheetProblem& p : problems)
      if (p.asksBeforeSending) asks.push_back(cp1250::ToUtf8(ProblemLine(p)));
    if (!c.says) {
      EXPECT_TRUE(asks.empty()) << c.turn;
      continue;
    }
    ASSERT_EQ(asks.size(), 1u) << c.turn;
    EXPECT_EQ(asks[0], c.says);
    EXPECT_EQ(CountErrors(problems), 0);  // a warning: it asks, it does not stop
  }
  for (const auto& [n, article] : std::vector<std::pair<long long, std::string>>{{1, "az"},
                                                                                 {2, "a"},
                                                                                 {5, "az"},
                                                                                 {10, "a"},
                                                                                 {12, "a"},
                                                                                 {50, "az"},
                                                                                 {100, "a"},
                                                                                 {512, "az"},
                                                                                 {1000, "az"},
                                                                                 {1999, "az"},
                                                                                 {2000, "a"},
                                                                                 {5000, "az"},
                                                                                 {1000000, "az"}})
    EXPECT_EQ(NumberArticle(n), article) << n;
}

}  // namespace
}  // namespace mv
