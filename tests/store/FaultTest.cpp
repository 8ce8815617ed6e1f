// Writes that fail (read-only folder or file, a full disk) and a sheet that
// cannot be read: the old bytes stay whole and the player is told.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include "core/SheetWorkspace.h"

#include <algorithm>
#include <filesystem>

#include "core/Cp1250.h"
#include "store/CharacterStore.h"
#include "store/DataListFile.h"
#include "store/OulImport.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

class FaultTest : public TempDirTest {
 protected:
  void TearDown() override {
    SetWriteFaultHook(nullptr);
    TempDirTest::TearDown();
  }
  void DiskFull() {
    SetWriteFaultHook([](const fs::path&) { return true; });
  }
  // No temporary file may be left behind (the writers' lock files stay).
  std::size_t Files() {
    return std::size_t(
        std::count_if(fs::directory_iterator(dir_), fs::directory_iterator(),
                      [](const fs::directory_entry& e) { return !e.path().filename().string().ends_with(".lock"); }));
  }

  // A modified sheet of character 2345 that was once saved as /before.ulf.
  static void Sheet(SheetWorkspace& m) {
    m.character.key = "2345";
    m.document.SetCell(1, col::kCode, "be");
    m.document.SetModified(true);
    m.document.SetFileName("/before.ulf");
  }
};

TEST_F(FaultTest, SavingASheetThatCannotBeWrittenKeepsEverything) {
  const std::string old = "old sheet\r\n";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "s.ulf", old));
  for (const std::string what : {"disk full", "read-only file", "read-only folder"}) {
    SCOPED_TRACE(what);
    if (what == "disk full") DiskFull();
    if (what == "read-only file") ::chmod((dir_ / "s.ulf").c_str(), 0444);
    if (what == "read-only folder") ::chmod(dir_.c_str(), 0555);
    SheetWorkspace m;
    Sheet(m);
    const FileOutcome outcome = SaveSheet(m.document, m.character.key, dir_ / "s.ulf");
    EXPECT_TRUE(outcome.failed());
    // The player is told why, not only that.
    if (what == "disk full") {
      EXPECT_NE(outcome.message.find(" (megtelt a lemez)"_w), std::string::npos);
    }
    EXPECT_TRUE(m.document.modified());
    EXPECT_EQ(m.document.fileName(), "/before.ulf");
    EXPECT_EQ(Read(dir_ / "s.ulf"), old);
    EXPECT_EQ(Files(), 1u);
    SetWriteFaultHook(nullptr);
    ::chmod(dir_.c_str(), 0755);
    ::chmod((dir_ / "s.ulf").c_str(), 0644);
  }
}

TEST_F(FaultTest, SettingsListsAndImportsOnAFullDisk) {
  const std::string ini = "[Karakterek]\r\n2001=2001\r\n";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "mv.ini", ini));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "galetkik.dat", "2001 B\r\n2000 A\r\n"));
  DiskFull();

  IniFile file(dir_ / "mv.ini");
  EXPECT_FALSE(CharacterStore(file).Save({"2345", "1", "p", "N", "", "", DeliveryForm::None, 10}));
  EXPECT_EQ(Read(dir_ / "mv.ini"), ini);

  ReferenceLists lists;
  EXPECT_FALSE(SortReferenceLists(dir_, lists));
  EXPECT_EQ(Read(dir_ / "galetkik.dat"), "2001 B\r\n2000 A\r\n");

  std::vector<std::string> lines(31, std::string(60, ' '));
  lines[2].replace(6, 4, "2345");
  lines[2].replace(52, 1, "7");
  SetWriteFaultHook(nullptr);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "in.oul", JoinLines(lines)));
  DiskFull();
  SheetWorkspace m;
  Sheet(m);
  SheetEditor& editor = m.editor;
  const OulImport imported = ImportOul(editor, dir_ / "in.oul", dir_, nullptr);
  EXPECT_TRUE(imported.outcome.failed());
  EXPECT_FALSE(fs::exists(dir_ / "2345-7i.ulf"));
  EXPECT_EQ(m.document.sheet().Cell(1, col::kCode), "be");  // the window's sheet is untouched
  EXPECT_EQ(Files(), 3u);
}

TEST_F(FaultTest, ASheetThatCannotBeReadSaysSo) {
  fs::create_directories(dir_ / "locked.ulf");  // exists, but no file can be read there
  SheetWorkspace m;
  Sheet(m);
  SheetEditor& editor = m.editor;
  const FileOutcome outcome = OpenSheet(editor, dir_ / "locked.ulf", nullptr);
  EXPECT_TRUE(outcome.failed());
  EXPECT_NE(outcome.message.find("locked.ulf"), std::string::npos);
  EXPECT_TRUE(m.document.sheet().RowIsBlank(1));  // the sheet of "Új"
  EXPECT_EQ(m.document.fileName(), "");
  EXPECT_FALSE(m.document.modified());
}

}  // namespace
}  // namespace mv
