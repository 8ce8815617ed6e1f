#include "store/SheetFile.h"

#include <unistd.h>
#include <filesystem>

#include <algorithm>

#include <gtest/gtest.h>

#include "core/SheetWorkspace.h"

#include "core/Cp1250.h"
#include "core/SheetEditor.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"

namespace mv {
namespace {

// A sheet file as the program writes it, with `orders` as lines 14 onward.
std::string SheetText(const std::vector<std::string>& orders, const std::string& trailer = "5\r\n7\r\n0\r\n2345\r\n") {
  std::string text = "12\r\n1\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n1\r\n2400\r\n11\r\n";
  for (const std::string& line : orders) text += line + "\r\n";
  return text + trailer;
}

std::vector<std::string> BlankOrders(int count) { return std::vector<std::string>(std::size_t(count), ",,,,,,,0,0"); }

class SheetFileTest : public ::testing::Test {
 protected:
  SheetReadResult Read(const std::string& text) { return ReadSheet(text, "lap.ulf", model); }
  SheetContent model;
};

TEST(SplitLines, AllLineEndsAndALastLineWithoutOne) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(SplitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST_F(SheetFileTest, ReadsAFullSheet) {
  auto orders = BlankOrders(20);
  orders[0] = "be,1,,,,,,2,0";
  const SheetReadResult r = Read(SheetText(orders));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(model.fields.turn, "12");
  EXPECT_TRUE(model.fields.requestUL);
  EXPECT_FALSE(model.fields.requestJL);
  EXPECT_TRUE(model.fields.extraTurn);
  EXPECT_EQ(model.fields.delivery, DeliveryForm::Base64Printed);
  EXPECT_TRUE(model.fields.queued);
  EXPECT_EQ(model.fields.queueCharacter, "2400");
  EXPECT_EQ(model.fields.queueTurn, "11");
  EXPECT_EQ(model.sheet.Row(1), (OrderRow{"be", {"1", "", "", "", "", ""}, "2", "0"}));
  EXPECT_EQ(model.figures.checkNumber, "5");
  EXPECT_EQ(model.figures.tvpTotal, "7");
  EXPECT_EQ(model.characterKey, "2345");
}

TEST_F(SheetFileTest, LastTickedDeliveryFormWins) {
  std::string text = SheetText(BlankOrders(20));
  const std::string radios = "0\r\n1\r\n0\r\n0\r\n0\r\n1\r\n2400";
  text.replace(text.find(radios), radios.size(), "1\r\n1\r\n0\r\n1\r\n0\r\n1\r\n2400");
  ASSERT_TRUE(Read(text).ok);
  EXPECT_EQ(model.fields.delivery, DeliveryForm::UuencodePrinted);
}

TEST_F(SheetFileTest, AnEmptyOrderLineEndsTheOrders) {
  auto orders = BlankOrders(4);
  orders[3] = "e,5";
  orders.push_back("");
  const SheetReadResult r = Read(SheetText(orders, "99\r\n3\r\n2345\r\n"));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(model.sheet.Cell(4, col::kCode), "e");
  EXPECT_TRUE(model.sheet.RowIsBlank(5));
  EXPECT_EQ(model.figures.checkNumber, "");
  EXPECT_EQ(model.figures.tvpTotal, "99");
  EXPECT_EQ(model.figures.knoTotal, "3");
  EXPECT_EQ(model.characterKey, "2345");
}

TEST_F(SheetFileTest, OrderLinesPastTheTwentiethAreSkipped) {
  auto orders = BlankOrders(22);
  orders[19] = "z,20";
  orders[20] = "a,21";
  orders[21] = "a,22";
  const SheetReadResult r = Read(SheetText(orders));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(model.sheet.Cell(20, col::kFirstParam), "20");
  EXPECT_EQ(model.figures.checkNumber, "5");
}

TEST_F(SheetFileTest, FieldsAreLowerCasedAndMissingOnesKeepTheNewSheetValues) {
  auto orders = BlankOrders(20);
  orders[0] = "ABC,1";
  orders[1] = "d,2,3,";
  orders[2] = "be,1,,,,,,,";
  orders[3] = "x,1,2,3,4,5,6,7,8,9,10";
  ASSERT_TRUE(Read(SheetText(orders)).ok);
  EXPECT_EQ(model.sheet.Row(1), (OrderRow{"abc", {"1", "", "", "", "", ""}, "0", "0"}));
  EXPECT_EQ(model.sheet.Row(2), (OrderRow{"d", {"2", "3", "", "", "", ""}, "0", "0"}));
  EXPECT_EQ(model.sheet.Row(3), (OrderRow{"be", {"1", "", "", "", "", ""}, "", "0"}));
  EXPECT_EQ(model.sheet.Row(4), (OrderRow{"x", {"1", "2", "3", "4", "5", "6"}, "7", "8"}));
}

TEST_F(SheetFileTest, BrokenFilesStopWithAMessage) {
  struct Case {
    std::string text;
    const char* containing;
  } cases[] = {
      {"", "hiányos"},
      {"12\r\n1\r\n0\r\n", "hiányos"},
      {"12\r\n1\r\nx\r\n", "3. sora"},
      {SheetText({}, "5\r\n7\r\n"), "hiányos"},
      {std::string(5000, '\x01'), "hiányos"},
  };
  for (const Case& c : cases) {
    const SheetReadResult r = Read(c.text);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(cp1250::ToUtf8(r.error).find(c.containing), std::string::npos) << cp1250::ToUtf8(r.error);
    EXPECT_NE(r.error.find("lap.ulf"), std::string::npos);
  }
}

TEST_F(SheetFileTest, WriteProducesThirtySevenCrLfLinesThatReadBackIdentically) {
  model.fields = SheetFields{"17", true, false, true, false, DeliveryForm::PrintedOnly, true, "2001", "16"};
  model.sheet.SetRow(1, OrderRow{"be", {"1", "", "", "", "", ""}, "2", "0"});
  model.sheet.SetRow(20, OrderRow{"h", {"14", "1", "30", "25", "", ""}, std::string("vált"_w), "0"});
  model.figures = SheetFigures{"71", "2", "0"};
  model.characterKey = "2345";
  const std::string written = WriteSheet(model);
  const auto lines = SplitLines(written);
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[13], "be,1,,,,,,2,0");
  EXPECT_EQ(lines[14], ",,,,,,,0,0");
  EXPECT_EQ(lines[36], "2345");
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 37);

  SheetContent again;
  ASSERT_TRUE(ReadSheet(written, "x", again).ok);
  EXPECT_EQ(WriteSheet(again), written);
}

class SheetDocumentTest : public ::testing::Test {
 protected:
  SheetDocumentTest() {
    dir = std::filesystem::temp_directory_path() / ("mvul-sheet-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  ~SheetDocumentTest() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  SheetWorkspace model;
  SheetEditor& editor = model.editor;
};

TEST_F(SheetDocumentTest, OpenLoadsTheSheetsCharacterAndInterpretsRowOne) {
  auto orders = BlankOrders(20);
  orders[0] = "xyz,1";
  const auto path = dir / "2345-12.ulf";
  ASSERT_TRUE(WriteFileAtomically(path, SheetText(orders)));
  model.document.SetModified(true);
  model.view.SetRow(7);
  std::string loaded;
  const FileOutcome r = OpenSheet(editor, path, [&](const std::string& key) { loaded = key; });
  EXPECT_EQ(r.status, FileOutcome::Status::Done);
  EXPECT_EQ(loaded, "2345");
  EXPECT_FALSE(model.document.modified());
  EXPECT_EQ(model.document.fileName(), path.string());
  EXPECT_EQ(model.view.row(), 1);
  EXPECT_EQ(model.view.panel().command, "Ismeretlen parancs");

  loaded.clear();
  model.character.key = "2345";
  OpenSheet(editor, path, [&](const std::string& key) { loaded = key; });
  EXPECT_EQ(loaded, "");  // same character: nothing loaded
}

TEST_F(SheetDocumentTest, OpenOfAMissingFileChangesNothing) {
  model.document.SetCell(3, col::kCode, "be");
  model.document.SetModified(true);
  EXPECT_EQ(OpenSheet(editor, dir / "nincs.ulf", nullptr).status, FileOutcome::Status::Nothing);
  EXPECT_EQ(OpenSheet(editor, "", nullptr).status, FileOutcome::Status::Nothing);
  EXPECT_EQ(model.document.sheet().Cell(3, col::kCode), "be");
  EXPECT_TRUE(model.document.modified());
}

TEST_F(SheetDocumentTest, ABrokenFileLeavesANewUnnamedUnmodifiedSheet) {
  const auto path = dir / "rossz.ulf";
  ASSERT_TRUE(WriteFileAtomically(path, "12\r\n1\r\nx\r\n"));
  model.document.SetCell(3, col::kCode, "be");
  model.document.SetFileName("old.ulf");
  const FileOutcome r = OpenSheet(editor, path, nullptr);
  EXPECT_TRUE(r.failed());
  EXPECT_TRUE(model.document.sheet().RowIsBlank(3));
  EXPECT_EQ(model.document.fileName(), "");
  EXPECT_FALSE(model.document.modified());
  EXPECT_EQ(model.document.fields().turn, "12");
}

TEST_F(SheetDocumentTest, SaveReplacesTheFileWholeAndAFailedSaveKeepsTheOld) {
  const auto path = dir / "2345-1.ulf";
  model.character.key = "2345";
  model.document.SetModified(true);
  ASSERT_EQ(SaveSheet(model.document, model.character.key, path).status, FileOutcome::Status::Done);
  EXPECT_FALSE(model.document.modified());
  EXPECT_EQ(model.document.fileName(), path.string());
  const auto before = ReadWholeFile(path);

  model.document.SetModified(true);
  model.document.SetCell(1, col::kCode, "be");
  const FileOutcome failed = SaveSheet(model.document, model.character.key, dir / "nincs" / "x.ulf");
  EXPECT_TRUE(failed.failed());
  EXPECT_TRUE(model.document.modified());
  EXPECT_EQ(model.document.fileName(), path.string());
  EXPECT_EQ(ReadWholeFile(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
}

}  // namespace
}  // namespace mv
