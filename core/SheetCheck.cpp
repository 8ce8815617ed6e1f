#include "core/SheetCheck.h"

#include <algorithm>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/TextJoin.h"
#include "core/TvpLeft.h"
#include "core/UL.h"

namespace mv {
namespace {

using Level = SheetProblem::Level;

std::string_view KindWord(LookupMiss::Kind kind) {
  switch (kind) {
    case LookupMiss::Kind::Item: return "tárgy"_w;
    case LookupMiss::Kind::Monster: return "torzszülött"_w;
    case LookupMiss::Kind::Spell: return "varázslat"_w;
    case LookupMiss::Kind::Character: return "karakter"_w;
    case LookupMiss::Kind::Alliance: return "szövetség"_w;
  }
  return {};
}

void CheckTurn(const std::string& turn, std::vector<SheetProblem>& out) {
  if (turn.empty()) {
    out.push_back({0, Level::Error, std::string("Nincs megadva a forduló."_w)});
  } else if (!ValidTurn(turn)) {
    out.push_back({0, Level::Error, std::string("A forduló csak 1 vagy nagyobb egész szám lehet: "_w) + turn});
  }
}

// What cannot be meant in a row as the player wrote it.
void CheckCells(const OrderSheet& sheet, int r, std::vector<SheetProblem>& out) {
  const std::string& code = sheet.Cell(r, col::kCode);
  bool anyParam = false;
  for (int k = 1; k <= 6; ++k) anyParam = anyParam || !sheet.Param(r, k).empty();
  if (code.empty() && anyParam)
    out.push_back({r, Level::Error, std::string("paraméter áll a sorban, de parancs nincs"_w)});
  if (!code.empty() && !CommandCatalogue::IsKnownCommand(code))
    out.push_back({r, Level::Error, std::string("ismeretlen parancs: "_w) + code});
  for (int k = 1; k <= 6; ++k) {
    const std::string& p = sheet.Param(r, k);
    if (!p.empty() && !IsInteger(p))
      out.push_back({r, Level::Error, std::to_string(k) + std::string(". paraméter nem szám: "_w) + p});
  }
}

std::string Stale(const char* what, const std::string& held, const std::string& fresh) {
  return std::string(what) + " " + std::to_string(IntOrZero(held)) + ", helyesen " + std::to_string(IntOrZero(fresh));
}

void CheckFigure(const char* name, const std::string& figure, const OrderSheet& sheet, int column,
                 std::vector<SheetProblem>& out) {
  const long long sum = ColumnTotal(sheet, column);
  if (IntOrZero(figure) != sum)
    out.push_back(
        {0, Level::Warning,
         std::string("Össz "_w) + name + " " + figure + std::string(", az oszlop összege "_w) + std::to_string(sum)});
}

}  // namespace

std::vector<SheetProblem> CheckSheet(const SheetContent& held, const Lookups& lookups, const CharacterFacts& facts) {
  std::vector<SheetProblem> out;
  CheckTurn(held.fields.turn, out);
  // "Új" starts at turn 1: a player on turn 12 must not send turn 1 unawares.
  if (const auto turn = ValidTurn(held.fields.turn); turn && facts.newestTurn && *turn < *facts.newestTurn)
    out.push_back({0, Level::Warning,
                   "Ez az UL "_w + std::string(NumberArticle(*turn)) + " " + std::to_string(*turn) +
                       ". fordulóra szól, de ennek a karakternek már van "_w + std::to_string(*facts.newestTurn) +
                       ". fordulós UL-je."_w,
                   true});

  const OrderSheet& sheet = held.sheet;
  std::vector<LookupMiss> misses;
  lookups.SetMissLog(&misses);
  bool anyCode = false;
  long long tvpTotal = 0;
  InterpretInOrder(sheet, lookups, [&](int r, const RowResult& fresh) {
    anyCode = anyCode || !sheet.Cell(r, col::kCode).empty();
    tvpTotal += IntOrZero(fresh.tvp);
    CheckCells(sheet, r, out);
    for (const LookupMiss& m : misses)
      out.push_back({r, Level::Notice,
                     std::string("nincs a listában: "_w) + m.typed + " (" + std::string(KindWord(m.kind)) + ")"});

    std::string stale;
    const auto addStale = [&](const char* what, int column, const std::string& freshCost) {
      if (IntOrZero(sheet.Cell(r, column)) == IntOrZero(freshCost)) return;
      stale += (stale.empty() ? "" : "; ") + Stale(what, sheet.Cell(r, column), freshCost);
    };
    addStale("TVP", col::kTVP, fresh.tvp);
    addStale("KNO", col::kKNO, fresh.kno);
    if (!stale.empty()) out.push_back({r, Level::Warning, stale});
    misses.clear();
  });
  lookups.SetMissLog(nullptr);

  CheckFigure("TVP", held.figures.tvpTotal, held.sheet, col::kTVP, out);
  CheckFigure("KNO", held.figures.knoTotal, held.sheet, col::kKNO, out);
  tvpTotal = std::max(0LL, tvpTotal);
  const std::optional<long long>& tvpBudget = facts.tvpBudget;
  if (tvpBudget && TvpLeftOf(*tvpBudget, tvpTotal, false).over())
    out.push_back({0, Level::Error,
                   std::string("Össz TVP: "_w) + std::to_string(tvpTotal) + ", de csak " + std::to_string(*tvpBudget) +
                       std::string(" TVP-d van erre a fordulóra."_w)});
  if (!anyCode) out.push_back({0, Level::Warning, std::string("Az UL üres: egyik sorban sincs parancs."_w)});

  // Row order, the sheet-wide lines first, then by level within a row.
  std::stable_sort(out.begin(), out.end(), [](const SheetProblem& a, const SheetProblem& b) {
    return a.row != b.row ? a.row < b.row : a.level < b.level;
  });
  return out;
}

std::string ProblemLine(const SheetProblem& p) {
  return p.row == 0 ? p.text : std::to_string(p.row) + ". sor: " + p.text;
}

const char* LevelName(SheetProblem::Level level) {
  switch (level) {
    case Level::Error: return "error";
    case Level::Warning: return "warning";
    case Level::Notice: break;
  }
  return "notice";
}

int CountErrors(const std::vector<SheetProblem>& problems) {
  return int(
      std::count_if(problems.begin(), problems.end(), [](const SheetProblem& p) { return p.level == Level::Error; }));
}

}  // namespace mv
