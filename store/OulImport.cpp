#include "store/OulImport.h"

#include <algorithm>
#include <cerrno>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/TextJoin.h"
#include "store/SheetDocument.h"
#include "store/TextFile.h"

namespace mv {
namespace {

// Columns from..to (1-based, inclusive), trimmed; short lines give less.
std::string Field(const std::string& line, std::size_t from, std::size_t to) {
  if (line.size() < from) return {};
  std::string text = line.substr(from - 1, to - from + 1);
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  // A comma would shift every cell of the sheet line: it cannot be meant.
  std::erase(text, ',');
  return text;
}

std::string RowField(const std::string& line, std::size_t from, std::size_t to) {
  std::string text = Field(line, from, to);
  return text == "-" ? std::string() : text;
}

// The grid's code column holds ASCII letters only, at most four.
bool GridCanHoldCode(const std::string& code) {
  return code.size() <= 4 &&
         std::all_of(code.begin(), code.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// Steps 4 to 6 of the import: the converted lines go to the fields, rows and
// figures by position, whatever they hold.
void LoadByPosition(const std::vector<std::string>& sheet, SheetContent& into) {
  SheetFields& f = into.fields;
  f.turn = sheet[0];
  f.requestUL = f.requestJL = f.extraTurn = f.clubCode = f.queued = false;
  f.queueCharacter = sheet[11];
  f.queueTurn = sheet[12];
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    const std::string& line = sheet[std::size_t(12 + r)];
    // Fields that a comma ends, up to the last character: the closing "0"
    // is not stored, so the KNO cell keeps its value.
    int column = col::kCode;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < line.size() && column <= col::kKNO; ++i) {
      if (line[i] != ',') continue;
      into.sheet.Cell(r, column++) = line.substr(start, i - start);
      start = i + 1;
    }
  }
  into.figures.checkNumber = sheet[33];
  into.figures.tvpTotal = "0";
  into.figures.knoTotal = "0";
}

bool LooksLikeText(std::string_view content) {
  if (content.size() >= 2 &&
      ((content[0] == '\xFF' && content[1] == '\xFE') || (content[0] == '\xFE' && content[1] == '\xFF')))
    return false;  // UTF-16
  std::size_t control = 0;
  for (const char c : content) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u == 0) return false;
    if (u < 32 && c != '\r' && c != '\n' && c != '\t' && c != '\f' && c != '\x1A') ++control;
  }
  return control * 20 < content.size() + 1;
}

}  // namespace

OulConversion ConvertOul(std::string_view content, std::string_view displayName) {
  OulConversion out;
  const std::string name(displayName);
  const std::vector<std::string> lines = SplitLines(content);
  if (!LooksLikeText(content) || lines.size() < 31) {
    out.error = "A(z) \""_w + name + "\" nem Zendik-féle UL fájl (.oul), ezért nem importálható."_w;
    return out;
  }
  const std::string character = Field(lines[2], 7, 10);
  const std::string turn = Field(lines[2], 53, 56);
  if (!IsDecimalDigits(character) || !IsDecimalDigits(turn)) {
    out.error = "A(z) \""_w + name +
                "\" fájl 3. sorában a karakterszám és a forduló csak számjegy lehet, ezért nem importálható."_w;
    return out;
  }
  out.sheet.push_back(turn);
  for (int i = 0; i < 10; ++i) out.sheet.push_back("0");
  out.sheet.insert(out.sheet.end(), {"", ""});
  static const std::pair<std::size_t, std::size_t> kColumns[] = {{7, 11},  {13, 17}, {19, 23}, {25, 29},
                                                                 {31, 35}, {37, 41}, {43, 47}, {52, 54}};
  for (const int first : {7, 13, 19, 25})
    for (int line = first; line < first + 5; ++line) {
      const std::string code = RowField(lines[std::size_t(line - 1)], 7, 11);
      if (!GridCanHoldCode(code)) {
        out.sheet.clear();
        out.error = "A(z) \""_w + name + "\" fájl "_w + std::to_string(line) + ". sorában a parancs (\""_w + code +
                    "\") nem UL-parancs, ezért nem importálható."_w;
        return out;
      }
      std::string row;
      for (const auto& [from, to] : kColumns) row += RowField(lines[std::size_t(line - 1)], from, to) + ",";
      out.sheet.push_back(row + "0");
    }
  out.sheet.push_back(Field(lines[30], 13, 18));
  out.sheet.insert(out.sheet.end(), {"0", "0", character});
  out.fileName = character + "-" + turn + "i.ulf";
  out.ok = true;
  return out;
}

OulImport ImportOul(SheetEditor& editor, const std::filesystem::path& file, const std::filesystem::path& programDir,
                    const CharacterLoader& loadCharacter) {
  OulImport result;
  const auto bytes = ReadWholeFile(file);
  if (!bytes) {
    result.outcome = {FileOutcome::Status::Failed, "Nem tudom beolvasni a fájlt: "_w + DisplayPath(file)};
    return result;
  }
  const OulConversion converted = ConvertOul(*bytes, DisplayPath(file));
  if (!converted.ok) {
    result.outcome = {FileOutcome::Status::Failed, converted.error};
    return result;
  }
  const std::filesystem::path target = programDir / converted.fileName;
  const std::string text = JoinLines(converted.sheet);
  if (!WriteFileAtomically(target, text)) {
    result.outcome = {FileOutcome::Status::Failed,
                      WriteFailedMessage("Nem sikerült elmenteni az átalakított UL-t ide: "_w, target, errno)};
    return result;
  }
  result.written = target;

  // A new sheet, so that nothing of the old one (its KNO costs, its file
  // name) is mixed with the imported orders.
  OrderDocument::Batch batch(editor.document());
  editor.NewSheet();
  SheetContent sheet = editor.document().Content({});
  LoadByPosition(converted.sheet, sheet);
  editor.document().Fill(sheet);
  const std::string& characterKey = converted.sheet[36];
  if (characterKey != editor.character().key && loadCharacter) loadCharacter(characterKey);
  editor.Loaded(SheetEditor::Origin::Imported);
  result.outcome = {FileOutcome::Status::Done, {}};
  return result;
}

}  // namespace mv
