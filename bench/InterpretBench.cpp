// What one keystroke costs: interpreting the current row and recomputing the
// figures of a full sheet, with reference lists of full size.
#include <benchmark/benchmark.h>

#include "core/CommandCatalogue.h"
#include "core/SheetEditor.h"

namespace {

mv::EditorModel FullModel() {
  mv::EditorModel m;
  auto fill = [](mv::DataList& list, int count, const char* stem) {
    list.names.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) list.names[std::size_t(i)] = stem + std::to_string(i);
  };
  fill(m.lists.characters, 7999, "Karakter ");
  fill(m.lists.monsters, 5000, "Torz ");
  fill(m.lists.items, 1000, "Targy ");
  fill(m.lists.randomItems, 450, "kard");
  fill(m.lists.spells, 3000, "Varazslat ");
  fill(m.lists.alliances, 5000, "Szovetseg ");
  for (int i = 0; i < 200; ++i)
    m.lists.potions.push_back(std::to_string(100 + i) + " " + std::to_string(20 + i) + " 30 40");
  for (int r = 1; r <= mv::OrderSheet::kRows; ++r) {
    const auto& cmd = mv::CommandCatalogue::ByNumber(r * 5);
    m.sheet.SetRow(r, mv::OrderRow{std::string(cmd.code), {"12", "1450", "3", "25", "30", "2001"}, "5", "0"});
  }
  return m;
}

void BM_InterpretRow(benchmark::State& state) {
  mv::EditorModel model = FullModel();
  mv::SheetEditor editor(model);
  int row = 0;
  for (auto _ : state) {
    model.currentRow = row % mv::OrderSheet::kRows + 1;
    editor.InterpretCurrentRow();
    benchmark::DoNotOptimize(model.figures.checkNumber);
    ++row;
  }
}
BENCHMARK(BM_InterpretRow);

// A whole keystroke in the window: the key release interprets the row.
void BM_KeyReleaseOnPotionRow(benchmark::State& state) {
  mv::EditorModel model = FullModel();
  model.sheet.SetRow(3, mv::OrderRow{"h", {"14", "1", "30", "25", "", ""}, "5", "0"});
  mv::SheetEditor editor(model);
  for (auto _ : state) {
    editor.KeyReleased('5', 3, 4);
    benchmark::DoNotOptimize(model.panel.lines[7]);
  }
}
BENCHMARK(BM_KeyReleaseOnPotionRow);

}  // namespace
