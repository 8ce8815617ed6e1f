// The last ways to lose a note or a file: recovery copies that name another
// file or cannot be read, notes written by two copies, a held mv.ini lock,
// leftovers of killed writes, and files far too large to read.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "core/SheetWorkspace.h"

#include <filesystem>
#include <fstream>

#include "core/Cp1250.h"
#include "core/SheetCheck.h"
#include "store/CharacterSession.h"
#include "store/IniFile.h"
#include "store/ProgramDirectory.h"
#include "store/SentArchive.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "store/SheetRecovery.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

unsigned ModeOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 0777;
}

void WriteRaw(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::size_t FilesEndingWith(const fs::path& dir, const std::string& suffix) {
  std::size_t n = 0;
  for (const auto& e : fs::directory_iterator(dir)) n += e.path().filename().string().ends_with(suffix);
  return n;
}

// A modified sheet of a character and turn.
void SheetOf(SheetWorkspace& m, const std::string& character, const std::string& turn) {
  m.character.key = character;
  m.document.EditFields([&](SheetFields& f) { f.turn = turn; });
  m.document.SetCell(1, col::kCode, "be");
  m.document.SetModified(true);
}

using RecoveryNameTest = TempDirTest;

// What happens to the sheet file between the copy and the restart, and
// whether the restored sheet may keep its name.
TEST_F(RecoveryNameTest, TheNameComesBackOnlyForTheSameSheetInASheetFolder) {
  struct Case {
    const char* what;
    const char* file;  // under dir_
    std::function<void(const fs::path&)> afterCopy;
    bool keepsName;
  };
  const auto nothing = [](const fs::path&) {};
  const Case cases[] = {
      {"unchanged sheet in the program directory", "2345-1.ulf", nothing, true},
      {"unchanged sheet in a search folder", "kereses/2345-1.ulf", nothing, true},
      {"sheet outside every sheet folder", "mashol/2345-1.ulf", nothing, false},
      {"not a sheet", "victim.txt", nothing, false},
      {"renamed after the crash, another file took its name", "2345-1.ulf",
       [](const fs::path& f) {
         fs::rename(f, f.parent_path() / "regi.ulf");
         WriteRaw(f, "egy masik fajl, mas hosszal\r\n");
       },
       false},
      {"the sheet was deleted", "2345-1.ulf", [](const fs::path& f) { fs::remove(f); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    for (const char* folder : {"kereses", "mashol"}) fs::create_directories(dir_ / folder);
    const fs::path sheetFile = dir_ / c.file;
    SheetWorkspace m;
    SheetOf(m, "2345", "1");
    ASSERT_FALSE(SaveSheet(m.document, m.character.key, sheetFile).failed());
    m.document.SetCell(2, col::kCode, "e");  // typed on after the save
    m.document.SetModified(true);
    { SheetRecovery(dir_).Update(m.document, m.character.key); }  // the program dies with its copy on disk
    c.afterCopy(sheetFile);

    SheetRecovery next(dir_);
    Orphans orphans = next.ClaimOrphans();
    ASSERT_EQ(orphans.sheets.size(), 1u);
    EXPECT_TRUE(orphans.sheets[0].description.starts_with(DisplayPath(sheetFile) + ", 20"))
        << orphans.sheets[0].description;
    SheetWorkspace restored;
    ASSERT_FALSE(
        SheetRecovery::Restore(restored.editor, orphans.sheets[0], {dir_, dir_ / "kereses"}, nullptr).failed());
    EXPECT_EQ(restored.document.sheet().Cell(2, col::kCode), "e");
    EXPECT_EQ(restored.document.fileName(), c.keepsName ? sheetFile.string() : "");
  }
}

TEST_F(RecoveryNameTest, ACopyOfTheEarlierFormatRestoresUnnamed) {
  SheetWorkspace m;
  SheetOf(m, "2345", "4");
  ASSERT_FALSE(SaveSheet(m.document, m.character.key, dir_ / "2345-4.ulf").failed());
  WriteRaw(dir_ / ".mvul-helyreallitas-1-1.ulr", "MVUL-HELYREALLITAS\r\n" + (dir_ / "2345-4.ulf").string() + "\r\n" +
                                                     WriteSheet(m.document.Content(m.character.key)));
  Orphans orphans = SheetRecovery(dir_).ClaimOrphans();
  ASSERT_EQ(orphans.sheets.size(), 1u);
  SheetWorkspace restored;
  ASSERT_FALSE(SheetRecovery::Restore(restored.editor, orphans.sheets[0], {dir_}, nullptr).failed());
  EXPECT_EQ(restored.document.fields().turn, "4");
  EXPECT_EQ(restored.document.fileName(), "");
}

TEST_F(RecoveryNameTest, CopiesThatCannotBeReadAreSetAsideNotDeleted) {
  const std::string huge = "MVUL-HELYREALLITAS-2\r\n\r\n-\r\n" + std::string(3u << 20, 'x');
  const std::pair<const char*, std::string> copies[] = {
      {".mvul-helyreallitas-1-1.ulr", huge},
      {".mvul-helyreallitas-1-2.ulr", "szemet, nem masolat"},
  };
  for (const auto& [name, bytes] : copies) WriteRaw(dir_ / name, bytes);
  const Orphans orphans = SheetRecovery(dir_).ClaimOrphans();
  EXPECT_TRUE(orphans.sheets.empty());
  ASSERT_EQ(orphans.setAside.size(), 2u);
  for (const auto& [name, bytes] : copies) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(fs::exists(dir_ / name));
    EXPECT_EQ(Read(dir_ / (std::string(name) + ".hibas")), bytes);
  }
  EXPECT_TRUE(SheetRecovery(dir_).ClaimOrphans().setAside.empty());  // named once
}

TEST_F(RecoveryNameTest, ACopyThatCannotBeWrittenSaysWhy) {
  SheetRecovery recovery(dir_);
  ::chmod(dir_.c_str(), 0555);
  errno = 0;
  SheetWorkspace m;
  SheetOf(m, "2345", "1");
  EXPECT_FALSE(recovery.Update(m.document, m.character.key));
  EXPECT_EQ(WriteFailureReason(errno), cp1250::FromUtf8("nincs írási jogom"));
  EXPECT_EQ(WriteFailureReason(ENOSPC), cp1250::FromUtf8("megtelt a lemez"));
}

using NotesTest = TempDirTest;

TEST_F(NotesTest, TwoCopiesOfOneCharacterNeverOverwriteEachOthersNotes) {
  IniFile ini(dir_ / "mv.ini");
  OrderDocument first, second;
  CharacterSession a(first, ini, dir_), b(second, ini, dir_);
  for (CharacterSession* s : {&a, &b}) s->EditCharacter([](CharacterFields& c) { c.number = "2345"; });
  ASSERT_EQ(a.WriteNotes("kozos\r\n").status, CharacterSession::NotesWrite::Status::Written);
  a.ReadNotes();
  b.ReadNotes();
  ASSERT_EQ(b.WriteNotes("masodik ablak\r\n").status, CharacterSession::NotesWrite::Status::Written);

  const CharacterSession::NotesWrite clash = a.WriteNotes("elso ablak\r\n");
  ASSERT_EQ(clash.status, CharacterSession::NotesWrite::Status::Conflict);
  EXPECT_EQ(Read(dir_ / "2345.jzt"), "masodik ablak\r\n");  // not overwritten
  EXPECT_EQ(clash.current, "masodik ablak\r\n");            // what the memo shows now
  EXPECT_EQ(Read(clash.ownCopy), "elso ablak\r\n");         // our text beside it
  EXPECT_TRUE(clash.ownCopy.filename().string().starts_with("2345-"));
  EXPECT_TRUE(clash.ownCopy.filename().string().ends_with(".jzt.utkozes"));
  EXPECT_EQ(ModeOf(clash.ownCopy), 0600u);
  EXPECT_NE(CharacterSession::NotesConflictMessage(clash.ownCopy).find(clash.ownCopy.string()), std::string::npos);

  // Caught up: the next edit is written as usual, and a hand edit counts too.
  EXPECT_EQ(a.WriteNotes("elso ablak, ujra\r\n").status, CharacterSession::NotesWrite::Status::Written);
  WriteRaw(dir_ / "2345.jzt", "kezzel\r\n");
  EXPECT_EQ(a.WriteNotes("megint\r\n").status, CharacterSession::NotesWrite::Status::Conflict);
  EXPECT_EQ(Read(dir_ / "2345.jzt"), "kezzel\r\n");
  EXPECT_EQ(FilesEndingWith(dir_, ".jzt.utkozes"), 2u);
}

TEST_F(NotesTest, ANotesFileTooLargeForTheMemoIsNeitherReadNorWritten) {
  IniFile ini(dir_ / "mv.ini");
  OrderDocument document;
  CharacterSession session(document, ini, dir_);
  session.EditCharacter([](CharacterFields& c) { c.number = "2345"; });
  const std::string huge(2u << 20, 'j');
  WriteRaw(dir_ / "2345.jzt", huge);
  const CharacterSession::NotesRead read = session.ReadNotes();
  EXPECT_EQ(read.status, CharacterSession::NotesRead::Status::TooLarge);
  EXPECT_EQ(read.size, huge.size());
  EXPECT_TRUE(read.text.empty());
  session.WriteNotes("");
  EXPECT_EQ(fs::file_size(dir_ / "2345.jzt"), huge.size());  // never truncated
}

TEST_F(NotesTest, ACharacterNumberFromAHandEditedIniNamesNoFileElsewhere) {
  IniFile ini(dir_ / "mv.ini");
  OrderDocument document;
  CharacterSession session(document, ini, dir_);
  fs::create_directories(dir_ / "x");
  for (const char* number : {"../x/escaped", "12345", "/tmp/a", "23 4"}) {
    SCOPED_TRACE(number);
    session.EditCharacter([&](CharacterFields& c) { c.number = number; });
    EXPECT_EQ(session.ReadNotes().status, CharacterSession::NotesRead::Status::None);
    EXPECT_EQ(session.WriteNotes("titok\r\n").status, CharacterSession::NotesWrite::Status::Written);
  }
  EXPECT_FALSE(fs::exists(dir_ / "x" / "escaped.jzt"));
  EXPECT_EQ(FilesEndingWith(dir_, ".jzt"), 0u);
}

using IniLockTest = TempDirTest;

TEST_F(IniLockTest, AHeldLockFailsTheWriteWithItsOwnMessageInsteadOfFreezing) {
  IniFile ini(dir_ / "mv.ini");
  const FileLock other = FileLock::Exclusive(dir_ / ".mv.ini.lock");  // another copy, stuck
  ASSERT_TRUE(other.held());
  EXPECT_FALSE(ini.Write("Karakterek", "Betolt", "Utolso"));
  EXPECT_EQ(ini.lastFailure(), IniFile::WriteFailure::Busy);
  EXPECT_NE(ini.FailureMessage("x").find(cp1250::FromUtf8("másik példánya")), std::string::npos);
}

TEST_F(IniLockTest, ALockFileThatCannotBeOpenedIsSaidAsSuch) {
  const std::function<void(const fs::path&)> unusable[] = {
      [](const fs::path& lock) { fs::create_directories(lock); },
      [](const fs::path& lock) { fs::create_symlink("/nincs/ilyen/hely", lock); },
  };
  for (const auto& make : unusable) {
    fs::remove_all(dir_ / ".mv.ini.lock");
    make(dir_ / ".mv.ini.lock");
    IniFile ini(dir_ / "mv.ini");
    EXPECT_FALSE(ini.Write("Karakterek", "Betolt", "Utolso"));
    EXPECT_EQ(ini.lastFailure(), IniFile::WriteFailure::LockUnusable);
    EXPECT_EQ(ini.FailureMessage("x").find(cp1250::FromUtf8("írásvédett")), std::string::npos);
  }
}

using LeftoverTest = TempDirTest;

TEST_F(LeftoverTest, AKillDuringArchivingLeavesATemporaryFileThatTheNextStartRemoves) {
  const pid_t child = ::fork();
  if (child == 0) {
    // Killed while the letter, password and all, is being written.
    SetWriteFaultHook([](const fs::path&) -> bool { ::_exit(0); });
    ArchiveSentLetter(dir_, "2345", "7", "Jelszo: titok\r\n", 0);
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  const fs::path sent = dir_ / kSentFolder;
  std::size_t left = 0;
  for (const auto& e : fs::directory_iterator(sent)) left += !e.path().filename().string().ends_with(".eul");
  ASSERT_EQ(left, 1u);
  RemoveStaleTemporaryFiles(sent);
  EXPECT_TRUE(fs::is_empty(sent));
}

// An earlier version's temporary letter holds the password: it goes at the
// next start, unless its process still runs.
TEST_F(LeftoverTest, TheTemporaryLettersOfEarlierVersionsGoAtTheNextStart) {
  const fs::path sent = dir_ / kSentFolder;
  fs::create_directories(sent);
  const std::string mine = ".kuldes-" + std::to_string(::getpid()) + ".tmp";
  for (const std::string& name : {std::string(".kuldes-999999999.tmp"), mine, std::string(".kuldes-x.tmp"),
                                  std::string("2345-7-20260101-120000.eul")})
    ASSERT_TRUE(WriteFileAtomically(sent / name, "PSW=titok\r\n"));
  CleanSentFolder(dir_);
  EXPECT_FALSE(fs::exists(sent / ".kuldes-999999999.tmp"));
  EXPECT_TRUE(fs::exists(sent / mine));             // a running program's
  EXPECT_TRUE(fs::exists(sent / ".kuldes-x.tmp"));  // not of that form
  EXPECT_TRUE(fs::exists(sent / "2345-7-20260101-120000.eul"));
}

TEST_F(LeftoverTest, FoldersMadeForThePlayerArePrivateUnderAnyUmask) {
  const mode_t old = ::umask(0);
  CreatePrivateDirectory(dir_ / "a" / "b" / "mvul");
  ::umask(old);
  for (const fs::path& p : {dir_ / "a", dir_ / "a" / "b", dir_ / "a" / "b" / "mvul"}) EXPECT_EQ(ModeOf(p), 0700u) << p;
}

using TurnLineTest = TempDirTest;

TEST_F(TurnLineTest, AFirstLineThatCannotBeATurnIsKeptAndIsAnError) {
  const struct {
    const char* line;
    const char* turn;
    bool error;
  } cases[] = {
      {"12", "12", false},    {"012", "12", false},
      {"+12", "12", false},   {"0", "0", true},
      {"-3", "-3", true},     {"99999999999999999999", "99999999999999999999", true},
      {"../x", "../x", true}, {"$FFFFFFFF", "$FFFFFFFF", true},
  };
  std::string rest = WriteSheet(SheetContent{});
  rest = rest.substr(rest.find("\r\n"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    SheetContent m;
    ASSERT_TRUE(ReadSheet(c.line + rest, "lap.ulf", m).ok);
    EXPECT_EQ(m.fields.turn, c.turn);
    const ReferenceLists lists;
    EXPECT_EQ(CountErrors(CheckSheet(m, Lookups(lists))) > 0, c.error);
  }
}

TEST_F(TurnLineTest, ASheetFarTooLargeIsRefusedByName) {
  WriteRaw(dir_ / "nagy.ulf", "1\r\n" + std::string(3u << 20, '1'));
  SheetWorkspace m;
  const FileOutcome outcome = OpenSheet(m.editor, dir_ / "nagy.ulf", nullptr);
  ASSERT_TRUE(outcome.failed());
  EXPECT_NE(outcome.message.find("nagy.ulf"), std::string::npos);
  EXPECT_NE(outcome.message.find(cp1250::FromUtf8("túl nagy")), std::string::npos);
}

}  // namespace
}  // namespace mv
