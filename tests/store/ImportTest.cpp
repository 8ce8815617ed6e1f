// The .oul import: the fixed columns, the mended faults, the file written.
#include <gtest/gtest.h>

#include <unistd.h>
#include "core/SheetWorkspace.h"

#include <filesystem>

#include "core/Cp1250.h"
#include "store/OulImport.h"
#include "store/TextFile.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

// Puts text at a 1-based column of a line, padding with blanks.
void Place(std::string& line, std::size_t column, std::string_view text) {
  if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
  line.replace(column - 1, text.size(), text);
}

struct ForeignRow {
  std::string code;
  std::array<std::string, 6> params;
  std::string tvp;
};

std::string Foreign(const std::string& character, const std::string& turn, const std::vector<ForeignRow>& rows,
                    const std::string& check = "  1234") {
  std::vector<std::string> lines(31, "");
  lines[0] = "Zendik UL";
  Place(lines[2], 1, "Kar:");
  Place(lines[2], 7, character);
  Place(lines[2], 53, turn);
  const int rowLines[] = {7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 25, 26, 27, 28, 29};
  for (std::size_t i = 0; i < 20; ++i) {
    std::string& line = lines[std::size_t(rowLines[i] - 1)];
    const ForeignRow r = i < rows.size() ? rows[i] : ForeignRow{"-", {"-", "-", "-", "-", "-", "-"}, "-"};
    Place(line, 1, std::to_string(i + 1) + ".");
    Place(line, 7, r.code);
    for (std::size_t k = 0; k < 6; ++k) Place(line, 13 + 6 * k, r.params[k]);
    Place(line, 52, r.tvp);
  }
  for (int sep : {12, 18, 24}) lines[std::size_t(sep - 1)] = "------";
  Place(lines[30], 1, "Ell.szam:");
  Place(lines[30], 13, check);
  return JoinLines(lines);
}

TEST(OulConversionTest, FieldsByColumn) {
  const std::string text =
      Foreign("2345", "  17", {{"be", {"1", "-", "", "", "", ""}, "5"}, {"ea", {"12", "3", "", "", "", ""}, "0"}});
  const OulConversion c = ConvertOul(text, "x.oul");
  ASSERT_TRUE(c.ok) << c.error;
  ASSERT_EQ(c.sheet.size(), 37u);
  EXPECT_EQ(c.sheet[0], "17");  // trimmed
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(c.sheet[std::size_t(i)], "0");
  EXPECT_EQ(c.sheet[11], "");
  EXPECT_EQ(c.sheet[13], "be,1,,,,,,5,0");  // "-" is an empty cell
  EXPECT_EQ(c.sheet[14], "ea,12,3,,,,,0,0");
  EXPECT_EQ(c.sheet[15], ",,,,,,,,0");  // a row of "-"
  EXPECT_EQ(c.sheet[33], "1234");
  EXPECT_EQ(c.sheet[34], "0");
  EXPECT_EQ(c.sheet[36], "2345");
  EXPECT_EQ(c.fileName, "2345-17i.ulf");
}

TEST(OulConversionTest, RefusesWhatCannotBeMeant) {
  const struct {
    const char* what;
    std::string content;
  } bad[] = {
      {"empty", ""},
      {"short", "a\r\nb\r\nc\r\n"},
      {"path in the character field", Foreign("../x", "17", {})},
      {"slash in the turn", Foreign("2345", "1/7", {})},
      {"empty turn", Foreign("2345", "", {})},
      {"binary", std::string("\x7f"
                             "ELF\x02\x01\x01\x00",
                             8) +
                     Foreign("2345", "17", {})},
      {"utf-16", "\xFF\xFE" + Foreign("2345", "17", {})},
  };
  for (const auto& b : bad) {
    const OulConversion c = ConvertOul(b.content, "rossz.oul");
    EXPECT_FALSE(c.ok) << b.what;
    EXPECT_NE(c.error.find("rossz.oul"), std::string::npos) << b.what;
  }
}

TEST(OulConversionTest, ARowCodeTheGridCannotHoldIsRefusedWithItsLine) {
  for (const char* code : {"1x", "b-e", "kard5", "\xE1", "beee"}) {
    const bool holdable = std::string(code) == "beee";
    const OulConversion c = ConvertOul(Foreign("2345", "17", {{"be", {}, ""}, {code, {"1"}, "5"}}), "x.oul");
    EXPECT_EQ(c.ok, holdable) << code;
    if (holdable) continue;
    EXPECT_NE(c.error.find("x.oul"), std::string::npos);
    EXPECT_NE(c.error.find("8. sor"), std::string::npos) << c.error;  // the second row stands on line 8
    EXPECT_TRUE(c.sheet.empty());
  }
}

TEST(OulConversionTest, ACommaInAFieldDoesNotShiftTheRow) {
  const OulConversion c = ConvertOul(Foreign("2345", "17", {{"be", {"1,2", "3", "", "", "", ""}, "5"}}), "x.oul");
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(c.sheet[13], "be,12,3,,,,,5,0");
}

TEST(OulImportTest, WritesTheSheetAndLoadsIt) {
  const fs::path dir = fs::temp_directory_path() / ("mvul-import-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  ASSERT_TRUE(WriteFileAtomically(dir / "in.oul", Foreign("2345", "17", {{"be", {"1", "", "", "", "", ""}, "5"}})));
  SheetWorkspace model;
  model.document.SetCell(1, col::kKNO, "9");  // left over from the sheet before
  model.document.SetFileName("/old/sheet.ulf");
  SheetEditor& editor = model.editor;
  std::string loaded;
  const OulImport result = ImportOul(editor, dir / "in.oul", dir, [&](const std::string& key) { loaded = key; });
  ASSERT_FALSE(result.outcome.failed()) << result.outcome.message;
  EXPECT_EQ(result.written, dir / "2345-17i.ulf");
  EXPECT_TRUE(fs::exists(dir / "2345-17i.ulf"));
  EXPECT_EQ(model.document.fields().turn, "17");
  EXPECT_EQ(model.document.sheet().Cell(1, col::kCode), "be");
  EXPECT_EQ(model.document.sheet().Cell(1, col::kTVP), "5");
  EXPECT_EQ(model.document.sheet().Cell(1, col::kKNO), "0");
  EXPECT_EQ(model.document.figures().checkNumber, "1234");
  EXPECT_EQ(model.document.fileName(), "");  // not the current file: a save asks for a name
  EXPECT_EQ(loaded, "2345");
  // By position: the TVP total is not recomputed, the KNO cell keeps its value.
  EXPECT_EQ(model.document.figures().tvpTotal, "0");

  // A row code the grid cannot hold: nothing written, nothing loaded.
  ASSERT_TRUE(WriteFileAtomically(dir / "code.oul", Foreign("2346", "18", {{"1x", {"1"}, "5"}})));
  loaded.clear();
  const OulImport badCode = ImportOul(editor, dir / "code.oul", dir, [&](const std::string& key) { loaded = key; });
  EXPECT_TRUE(badCode.outcome.failed());
  EXPECT_FALSE(fs::exists(dir / "2346-18i.ulf"));
  EXPECT_EQ(loaded, "");
  EXPECT_EQ(model.document.figures().checkNumber, "1234");
  fs::remove(dir / "code.oul");

  // A refused file writes nothing and leaves the window's sheet alone.
  ASSERT_TRUE(WriteFileAtomically(dir / "bad.oul", "nem oul"));
  const OulImport refused = ImportOul(editor, dir / "bad.oul", dir, nullptr);
  EXPECT_TRUE(refused.outcome.failed());
  EXPECT_EQ(model.document.sheet().Cell(1, col::kCode), "be");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace mv
