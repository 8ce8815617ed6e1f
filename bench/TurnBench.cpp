// "mvulc status" and the board over a big folder: 100 characters of 52
// turns each, half of them with a kept letter, beside the open dialog's scan
// of the same folder; and over many characters, each with budgets and a
// sheet, where the time must grow with the characters, no faster.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "core/CharacterFields.h"
#include "letter/OrderLetter.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"
#include "turn/CurrentSheet.h"
#include "turn/TurnSearch.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCharacters = 100;
constexpr int kTurns = 52;

// Made once for both benchmarks, removed at exit.
struct Folder {
  fs::path path;
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& TurnFolder() {
  static const Folder dir{[] {
    const fs::path d = fs::temp_directory_path() / ("mvul-bench-turns-" + std::to_string(::getpid()));
    fs::create_directories(d);
    std::string ini = "[Karakterek]\r\n";
    for (int c = 0; c < kCharacters; ++c) ini += std::to_string(2000 + c) + "=" + std::to_string(2000 + c) + "\r\n";
    for (int c = 0; c < kCharacters; ++c)
      ini += "[" + std::to_string(2000 + c) + "]\r\nJelsz\xF3=titok\r\nKaraktersz\xE1m=" + std::to_string(2000 + c) +
             "\r\n";
    mv::WriteFileAtomically(d / "mv.ini", ini);
    for (int c = 0; c < kCharacters; ++c) {
      mv::CharacterFields character;
      character.number = std::to_string(2000 + c);
      for (int turn = 1; turn <= kTurns; ++turn) {
        mv::SheetContent sheet;
        sheet.fields.turn = std::to_string(turn);
        sheet.characterKey = character.number;
        for (int r = 1; r <= 12; ++r) sheet.sheet.SetRow(r, mv::OrderRow{"be", {std::to_string(r)}, "5", "0"});
        mv::WriteFileAtomically(d / (character.number + "-" + sheet.fields.turn + ".ulf"), mv::WriteSheet(sheet));
        if ((c + turn) % 2 == 0)
          mv::ArchiveSentLetter(d, character.number, sheet.fields.turn,
                                mv::OrderLetterText(sheet.sheet, sheet.fields, character), 1'800'000'000 + turn);
      }
    }
    return d;
  }()};
  return dir.path;
}

// "Keresés az UL-ekben…" over the same 5,200 sheets: a code every row has
// (12 hits a sheet), a name some list holds (every sheet interpreted), and a
// text nothing has.
void BM_SearchEverySheet(benchmark::State& state) {
  const fs::path& dir = TurnFolder();
  mv::ReferenceLists lists;
  lists.items.names = {"Kard", "Pajzs", "Sisak"};
  const char* texts[] = {"be", "kard", "semmi"};
  const mv::OrderSearch search(std::string_view(texts[state.range(0)]), false, lists);
  for (auto _ : state) {
    mv::IniFile ini(dir / "mv.ini");
    const mv::TurnOverview overview = mv::ScanTurns({dir}, ini, lists);
    benchmark::DoNotOptimize(mv::SearchTurns(overview, lists, search).size());
  }
}
BENCHMARK(BM_SearchEverySheet)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_StatusOfEveryCharacter(benchmark::State& state) {
  const fs::path& dir = TurnFolder();
  const mv::ReferenceLists lists;
  for (auto _ : state) {
    mv::IniFile ini(dir / "mv.ini");
    const mv::TurnLook look = mv::LookAtTurns(dir, {dir}, ini, lists);
    int sent = 0;
    for (const mv::CurrentSheet& c : look.current) sent += c.status.state == mv::SheetState::Sent;
    benchmark::DoNotOptimize(sent);
  }
}
BENCHMARK(BM_StatusOfEveryCharacter)->Unit(benchmark::kMillisecond);

// N stored characters, each with a budget for three turns and one sheet.
const fs::path& ManyCharacters(int count) {
  static std::map<int, Folder> folders;
  Folder& folder = folders[count];
  if (!folder.path.empty()) return folder.path;
  folder.path =
      fs::temp_directory_path() / ("mvul-bench-characters-" + std::to_string(::getpid()) + "-" + std::to_string(count));
  fs::create_directories(folder.path);
  std::string ini = "[Karakterek]\r\n";
  for (int c = 0; c < count; ++c) ini += std::to_string(2000 + c) + "=" + std::to_string(2000 + c) + "\r\n";
  for (int c = 0; c < count; ++c) {
    const std::string number = std::to_string(2000 + c);
    ini += "[" + number + "]\r\nKaraktersz\xE1m=" + number +
           "\r\nJelsz\xF3=titok\r\nTVPKeret11=90\r\n"
           "TVPKeret12=100\r\nTVPKeret13=80\r\n";
    mv::SheetContent sheet;
    sheet.fields.turn = "12";
    sheet.characterKey = number;
    sheet.sheet.SetRow(1, mv::OrderRow{"be", {"1"}, "5", "0"});
    mv::WriteFileAtomically(folder.path / (number + "-12.ulf"), mv::WriteSheet(sheet));
  }
  mv::WriteFileAtomically(folder.path / "mv.ini", ini);
  return folder.path;
}

void BM_StatusOfManyCharacters(benchmark::State& state) {
  const fs::path& dir = ManyCharacters(int(state.range(0)));
  const mv::ReferenceLists lists;
  for (auto _ : state) {
    mv::IniFile ini(dir / "mv.ini");
    const mv::TurnLook look = mv::LookAtTurns(dir, {dir}, ini, lists);
    benchmark::DoNotOptimize(look.current.data());
  }
  state.SetComplexityN(state.range(0));
}
// Linear: the time per character stays the same from 2,500 to 10,000.
BENCHMARK(BM_StatusOfManyCharacters)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ScanOfTheSameFolder(benchmark::State& state) {
  const fs::path& dir = TurnFolder();
  for (auto _ : state) {
    const mv::SheetScan scan = mv::ScanSheetFolders({dir});
    benchmark::DoNotOptimize(scan.sheets.data());
  }
}
BENCHMARK(BM_ScanOfTheSameFolder)->Unit(benchmark::kMillisecond);

}  // namespace
