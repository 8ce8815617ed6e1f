// "mvulc status" and the board over a big folder: 100 characters of 52
// turns each, half of them with a kept letter, beside the open dialog's scan
// of the same folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "core/CharacterFields.h"
#include "letter/OrderLetter.h"
#include "letter/TurnStatus.h"
#include "store/SentArchive.h"
#include "store/SheetFile.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"

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

void BM_StatusOfEveryCharacter(benchmark::State& state) {
  const fs::path& dir = TurnFolder();
  const mv::ReferenceLists lists;
  for (auto _ : state) {
    mv::IniFile ini(dir / "mv.ini");
    const mv::TurnOverview overview = mv::ScanTurns({dir}, ini, lists);
    const mv::KeptLetters kept(dir);
    const mv::TurnContext context{lists, kept, ini};
    int sent = 0;
    for (const mv::CharacterTurns& c : overview.characters)
      sent += mv::StatusOf(c, *c.CurrentTurn(), context).state == mv::SheetState::Sent;
    benchmark::DoNotOptimize(sent);
  }
}
BENCHMARK(BM_StatusOfEveryCharacter)->Unit(benchmark::kMillisecond);

void BM_ScanOfTheSameFolder(benchmark::State& state) {
  const fs::path& dir = TurnFolder();
  for (auto _ : state) {
    const mv::SheetScan scan = mv::ScanSheetFolders({dir});
    benchmark::DoNotOptimize(scan.sheets.data());
  }
}
BENCHMARK(BM_ScanOfTheSameFolder)->Unit(benchmark::kMillisecond);

}  // namespace
