// The player's files shared with other copies of the program, other
// programs and a hostile world: mv.ini written by two copies, line breaks in
// values, links, private files, leftovers of killed saves, sorted lists.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "core/SheetWorkspace.h"

#include <filesystem>

#include "core/Cp1250.h"
#include "store/CharacterStore.h"
#include "store/DataListFile.h"
#include "store/IniFile.h"
#include "store/ProgramDirectory.h"
#include "store/SentArchive.h"
#include "store/SheetRecovery.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

using SharedIniTest = TempDirTest;

unsigned ModeOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 0777;
}

TEST_F(SharedIniTest, TwoCopiesKeepEachOthersWritesAndHandEdits) {
  const fs::path file = dir_ / "mv.ini";
  ASSERT_TRUE(WriteFileAtomically(file, "[Karakterek]\r\n2345=2345\r\n"));
  IniFile first(file), second(file);
  CharacterStore(second).Save({"2999", "1", "p", "Masik", "", "", DeliveryForm::None, 10});
  // A hand edit with its own spacing and line ends.
  const std::string edited = Read(file) + "[Kezi]\nkulcs = ertek \n; megjegyzes";
  ASSERT_TRUE(WriteFileAtomically(file, edited));
  ASSERT_TRUE(first.Write("Karakterek", "Utolso", "2345"));

  const std::string now = Read(file);
  EXPECT_NE(now.find("2999=2999"), std::string::npos);
  EXPECT_TRUE(now.ends_with("[Kezi]\nkulcs = ertek \n; megjegyzes")) << now;  // byte for byte
  EXPECT_EQ(first.Read("2999", "Jelsz\xF3"), "p");  // the first copy sees the second's character
  EXPECT_EQ(IniFile(file).Read("Karakterek", "Utolso"), "2345");
}

// A character's fields come from one state of the file, never half from
// another copy's later save; a write still starts from the file as it is.
TEST_F(SharedIniTest, ReadsThatBelongTogetherSeeOneStateOfTheFile) {
  const fs::path file = dir_ / "mv.ini";
  IniFile mine(file), other(file);
  ASSERT_TRUE(other.Apply({IniChange::Set("2345", "A", "1"), IniChange::Set("2345", "B", "1")}));
  {
    const IniFile::SteadyRead steady(mine);
    EXPECT_EQ(mine.Read("2345", "A"), "1");
    ASSERT_TRUE(other.Apply({IniChange::Set("2345", "A", "2"), IniChange::Set("2345", "B", "2")}));
    EXPECT_EQ(mine.Read("2345", "B"), "1");  // the same state as A
    ASSERT_TRUE(mine.Write("2345", "C", "3"));
    EXPECT_EQ(Read(file).find("B=1"), std::string::npos);  // the other copy's save is kept
  }
  EXPECT_EQ(mine.Read("2345", "B"), "2");
  EXPECT_EQ(IniFile(file).Read("2345", "C"), "3");
}

TEST_F(SharedIniTest, TwoProcessesWritingAtOnceLoseNothing) {
  const fs::path file = dir_ / "mv.ini";
  constexpr int kWrites = 60;
  auto writer = [&](const char* section) {
    IniFile ini(file);
    for (int i = 0; i < kWrites; ++i) ini.Write(section, "k" + std::to_string(i), std::to_string(i));
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    writer("B");
    ::_exit(0);
  }
  writer("A");
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  const IniFile after(file);
  for (const char* section : {"A", "B"})
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(after.Read(section, "k" + std::to_string(i)), std::to_string(i)) << section << i;
}

TEST_F(SharedIniTest, ALineBreakInAValueCannotAddASectionOrKey) {
  const fs::path file = dir_ / "mv.ini";
  IniFile ini(file);
  ASSERT_TRUE(CharacterStore(ini).Save({"2001", "1", "regi", "A", "", "", DeliveryForm::None, 10}));
  for (const char* value : {"x\r\n[2001]\r\nJelsz\xF3=uj", "x\n[2001]\nJelsz\xF3=uj", "x\r[2001]\rJelsz\xF3=uj"}) {
    ASSERT_TRUE(ini.Write("KeresesiUtvonalak", "utvonal1", value));
    const IniFile reread(file);
    EXPECT_EQ(reread.Read("2001", "Jelsz\xF3"), "regi");
    EXPECT_EQ(reread.Entries("KeresesiUtvonalak").size(), 1u);
  }
}

TEST_F(SharedIniTest, APasswordFileReadableByOthersBecomesPrivateAtItsNextWrite) {
  const fs::path file = dir_ / "mv.ini";
  ASSERT_TRUE(WriteFileAtomically(file, "[A]\r\n", 0644));
  ::chmod(file.c_str(), 0644);
  IniFile ini(file);
  ASSERT_TRUE(ini.Write("A", "k", "1"));
  EXPECT_EQ(ModeOf(file), 0600u);
}

TEST_F(SharedIniTest, StartupCharacterAndRaidCostRules) {
  const struct {
    const char* betolt;
    const char* key;
  } startup[] = {{"Utolso", "2345"},          {"utolso", "2345"}, {"UTOLSO", "2345"},
                 {"alapertelmezett", "2999"}, {"Nincs", ""},      {"", ""}};
  for (const auto& s : startup) {
    const IniFile ini = IniFile::FromText(
        std::string("[Karakterek]\r\nUtolso=2345\r\nAlapertelmezett=2999\r\nBetolt=") + s.betolt + "\r\n");
    EXPECT_EQ(StartupCharacterKey(ini), s.key) << s.betolt;
  }
  const struct {
    const char* text;
    int cost;
  } raid[] = {{"", 10},   {"abc", 10},  {"0", 1},     {"-5", 1},  {"1", 1},
              {"37", 37}, {"100", 100}, {"250", 100}, {"$20", 32}};
  for (const auto& r : raid) {
    EXPECT_EQ(RaidCostFromText(r.text), r.cost) << r.text;
    IniFile ini = IniFile::FromText(std::string("[2345]\r\nPortya=") + r.text + "\r\n");
    EXPECT_EQ(CharacterStore(ini).Load("2345").raidCost, r.cost) << r.text;
  }
  IniFile ini;
  CharacterStore(ini).Save({"2345", "1", "p", "N", "", "", DeliveryForm::None, 250});
  EXPECT_EQ(ini.Read("2345", "Portya"), "100");
}

TEST_F(SharedIniTest, CharacterNumbersOfOtherLengthsActOnTheirOwnSection) {
  IniFile ini = IniFile::FromText(
      "[Karakterek]\r\n12345=12345\r\n2345=2345\r\n[12345]\r\nKarakternév=Hosszu\r\n"
      "[2345]\r\nKarakternév=Rovid\r\n"_w);
  CharacterStore store(ini);
  std::string longItem;
  for (const std::string& item : store.ListItems())
    if (item.find("Hosszu") != std::string::npos) longItem = item;
  ASSERT_TRUE(store.Delete(KeyOfListItem(longItem)));
  EXPECT_EQ(ini.Read("2345", "Karakternév"_w), "Rovid");
  EXPECT_EQ(store.ListItems().size(), 1u);
  EXPECT_TRUE(IsValidCharacterNumberText("2345"));
  EXPECT_FALSE(IsValidCharacterNumberText("12345"));
}

using LinkedFileTest = TempDirTest;

TEST_F(LinkedFileTest, SavingThroughALinkKeepsTheLink) {
  fs::create_directories(dir_ / "real");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "real" / "mv.ini", "[A]\r\nk=1\r\n"));
  fs::create_symlink("real/mv.ini", dir_ / "mv.ini");
  IniFile ini(dir_ / "mv.ini");
  ASSERT_TRUE(ini.Write("A", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "mv.ini"));
  EXPECT_EQ(Read(dir_ / "real" / "mv.ini"), "[A]\r\nk=2\r\n");

  fs::create_symlink(dir_ / "real" / "lap.ulf", dir_ / "lap.ulf");  // a dangling one is made real behind it
  ASSERT_TRUE(WriteFileAtomically(dir_ / "lap.ulf", "1\r\n"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "lap.ulf"));
  EXPECT_EQ(Read(dir_ / "real" / "lap.ulf"), "1\r\n");
}

TEST_F(LinkedFileTest, LeftoversOfAKilledSaveGoAtTheNextStartButNotAWriteInProgress) {
  const fs::path stale = dir_ / ".mv.ini.tmp123456";
  const fs::path busy = dir_ / ".lap.ulf.tmp42";
  ASSERT_TRUE(WriteFileAtomically(stale, "jelszo"));
  ASSERT_TRUE(WriteFileAtomically(busy, "fel"));
  ASSERT_TRUE(WriteFileAtomically(dir_ / ".rejtett.tmpx", "not ours"));
  const FileLock writing = FileLock::TryExclusive(busy);  // another copy writing it
  ASSERT_TRUE(writing.held());
  const pid_t child = ::fork();
  if (child == 0) {
    RemoveStaleTemporaryFiles(dir_);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(busy));
  EXPECT_TRUE(fs::exists(dir_ / ".rejtett.tmpx"));
}

TEST_F(LinkedFileTest, ANewProgramDirectoryGetsTheDefaultListsOnce) {
  fs::create_directories(dir_ / "shipped");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "shipped" / "targyak.dat", "12 Kard\r\n"));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "shipped" / "italok.dat", "045 12 13\r\n"));
  const fs::path dir = dir_ / "uj";
  PrepareProgramDirectory(dir, dir_ / "shipped");
  EXPECT_EQ(ModeOf(dir), 0700u);
  EXPECT_EQ(Read(dir / "targyak.dat"), "12 Kard\r\n");
  fs::remove(dir / "targyak.dat");  // the player's choice
  PrepareProgramDirectory(dir, dir_ / "shipped");
  EXPECT_FALSE(fs::exists(dir / "targyak.dat"));
  // An existing directory with its own list keeps it.
  fs::create_directories(dir_ / "regi");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "regi" / "targyak.dat", "13 Pajzs\r\n"));
  PrepareProgramDirectory(dir_ / "regi", dir_ / "shipped");
  EXPECT_EQ(Read(dir_ / "regi" / "targyak.dat"), "13 Pajzs\r\n");
  EXPECT_TRUE(fs::exists(dir_ / "regi" / "italok.dat"));
}

TEST_F(LinkedFileTest, NewFilesAndFoldersThatHoldPasswordsArePrivate) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "level.eul", "JELSZO=x\r\n", 0600));
  EXPECT_EQ(ModeOf(dir_ / "level.eul"), 0600u);
  CreatePrivateDirectory(dir_ / "uj" / "mvul");
  EXPECT_EQ(ModeOf(dir_ / "uj" / "mvul"), 0700u);
}

using SortedListTest = TempDirTest;

TEST_F(SortedListTest, SortingNeverDeletesALineOfThePlayers) {
  const struct {
    int base;
    const char* text;
    const char* sorted;
  } cases[] = {
      {2000, "2001 B\r\n1999 Regi\r\n2000 A\r\n", "2000 A\r\n2001 B\r\n1999 Regi\r\n"},
      {1, "Fejlec\r\n\r\n12 kard\r\n3 pajzs\r\n12 tor\r\n", "3 pajzs\r\n12 tor\r\nFejlec\r\n"},
      {1000, "999999999 Messze\r\n1000 a\r\n  x  \r\n", "1000 a\r\n999999999 Messze\r\n  x  \r\n"},
      {10, "10 tuz\n11\n12 \n", "10 tuz\r\n11\r\n12 \r\n"},
      {15000, "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SortedDataListText(c.text, c.base), c.sorted) << c.text;

  ASSERT_TRUE(WriteFileAtomically(dir_ / "galetkik.dat", "2001 B\r\n1999 Regi\r\n"));
  ReferenceLists lists;
  ASSERT_TRUE(SortReferenceLists(dir_, lists));
  EXPECT_EQ(Read(dir_ / "galetkik.dat"), "2001 B\r\n1999 Regi\r\n");
  EXPECT_EQ(lists.characters.At(1), "B");
}

using ScanTest = TempDirTest;

// The scan reads only a sheet's two ends; it must see the lines a whole read sees.
TEST_F(ScanTest, TheTurnAndKeyAreTheFirstAndLastLinesWhateverTheLineEnds) {
  const std::string longLine(300, '7');
  const std::string texts[] = {
      "12\r\nx\r\n2345\r\n", "12\nx\n2345", "12\rx\r2345\r",
      "12\r\n\r\n",          "12",          longLine + "\r\n" + std::string(1000, 'x') + "\r\n" + longLine + "\r\n",
      "\r\n2345\r\n",        "12\n\r2345\n"};
  int i = 0;
  for (const std::string& text : texts) {
    const fs::path folder = dir_ / std::to_string(i++);
    fs::create_directories(folder);
    ASSERT_TRUE(WriteFileAtomically(folder / "a.ulf", text));
    const auto lines = SplitLines(text);
    const SheetScan scan = ScanSheetFolders({folder});
    ASSERT_EQ(scan.sheets.size(), 1u) << text;
    EXPECT_EQ(scan.sheets[0].turn, lines.front()) << text;
    EXPECT_EQ(scan.sheets[0].key, lines.back()) << text;
  }
  ASSERT_TRUE(WriteFileAtomically(dir_ / "ures.ulf", ""));
  EXPECT_TRUE(ScanSheetFolders({dir_}).sheets.empty());  // an empty file is no sheet
}

using SentArchiveTest = TempDirTest;

TEST_F(SentArchiveTest, EverySendIsKeptPrivatelyAndTheNewestIsShown) {
  std::tm when{};
  when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 7, when.tm_hour = 15, when.tm_min = 58, when.tm_sec = 9;
  when.tm_isdst = -1;
  const std::time_t t = std::mktime(&when);
  const auto first = ArchiveSentLetter(dir_, "2345", "17", "LEVEL1\r\n", t);
  const auto second = ArchiveSentLetter(dir_, "2345", "17", "LEVEL2\r\n", t);  // the same second
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->filename(), "2345-17-20261207-155809.eul");
  EXPECT_EQ(second->filename(), "2345-17-20261207-155809-2.eul");
  EXPECT_EQ(Read(*first), "LEVEL1\r\n");
  EXPECT_EQ(ModeOf(*first), 0600u);
  EXPECT_EQ(ModeOf(dir_ / "elkuldve"), 0700u);
  const auto odd = ArchiveSentLetter(dir_, "23/45", "1\n8", "x", t + 60);
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->filename(), "23_45-1_8-20261207-155909.eul");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "elkuldve"), fs::directory_iterator()), 3);

  ArchiveSentLetter(dir_, "2345", "16", "older", t - 86400);
  const auto last = LastSent(dir_, "2345");
  ASSERT_TRUE(last);
  EXPECT_EQ(last->turn, "17");
  EXPECT_EQ(cp1250::ToUtf8(LastSentText(*last)), "Utoljára elküldve: 17. forduló, 2026.12.07. 15:58");
  EXPECT_FALSE(LastSent(dir_, "2999"));
  EXPECT_FALSE(LastSent(dir_ / "nincs", "2345"));
  ::chmod((dir_ / "elkuldve").c_str(), 0500);
  EXPECT_FALSE(ArchiveSentLetter(dir_, "2345", "18", "x", t));  // a failure says so
  ::chmod((dir_ / "elkuldve").c_str(), 0700);
}

using RecoveryTest = TempDirTest;

void UnsavedSheet(SheetWorkspace& m) {
  m.character.key = "2345";
  m.document.EditFields([&](SheetFields& f) { f.turn = "17"; });
  m.document.EditFields([&](SheetFields& f) { f.requestJL = true; });
  m.document.SetCell(1, col::kCode, "be");
  m.document.SetCell(1, col::kFirstParam, "3");
  m.document.SetCell(1, col::kTVP, "5");
  m.document.SetFigures(SheetFigures{"0", "5", "0"});
  m.document.SetFileName("/lapok/2345-17.ulf");
  m.document.SetModified(true);
}

TEST_F(RecoveryTest, AKilledProgramsSheetIsOfferedBackWhole) {
  const pid_t child = ::fork();
  if (child == 0) {
    SheetRecovery recovery(dir_);
    SheetWorkspace m;
    UnsavedSheet(m);
    recovery.Update(m.document, m.character.key);
    ::_exit(0);  // killed: no destructor, no clean-up
  }
  int status = 0;
  ::waitpid(child, &status, 0);

  SheetRecovery next(dir_);
  std::vector<RecoveredSheet> orphans = next.ClaimOrphans().sheets;
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_TRUE(orphans[0].description.starts_with("/lapok/2345-17.ulf, 20")) << orphans[0].description;
  EXPECT_FALSE(orphans[0].file.string().ends_with(".ulf"));        // the open dialog must not list it
  EXPECT_TRUE(SheetRecovery(dir_).ClaimOrphans().sheets.empty());  // claimed: a third copy does not offer it too

  SheetWorkspace m;
  std::string loaded;
  ASSERT_FALSE(
      SheetRecovery::Restore(m.editor, orphans[0], {dir_}, [&](const std::string& k) { loaded = k; }).failed());
  SheetWorkspace want;
  UnsavedSheet(want);
  EXPECT_EQ(m.document.sheet(), want.document.sheet());
  EXPECT_EQ(m.document.fields().turn, "17");
  EXPECT_TRUE(m.document.fields().requestJL);
  EXPECT_EQ(m.document.figures().tvpTotal, "5");
  EXPECT_EQ(m.document.fileName(), "");  // no such sheet in a sheet folder: saved through "Ment másként"
  EXPECT_TRUE(m.document.modified());
  EXPECT_EQ(loaded, "2345");
  SheetRecovery::Forget(orphans[0]);
  EXPECT_FALSE(fs::exists(orphans[0].file));
}

TEST_F(RecoveryTest, ARunningCopysSheetIsNotOfferedAndASavedSheetLeavesNothing) {
  SheetRecovery running(dir_);
  SheetWorkspace m;
  UnsavedSheet(m);
  ASSERT_TRUE(running.Update(m.document, m.character.key));
  ASSERT_TRUE(fs::exists(running.file()));
  EXPECT_EQ(ModeOf(running.file()), 0600u);
  EXPECT_TRUE(SheetRecovery(dir_).ClaimOrphans().sheets.empty());

  m.document.SetModified(false);  // saved or given up
  ASSERT_TRUE(running.Update(m.document, m.character.key));
  EXPECT_FALSE(fs::exists(running.file()));
  { SheetRecovery quits(dir_); }
  std::size_t left = 0;
  for (const auto& e : fs::directory_iterator(dir_)) left += e.path() != running.file();
  EXPECT_EQ(left, 1u);  // only the running copy's own lock
}

}  // namespace
}  // namespace mv
