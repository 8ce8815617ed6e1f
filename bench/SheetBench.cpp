// Opening one order sheet, and the open dialog's scan of a big folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "core/SheetWorkspace.h"
#include "store/SheetDocument.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"

namespace {

namespace fs = std::filesystem;

fs::path SheetFolder(int count) {
  const fs::path dir = fs::temp_directory_path() / ("mvul-bench-sheets-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  mv::OrderDocument document;
  document.EditSheet([](mv::OrderSheet& sheet) {
    for (int r = 1; r <= 20; ++r) sheet.SetRow(r, mv::OrderRow{"be", {"1", "2", "", "", "", ""}, "5", "0"});
  });
  for (int turn = 1; turn <= count; ++turn) {
    document.EditFields([&](mv::SheetFields& f) { f.turn = std::to_string(turn); });
    mv::SaveSheet(document, "2345", dir / ("2345-" + std::to_string(turn) + ".ulf"));
  }
  return dir;
}

void BM_OpenSheet(benchmark::State& state) {
  const fs::path dir = SheetFolder(1);
  mv::SheetWorkspace w;
  for (auto _ : state) {
    mv::OpenSheet(w.editor, dir / "2345-1.ulf", nullptr);
    benchmark::DoNotOptimize(w.document.figures().checkNumber);
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_OpenSheet)->Unit(benchmark::kMicrosecond);

void BM_ScanTenThousandSheets(benchmark::State& state) {
  const fs::path dir = SheetFolder(10000);
  for (auto _ : state) {
    const mv::SheetScan scan = mv::ScanSheetFolders({dir});
    benchmark::DoNotOptimize(scan.sheets.data());
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ScanTenThousandSheets)->Unit(benchmark::kMillisecond);

// The floor to compare the scan with: every file read whole.
void BM_ReadTenThousandSheetsWhole(benchmark::State& state) {
  const fs::path dir = SheetFolder(10000);
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(dir)) bytes += mv::ReadWholeFile(entry.path()).value_or("").size();
    benchmark::DoNotOptimize(bytes);
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ReadTenThousandSheetsWhole)->Unit(benchmark::kMillisecond);

}  // namespace
