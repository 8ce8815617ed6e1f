// Blocks of orders in sablonok/: written whole, read back as written, names
// that could not be file names refused before anything is written.
#include <gtest/gtest.h>

#include "core/Cp1250.h"
#include "platform/Paths.h"
#include "store/OrderTemplates.h"
#include "store/TextFile.h"
#include "tests/TempDir.h"

namespace mv {
namespace {

using OrderTemplatesTest = TempDirTest;

const std::vector<OrderRow> kBlock = {{"be", {"1", "", "", "", "", ""}, "5", "0"},
                                      {"az", {"12", "13", "", "", "", ""}, "12", "0"}};

TEST_F(OrderTemplatesTest, SavedInTheSheetsOwnLinesAndReadBack) {
  ASSERT_TRUE(SaveTemplate(dir_, "Bolt és árnyék"_w, kBlock, false).ok());
  const auto bytes = ReadWholeFile(dir_ / "sablonok" / PathFromUtf8(cp1250::ToUtf8("Bolt és árnyék.uls"_w)));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "be,1,,,,,,5,0\r\naz,12,13,,,,,12,0\r\n");
  const std::vector<OrderTemplate> listed = ListTemplates(dir_);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, std::string("Bolt és árnyék"_w));
  EXPECT_EQ(listed[0].rows, kBlock);
  // Written again only when the player said so.
  EXPECT_FALSE(SaveTemplate(dir_, "Bolt és árnyék"_w, {kBlock[0]}, false).ok());
  EXPECT_EQ(ListTemplates(dir_)[0].rows, kBlock);
  ASSERT_TRUE(SaveTemplate(dir_, "Bolt és árnyék"_w, {kBlock[0]}, true).ok());
  EXPECT_EQ(ListTemplates(dir_)[0].rows.size(), 1u);
}

TEST_F(OrderTemplatesTest, NamesThatCannotBeFileNamesAreRefusedAndNothingIsWritten) {
  for (const std::string& name :
       {std::string(), std::string("a/b"), std::string("a\\b"), std::string("mi?"), std::string("CON"),
        std::string("lpt1.x"), std::string(" elöl"), std::string("pont."), std::string("a\tb"), std::string(81, 'x')}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(TemplateNameProblem(name).empty());
    EXPECT_FALSE(SaveTemplate(dir_, name, kBlock, false).ok());
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "sablonok"));
  EXPECT_TRUE(TemplateNameProblem("Portya 2. hét"_w).empty());
  EXPECT_TRUE(TemplateNameProblem("CONAN").empty());
  EXPECT_FALSE(SaveTemplate(dir_, "üres", {}, false).ok());
}

TEST_F(OrderTemplatesTest, RenamedAndDeletedButNeverOverAnother) {
  ASSERT_TRUE(SaveTemplate(dir_, "egy", kBlock, false).ok());
  ASSERT_TRUE(SaveTemplate(dir_, "ketto", {kBlock[1]}, false).ok());
  EXPECT_FALSE(RenameTemplate(dir_, "egy", "ketto").ok());
  EXPECT_FALSE(RenameTemplate(dir_, "egy", "a:b").ok());
  ASSERT_TRUE(RenameTemplate(dir_, "egy", "Egy").ok());  // only the case: the same file on Windows
  ASSERT_TRUE(DeleteTemplate(dir_, "ketto").ok());
  EXPECT_FALSE(DeleteTemplate(dir_, "ketto").ok());
  const std::vector<OrderTemplate> listed = ListTemplates(dir_);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "Egy");
  EXPECT_EQ(listed[0].rows, kBlock);
}

TEST_F(OrderTemplatesTest, ForeignAndBrokenFilesInTheFolderAreLeftOut) {
  std::filesystem::create_directories(dir_ / "sablonok" / "mappa.uls");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "sablonok" / "ures.uls", ",,,,,,,0,0\r\n"));
  ASSERT_TRUE(WriteFileAtomically(dir_ / "sablonok" / "jegyzet.txt", "be,1\r\n"));
  std::string many;
  for (int i = 0; i < 25; ++i) many += "be,1,,,,,,0,0\r\n";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "sablonok" / "sok.uls", many));
  const std::vector<OrderTemplate> listed = ListTemplates(dir_);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].rows.size(), 20u);  // never more than a sheet holds
}

}  // namespace
}  // namespace mv
