// Files as Windows keeps them: a read-only attribute, a file another
// program holds open without sharing, a full disk, a name outside the
// system's code page, and the .ulf association in the user's classes root.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/Cp1250.h"
#include "core/SheetWorkspace.h"
#include "platform/Paths.h"
#include "store/FileAssociation.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

class WindowsFilesTest : public TempDirTest {
 protected:
  void TearDown() override {
    SetWriteFaultHook(nullptr);
    for (const fs::directory_entry& e : fs::directory_iterator(dir_))
      ::SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    TempDirTest::TearDown();
  }
  static void Sheet(SheetWorkspace& m) {
    m.character.key = "2345";
    m.document.SetCell(1, col::kCode, "be");
    m.document.SetModified(true);
  }
  std::size_t Files() const {
    return std::size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
};

TEST_F(WindowsFilesTest, AWriteThatCannotBeDoneKeepsTheOldFileWholeAndSaysWhy) {
  const std::string old(std::string_view("régi\r\n"_w));
  const struct {
    const char* what;
    const char* reason;  // in the player's message
  } kCases[] = {
      {"read-only", "nincs írási jogom"},
      {"held open", "egy másik program használja a fájlt"},
      {"disk full", "megtelt a lemez"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const fs::path target = dir_ / "s.ulf";
    ASSERT_TRUE(WriteFileAtomically(target, old));
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.what == std::string("read-only")) ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.what == std::string("held open"))
      held = ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (c.what == std::string("disk full")) SetWriteFaultHook([](const fs::path&) { return true; });
    SheetWorkspace m;
    Sheet(m);
    const FileOutcome outcome = SaveSheet(m.document, m.character.key, target);
    EXPECT_TRUE(outcome.failed());
    EXPECT_NE(outcome.message.find(" (" + cp1250::FromUtf8(c.reason) + ")"), std::string::npos)
        << cp1250::ToUtf8(outcome.message);
    EXPECT_TRUE(m.document.modified());
    if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
    SetWriteFaultHook(nullptr);
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read(target), old);
    EXPECT_EQ(Files(), 1u) << "a temporary file was left";
  }
}

TEST_F(WindowsFilesTest, ANameOutsideTheCodePageIsSavedAndOpenedWhole) {
  // "Ő" and "ű" exist in Windows-1250, "ŋ" in no code page: only UTF-16 names keep them.
  for (const char* name : {"Ödön-12.ulf", "Őrült ű-3.ulf", "Saŋa-7.ulf"}) {
    SCOPED_TRACE(name);
    const fs::path path = dir_ / PathFromUtf8(name);
    SheetWorkspace m;
    Sheet(m);
    ASSERT_FALSE(SaveSheet(m.document, m.character.key, path).failed());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(Utf8(path.filename()), name);
    const SheetFileRead read = ReadSheetFile(path);
    ASSERT_TRUE(read.ok) << cp1250::ToUtf8(read.error);
    EXPECT_EQ(read.content.sheet.Cell(1, col::kCode), "be");
  }
}

// The test's own user classes root under wine: the association is put in,
// found, and taken out with what was there before given back.
TEST_F(WindowsFilesTest, TheAssociationTakesBackExactlyWhatItAdded) {
  const auto Value = [](const wchar_t* key) -> std::wstring {
    wchar_t data[512] = L"";
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
      return L"<none>";
    return data;
  };
  const auto KeyExists = [](const wchar_t* key) {
    HKEY open = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &open) != ERROR_SUCCESS) return false;
    ::RegCloseKey(open);
    return true;
  };
  const fs::path program = dir_ / "Program Files" / "Morvald UL" / "mvul.exe";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.ulf");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\mvUL_fajl");
  for (const bool anotherProgramHadIt : {false, true}) {
    SCOPED_TRACE(anotherProgramHadIt ? "another program's type" : "no .ulf before");
    if (anotherProgramHadIt) {
      HKEY key = nullptr;
      ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\.ulf", 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                ERROR_SUCCESS);
      const wchar_t other[] = L"Masik.Fajl";
      ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other);
      ::RegCloseKey(key);
    }
    const std::unique_ptr<FileAssociation> association = DesktopAssociation(program);
    EXPECT_FALSE(association->IsPresent());
    ASSERT_TRUE(association->Install());
    EXPECT_TRUE(association->IsPresent());
    EXPECT_EQ(Value(L"Software\\Classes\\.ulf"), L"mvUL_fajl");
    // Quoted, so the blank in the folder does not cut the program's path.
    EXPECT_EQ(Value(L"Software\\Classes\\mvUL_fajl\\shell\\megnyitás\\command"),
              L"\"" + program.wstring() + L"\" \"%L\"");
    // A second install (the box ticked again) must not remember itself as the old owner.
    ASSERT_TRUE(association->Install());
    ASSERT_TRUE(association->Remove());
    EXPECT_FALSE(association->IsPresent());
    EXPECT_FALSE(KeyExists(L"Software\\Classes\\mvUL_fajl"));
    if (anotherProgramHadIt) {
      EXPECT_EQ(Value(L"Software\\Classes\\.ulf"), L"Masik.Fajl");
      ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.ulf");
    } else {
      EXPECT_FALSE(KeyExists(L"Software\\Classes\\.ulf"));
    }
  }
}

}  // namespace
}  // namespace mv
