// Characters in mv.ini, their list items, and the open dialog's sheet scan.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "core/Cp1250.h"
#include "store/CharacterSession.h"
#include "store/CharacterStore.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

class CharacterStoreTest : public TempDirTest {
 protected:
  CharacterRecord Kard() {
    return {"2345", "10001", "titok", cp1250::FromUtf8("Kardos Ödön"), "leiras", "Puhány", DeliveryForm::Uuencode, 25};
  }
};

TEST_F(CharacterStoreTest, SaveLoadAndListThroughTheRealFile) {
  {
    IniFile ini(dir_ / "mv.ini");
    CharacterStore store(ini);
    ASSERT_TRUE(store.Save(Kard()));
    ASSERT_TRUE(store.Save({"2001", "1", "", "Abel", "", "", DeliveryForm::None, 10}));
    ASSERT_TRUE(store.SetLast("2345"));
    ASSERT_TRUE(ini.Write("Karakterek", "betolt", "Utolso"));  // special keys in any case
  }
  IniFile ini(dir_ / "mv.ini");
  CharacterStore store(ini);
  EXPECT_EQ(store.ListItems(), (std::vector<std::string>{"Abel (#2001)", cp1250::FromUtf8("Kardos Ödön (#2345)")}));
  const CharacterRecord back = store.Load("2345");
  EXPECT_EQ(back.name, Kard().name);
  EXPECT_EQ(back.password, "titok");
  EXPECT_EQ(back.delivery, DeliveryForm::Uuencode);
  EXPECT_EQ(back.raidCost, 25);
  EXPECT_EQ(ini.Read("2001", cp1250::FromUtf8("Küldési forma")), "Semmi");
  EXPECT_EQ(ini.Read("2345", "ELL"), cp1250::FromUtf8("1900:villám:1901:gránitbőr"));
  EXPECT_EQ(store.Stored("Utolso"), "2345");
  // The file holds passwords: only its owner may read it.
  struct stat st {};
  ASSERT_EQ(::stat((dir_ / "mv.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(CharacterStoreTest, MissingCharactersLoadEmptyAndDeleteRemovesIndexAndSection) {
  IniFile ini(dir_ / "mv.ini");
  CharacterStore store(ini);
  const CharacterRecord none = store.Load("9999");
  EXPECT_EQ(none.number, "");
  EXPECT_EQ(none.raidCost, 10);
  EXPECT_EQ(none.delivery, DeliveryForm::None);
  ASSERT_TRUE(store.Save(Kard()));
  ASSERT_TRUE(store.Delete("2345"));
  EXPECT_TRUE(store.ListItems().empty());
  EXPECT_EQ(IniFile(dir_ / "mv.ini").Read("2345", cp1250::FromUtf8("Jelszó")), "");
}

// What mvulc and the window share: only a stored character becomes the
// last used one, deleting the one shown clears it, and the notes file
// follows the character shown without making files for nothing.
constexpr auto Written = CharacterSession::NotesWrite::Status::Written;

TEST_F(CharacterStoreTest, TheSessionLoadsDeletesAndKeepsNotesOfTheCharacterShown) {
  IniFile ini(dir_ / "mv.ini");
  OrderDocument document;
  CharacterSession session(document, ini, dir_);

  session.Load("7777");  // nothing stored under it
  EXPECT_EQ(ini.Read("Karakterek", "Utolso"), "");
  EXPECT_EQ(session.WriteNotes("").status, Written);  // no number, no file
  EXPECT_FALSE(fs::exists(dir_ / ".jzt"));

  session.EditCharacter([this](CharacterFields& c) { c = FieldsOf(Kard()); });
  document.EditFields([](SheetFields& f) { f.delivery = DeliveryForm::Base64; });
  ASSERT_EQ(session.Save(), cp1250::FromUtf8("Kardos Ödön (#2345)"));
  EXPECT_EQ(session.shown().key, "2345");
  session.New();
  EXPECT_EQ(document.fields().turn, "1");
  EXPECT_EQ(document.fields().delivery, DeliveryForm::None);
  EXPECT_EQ(session.Load("2345"), cp1250::FromUtf8("Kardos Ödön (#2345)"));
  EXPECT_EQ(session.shown().deliveryForm, DeliveryForm::Base64);  // the character's form, not the sheet's
  EXPECT_EQ(ini.Read("Karakterek", "Utolso"), "2345");

  EXPECT_EQ(session.WriteNotes("").status, Written);
  EXPECT_FALSE(fs::exists(dir_ / "2345.jzt"));  // no file for no notes
  ASSERT_EQ(session.WriteNotes("kard\r\n").status, Written);
  EXPECT_EQ(session.ReadNotes().text, "kard\r\n");
  ASSERT_EQ(session.WriteNotes("").status, Written);  // emptied notes empty the file
  EXPECT_EQ(Read(dir_ / "2345.jzt"), "");

  ASSERT_TRUE(session.Delete("2345"));
  EXPECT_TRUE(session.shown().key.empty());
  EXPECT_TRUE(session.ListItems().empty());
}

// What the window follows: each change of the session says what it touched.
TEST_F(CharacterStoreTest, TheSessionAnnouncesWhatEachChangeTouched) {
  IniFile ini(dir_ / "mv.ini");
  OrderDocument document;
  CharacterSession session(document, ini, dir_);
  std::vector<unsigned> told;
  session.SetObserver([&](unsigned changes) { told.push_back(changes); });
  using S = CharacterSession;
  const struct {
    const char* what;
    std::function<void()> change;
    unsigned says;
  } cases[] = {
      {"typed into a field", [&] { session.EditCharacter([this](CharacterFields& c) { c = FieldsOf(Kard()); }); },
       S::kShown},
      {"stored", [&] { session.Save(); }, S::kShown | S::kList},
      {"made the default", [&] { session.SetDefault("2345"); }, S::kList},
      {"another loaded", [&] { session.Load("2345"); }, S::kShown | S::kReplaced},
      {"a letter went", [&] { session.LetterSent(); }, S::kLastSent},
      {"a new one", [&] { session.New(); }, S::kShown | S::kReplaced},
  };
  for (const auto& c : cases) {
    told.clear();
    c.change();
    ASSERT_EQ(told.size(), 1u) << c.what;
    EXPECT_EQ(told[0], c.says) << c.what;
  }
  told.clear();
  session.Delete("2345");  // not the one shown: only the list
  EXPECT_EQ(told, std::vector<unsigned>{S::kList});
}

TEST(CharacterListItemTest, KeyIsTheWholeNumberOfTheLastParenthesis) {
  EXPECT_EQ(KeyOfListItem("Kard (#2345)"), "2345");
  EXPECT_EQ(KeyOfListItem("Kard (a) (b) (#2345)"), "2345");
  EXPECT_EQ(KeyOfListItem("Hosszu (#12345)"), "12345");  // not 2345, another character
  EXPECT_EQ(KeyOfListItem("Rovid (#99)"), "99");
  EXPECT_EQ(KeyOfListItem(CharacterListItem("N (#1)", "2001")), "2001");
  EXPECT_EQ(KeyOfListItem("x)"), "");
  EXPECT_EQ(KeyOfListItem(""), "");
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(DeliveryFormFromText(DeliveryFormText(DeliveryForm(i))), DeliveryForm(i));
  EXPECT_EQ(DeliveryFormFromText("base64"), DeliveryForm::None);  // exact match only
}

TEST_F(CharacterStoreTest, ScanFindsEverySheetByKeyAndEachEntryOpensItsOwnFile) {
  fs::create_directories(dir_ / "a");
  fs::create_directories(dir_ / "b");
  auto sheet = [](const std::string& turn, const std::string& key) { return turn + "\r\n0\r\n" + key + "\r\n"; };
  for (int turn = 1; turn <= 300; ++turn)
    ASSERT_TRUE(WriteFileAtomically(dir_ / "a" / ("2345-" + std::to_string(turn) + ".ulf"),
                                    sheet(std::to_string(turn), "2345")));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "2345-1.ulf", sheet("99", "2345")));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "6000-(1).ULF", sheet("3", "6000")));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "empty.ulf", ""));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "other.txt", sheet("4", "6000")));

  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "2345-2.ulf", sheet("2", "2345")));
  // Names the file system keeps apart, converted alike for the screen.
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "\xff.ulf", sheet("7", "7000")));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "b" / "\xfe.ulf", sheet("8", "7000")));

  // Folder a listed twice, or reached again through a link, adds nothing.
  fs::create_directory_symlink(dir_ / "a", dir_ / "link");
  const SheetScan scan = ScanSheetFolders({dir_ / "a", dir_ / "missing", dir_ / "b", dir_ / "a", dir_ / "link"});
  ASSERT_FALSE(scan.unreadable);
  EXPECT_EQ(scan.sheets.size(), 305u);
  const auto turns = TurnEntries(scan.sheets, "2345");
  ASSERT_EQ(turns.size(), 302u);
  EXPECT_EQ(turns.front().text, cp1250::FromUtf8("1. forduló   (2345-1.ulf)"));
  EXPECT_EQ(turns.front().path, dir_ / "a" / "2345-1.ulf");
  // Two files of one name and turn in two folders: both, each with its folder.
  const auto second =
      std::find_if(turns.begin(), turns.end(), [](const TurnEntry& e) { return e.text.starts_with("2. "); });
  ASSERT_NE(second, turns.end());
  ASSERT_NE(second + 1, turns.end());
  EXPECT_EQ(second->text, cp1250::FromUtf8("2. forduló   (2345-2.ulf)   ") + (dir_ / "a").string());
  EXPECT_EQ((second + 1)->path, dir_ / "b" / "2345-2.ulf");
  EXPECT_EQ(TurnEntries(scan.sheets, "7000").size(), 2u);
  const auto odd = TurnEntries(scan.sheets, "6000");
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_EQ(odd.front().path, dir_ / "b" / "6000-(1).ULF");  // a parenthesis in the name opens too
}

}  // namespace
}  // namespace mv
