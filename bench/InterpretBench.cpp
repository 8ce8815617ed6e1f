// What one keystroke costs: interpreting the current row and recomputing the
// figures of a full sheet, with reference lists of full size; and the
// whole-sheet check of a full sheet.
#include <benchmark/benchmark.h>

#include "core/CommandCatalogue.h"
#include "core/SheetCheck.h"
#include "core/SheetWorkspace.h"

namespace {

void FillFull(mv::SheetWorkspace& w) {
  auto fill = [](mv::DataList& list, int count, const char* stem) {
    list.names.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) list.names[std::size_t(i)] = stem + std::to_string(i);
  };
  fill(w.lists.characters, 7999, "Karakter ");
  fill(w.lists.monsters, 5000, "Torz ");
  fill(w.lists.items, 1000, "Targy ");
  fill(w.lists.randomItems, 450, "kard");
  fill(w.lists.spells, 3000, "Varazslat ");
  fill(w.lists.alliances, 5000, "Szovetseg ");
  for (int i = 0; i < 200; ++i)
    w.lists.potions.push_back(std::to_string(100 + i) + " " + std::to_string(20 + i) + " 30 40");
  w.document.EditSheet([](mv::OrderSheet& sheet) {
    for (int r = 1; r <= mv::OrderSheet::kRows; ++r) {
      const auto& cmd = mv::CommandCatalogue::ByNumber(r * 5);
      sheet.SetRow(r, mv::OrderRow{std::string(cmd.code), {"12", "1450", "3", "25", "30", "2001"}, "5", "0"});
    }
  });
}

void BM_InterpretRow(benchmark::State& state) {
  mv::SheetWorkspace w;
  FillFull(w);
  int row = 0;
  for (auto _ : state) {
    w.view.SetRow(row % mv::OrderSheet::kRows + 1);
    w.editor.InterpretCurrentRow();
    benchmark::DoNotOptimize(w.document.figures().checkNumber);
    ++row;
  }
}
BENCHMARK(BM_InterpretRow);

// A whole keystroke in the window: the key release interprets the row.
void BM_KeyReleaseOnPotionRow(benchmark::State& state) {
  mv::SheetWorkspace w;
  FillFull(w);
  w.document.EditSheet([](mv::OrderSheet& sheet) {
    sheet.SetRow(3, mv::OrderRow{"h", {"14", "1", "30", "25", "", ""}, "5", "0"});
  });
  for (auto _ : state) {
    w.editor.KeyReleased('5', 3, 4);
    benchmark::DoNotOptimize(w.view.panel().lines[7]);
  }
}
BENCHMARK(BM_KeyReleaseOnPotionRow);

// "Ellenőrzés" and mvulc check on a full 20-row sheet.
void BM_CheckFullSheet(benchmark::State& state) {
  mv::SheetWorkspace w;
  FillFull(w);
  const mv::SheetContent sheet = w.document.Content("2345");
  const mv::Lookups lookups = w.editor.lookups();
  for (auto _ : state) {
    const auto problems = mv::CheckSheet(sheet, lookups);
    benchmark::DoNotOptimize(problems.data());
  }
}
BENCHMARK(BM_CheckFullSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
