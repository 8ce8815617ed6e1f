// Start-up: reading the six numbered lists at their full expected size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/DataListFile.h"

namespace {

namespace fs = std::filesystem;

fs::path WriteFullLists() {
  const fs::path dir = fs::temp_directory_path() / ("mvul-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const struct {
    const char* file;
    int base;
    int count;
  } lists[] = {{"galetkik.dat", 2000, 7999}, {"szovets.dat", 15000, 1000}, {"szornyek.dat", 1, 199},
               {"varazsl.dat", 10, 190},     {"targyak.dat", 1, 399},      {"rtargyak.dat", 1000, 400}};
  for (const auto& l : lists) {
    std::ofstream out(dir / l.file, std::ios::binary);
    for (int i = 0; i < l.count; ++i) out << l.base + i << " N\xe9v sz\xe1ma " << i << "\r\n";
  }
  std::ofstream(dir / "italok.dat", std::ios::binary) << "045 12 13 14\r\n";
  return dir;
}

void BM_LoadReferenceLists(benchmark::State& state) {
  const fs::path dir = WriteFullLists();
  for (auto _ : state) {
    mv::ReferenceLists lists;
    mv::LoadReferenceLists(dir, lists);
    benchmark::DoNotOptimize(lists.characters.names.data());
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_LoadReferenceLists)->Unit(benchmark::kMillisecond);

}  // namespace
