// mv.ini with many characters: reading it and listing them must grow
// linearly with the file.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Cp1250.h"
#include "store/CharacterStore.h"
#include "store/IniFile.h"
#include "store/Settings.h"

namespace {

std::string IniWithSections(int count) {
  std::string index = "[Karakterek]\r\nBetolt=Utolso\r\n", sections;
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(2000 + i);
    index += key + "=" + key + "\r\n";
    sections +=
        "[" + key + "]\r\nKarakterszám=" + key + "\r\nKarakternév=Név " + key + "\r\nJelszó=titok\r\nPortya=10\r\n";
  }
  return index + mv::cp1250::FromUtf8(sections);
}

void BM_IniReadAndList(benchmark::State& state) {
  const std::string text = IniWithSections(int(state.range(0)));
  for (auto _ : state) {
    mv::IniFile ini = mv::IniFile::FromText(text);
    benchmark::DoNotOptimize(mv::CharacterStore(ini).ListItems().size());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IniReadAndList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

namespace {
void BM_IniParse(benchmark::State& state) {
  const std::string text = IniWithSections(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(mv::IniFile::FromText(text).Read("2500", "Portya"));
}
BENCHMARK(BM_IniParse)->Arg(100000)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
// The open dialog's search folders: reading the settings walks the section once.
void BM_SettingsWithSearchFolders(benchmark::State& state) {
  std::string text = "[KeresesiUtvonalak]\r\n";
  for (int i = 1; i <= state.range(0); ++i)
    text += "utvonal" + std::to_string(i) + "=/lapok/" + std::to_string(i) + "\r\n";
  const mv::IniFile ini = mv::IniFile::FromText(text);
  for (auto _ : state) benchmark::DoNotOptimize(mv::ReadSettings(ini).searchPaths.size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SettingsWithSearchFolders)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
}  // namespace
