// mv.ini, the reference list files and the .ulf association.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/Cp1250.h"
#include "store/DataListFile.h"
#include "store/FileAssociation.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

class TempDir : public TempDirTest {
 protected:
  void Put(const fs::path& p, std::string_view text) { ASSERT_TRUE(WriteFileAtomically(p, text)); }
};

using IniTest = TempDir;

TEST_F(IniTest, ReadsWindowsFilesAndKeepsEverythingElseOnWrite) {
  const std::string original = "; comment\r\n[Karakterek]\r\n2345=2345\r\nBetolt=Utolso\r\n\r\n[2345]\r\n" +
                               cp1250::FromUtf8("Karakternév=Ödön") + "\r\n";
  Put(dir_ / "mv.ini", original);
  IniFile ini(dir_ / "mv.ini");
  EXPECT_EQ(ini.Read("karakterek", "BETOLT"), "Utolso");  // names match in any case
  EXPECT_EQ(cp1250::ToUtf8(ini.Read("2345", cp1250::FromUtf8("Karakternév"))), "Ödön");
  ASSERT_TRUE(ini.Write("Karakterek", "Utolso", "2345"));
  ASSERT_TRUE(ini.Write("Uj", "kulcs", "x"));
  EXPECT_EQ(Read(dir_ / "mv.ini"),
            "; comment\r\n[Karakterek]\r\n2345=2345\r\nBetolt=Utolso\r\nUtolso=2345\r\n\r\n[2345]\r\n" +
                cp1250::FromUtf8("Karakternév=Ödön") + "\r\n[Uj]\r\nkulcs=x\r\n");
  EXPECT_EQ(IniFile(dir_ / "mv.ini").Read("Uj", "kulcs"), "x");
}

TEST_F(IniTest, SurvivesJunk) {
  const std::string junk[] = {"", "=\r\n[", "\x00\xff\xfe[\x01]=\n==\n", std::string(100000, 'x'),
                              "[A]\nk=1\n[a]\nk=2\nj=3\n"};
  for (const std::string& text : junk) {
    const IniFile ini = IniFile::FromText(text);
    EXPECT_EQ(ReadSettings(ini).bandLength, std::nullopt);
  }
  const IniFile twice = IniFile::FromText("[A]\nk=1\n[a]\nk=2\nj=3\n");
  EXPECT_EQ(twice.Read("A", "k"), "1");  // the first entry wins, the repeated section continues
  EXPECT_EQ(twice.Read("A", "j"), "3");
}

TEST_F(IniTest, AFailedWriteLeavesTheOldFile) {
  Put(dir_ / "mv.ini", "[A]\r\nk=1\r\n");
  IniFile ini(dir_ / "mv.ini");
  ::chmod((dir_ / "mv.ini").c_str(), 0444);
  EXPECT_FALSE(ini.Write("A", "k", "2"));
  EXPECT_EQ(Read(dir_ / "mv.ini"), "[A]\r\nk=1\r\n");
}

TEST(SettingsRulesTest, FallbacksOfTheAppearanceValues) {
  const struct {
    const char* text;
    std::optional<int> bands;
  } bands[] = {{"0", std::nullopt}, {"6", std::nullopt}, {"x", std::nullopt}, {"5", 5}, {"1", 1}, {"", std::nullopt}};
  for (const auto& b : bands) EXPECT_EQ(BandLengthFromText(b.text), b.bands) << b.text;
  EXPECT_EQ(ColourFromText("-30"), std::nullopt);
  EXPECT_EQ(ColourFromText("-29"), -29);
  EXPECT_EQ(ColourFromText("50331647"), 50331647);
  EXPECT_EQ(ColourFromText("50331648"), std::nullopt);
  EXPECT_EQ(StartupFromText("utolso"), StartupCharacter::Last);
  EXPECT_EQ(StartupFromText("ALAPERTELMEZETT"), StartupCharacter::Default);
  EXPECT_EQ(StartupFromText("valami"), std::nullopt);
}

TEST(SettingsRulesTest, SearchPaths) {
  EXPECT_EQ(AcceptSearchPath("C:\\Games"), "C:\\Games\\");
  EXPECT_EQ(AcceptSearchPath("/home/a/mv"), "/home/a/mv/");
  EXPECT_EQ(AcceptSearchPath("/home/a/mv/"), "/home/a/mv/");
  EXPECT_EQ(AcceptSearchPath("\\\\server\\share"), std::nullopt);
  EXPECT_EQ(AcceptSearchPath("Games"), std::nullopt);
  EXPECT_EQ(AcceptSearchPath(""), std::nullopt);
}

TEST_F(IniTest, SettingsRoundTrip) {
  IniFile ini(dir_ / "mv.ini");
  Settings s;
  s.passwordMasked = s.completion = s.flatGrid = true;
  s.bandLength = 3;
  s.background1 = 255;
  s.startup = StartupCharacter::Default;
  s.recipient = "x@y.hu";
  s.searchPaths = {"/a/", "C:\\b\\"};
  ASSERT_TRUE(WriteSettings(ini, s));
  const Settings back = ReadSettings(IniFile(dir_ / "mv.ini"));
  EXPECT_TRUE(back.passwordMasked && back.completion && back.flatGrid);
  EXPECT_FALSE(back.tooltips);
  EXPECT_EQ(back.bandLength, 3);
  EXPECT_EQ(back.background1, 255);
  EXPECT_EQ(back.background2, std::nullopt);
  EXPECT_EQ(back.startup, StartupCharacter::Default);
  EXPECT_EQ(back.recipient, "x@y.hu");
  EXPECT_EQ(back.searchPaths, s.searchPaths);
  EXPECT_EQ(IniFile(dir_ / "mv.ini").Read("Karakterek", "Betolt"), "Alapertelmezett");
}

TEST(DataLineTest, TheNumberedLineRule) {
  const struct {
    const char* line;
    std::optional<long long> number;
    const char* name;
  } cases[] = {
      {"12 kard", 12, "kard"},
      {"   12   kard   ", 12, "kard"},
      {"12kard", {}, ""},
      {"kard 12", {}, ""},
      {"12", {}, ""},
      {"12    ", {}, ""},
      {"1", {}, ""},
      {"", {}, ""},
      {"99999999999 x", {}, ""},
      {"7 két szó", 7, "két szó"},
      {"-5 x", {}, ""},
  };
  for (const auto& c : cases) {
    const auto got = ParseDataLine(c.line);
    ASSERT_EQ(got.has_value(), c.number.has_value()) << c.line;
    if (got) {
      EXPECT_EQ(got->number, *c.number);
      EXPECT_EQ(got->name, c.name);
    }
  }
}

using DataListTest = TempDir;

TEST_F(DataListTest, LoadSortAndUpdate) {
  Put(dir_ / "galetkik.dat",
      "Karakterek listaja\r\n\r\n2000 Elso\r\n2005 Otodik\r\n2005 Otodik uj\r\n1999 Tul kicsi\r\n"
      "9999999 Tul nagy\r\n");
  Put(dir_ / "szovets.dat", "15000 Szovetseg\r\n");
  Put(dir_ / "italok.dat", "045 12 13\r\n123 1 2 3\r\n");
  ReferenceLists lists;
  LoadReferenceLists(dir_, lists);
  ASSERT_EQ(lists.characters.names.size(), 6u);
  EXPECT_EQ(lists.characters.names[0], "Elso");
  EXPECT_EQ(lists.characters.names[5], "Otodik uj");
  EXPECT_EQ(lists.alliances.names[0], "Szovetseg");
  EXPECT_EQ(lists.potions.size(), 2u);

  // A line deleted by the player stays known until the files are sorted.
  Put(dir_ / "galetkik.dat", "2005 Otodik uj\r\n");
  ASSERT_TRUE(UpdateReferenceLists(dir_, lists));
  EXPECT_EQ(lists.characters.names[0], "Elso");
  ASSERT_TRUE(SortReferenceLists(dir_, lists));
  EXPECT_EQ(lists.characters.names[0], "");
  EXPECT_EQ(Read(dir_ / "galetkik.dat"), "2005 Otodik uj\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "targyak.dat"));  // a missing file stays missing
}

TEST_F(DataListTest, SortingAReadOnlyFileFailsAndDamagesNothing) {
  Put(dir_ / "galetkik.dat", "2001 B\r\n2000 A\r\n");
  Put(dir_ / "szovets.dat", "15001 D\r\n15000 C\r\n");
  ::chmod((dir_ / "szovets.dat").c_str(), 0444);
  ReferenceLists lists;
  EXPECT_FALSE(SortReferenceLists(dir_, lists));
  EXPECT_EQ(Read(dir_ / "galetkik.dat"), "2000 A\r\n2001 B\r\n");   // new
  EXPECT_EQ(Read(dir_ / "szovets.dat"), "15001 D\r\n15000 C\r\n");  // old, whole
}

using AssociationTest = TempDir;

TEST_F(AssociationTest, InstallRemembersAndRemoveRestoresThePreviousDefault) {
  const fs::path data = dir_ / "data", config = dir_ / "config";
  fs::create_directories(config);
  Put(config / "mimeapps.list",
      "[Default Applications]\napplication/x-mvul-fajl=other.desktop\ntext/plain=ed.desktop\n");
  FreedesktopAssociation association(data, config, "/opt/mvul/mvul");
  EXPECT_FALSE(association.IsPresent());
  ASSERT_TRUE(association.Install());
  EXPECT_TRUE(association.IsPresent());
  EXPECT_NE(Read(association.DesktopEntry()).find("Exec=\"/opt/mvul/mvul\" %f"), std::string::npos);
  EXPECT_NE(Read(association.MimePackage()).find("*.ulf"), std::string::npos);
  EXPECT_FALSE(FreedesktopAssociation(data, config, "/elsewhere/mvul").IsPresent());

  ASSERT_TRUE(association.Remove());
  EXPECT_FALSE(association.IsPresent());
  EXPECT_FALSE(fs::exists(association.DesktopEntry()));
  EXPECT_EQ(Read(config / "mimeapps.list"),
            "[Default Applications]\napplication/x-mvul-fajl=other.desktop\ntext/plain=ed.desktop\n");
}

TEST_F(AssociationTest, RemoveWithoutAPreviousOwnerLeavesNoTrace) {
  const fs::path data = dir_ / "data", config = dir_ / "config";
  FreedesktopAssociation association(data, config, "/opt/mvul/mvul");
  ASSERT_TRUE(association.Install());
  ASSERT_TRUE(association.Remove());
  EXPECT_EQ(Read(config / "mimeapps.list"), "[Default Applications]\n");
  EXPECT_FALSE(fs::exists(association.MimePackage()));
  EXPECT_FALSE(fs::exists(association.Backup()));
}

}  // namespace
}  // namespace mv
