// mvulc: the order editor's logic without a window, for checking sheets.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/CharacterRules.h"
#include "core/Cp1250.h"
#include "core/SheetCheck.h"
#include "core/SheetWorkspace.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/CharacterStore.h"
#include "store/DataListFile.h"
#include "store/OulImport.h"
#include "store/ProgramDirectory.h"
#include "store/SentArchive.h"
#include "store/Settings.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"

namespace {

using mv::operator""_w;

constexpr int kFailure = 2;

std::string JsonString(std::string_view cp1250Text) {
  const std::string utf8 = mv::cp1250::ToUtf8(cp1250Text);
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

// 1: a letter that was not delivered, or a strict check that found an error.
constexpr int kRefused = 1;

constexpr const char* kUsage =  // UTF-8: for the terminal
    "Használat: mvulc check [--dir KÖNYVTÁR] [--strict] LAP.ulf\n"
    "          mvulc letter [--dir KÖNYVTÁR] LAP.ulf\n"
    "          mvulc send [--dir KÖNYVTÁR] LAP.ulf\n"
    "          mvulc import [--dir KÖNYVTÁR] FÁJL.oul\n"
    "          mvulc --help | --version\n";

int Usage() {
  std::cerr << kUsage;
  return kFailure;
}

int Fail(const std::string& cp1250Message) {
  std::cerr << mv::cp1250::ToUtf8(cp1250Message) << "\n";
  return kFailure;
}

// Opens a sheet as "Megnyit" does, its character (line 37) taken from the
// directory's mv.ini; the message for the player when that fails.
std::optional<std::string> OpenWithItsCharacter(const std::filesystem::path& programDir,
                                                const std::filesystem::path& sheetPath, mv::SheetWorkspace& sheet) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(sheetPath, ec)) return mv::UnreadableSheetMessage(mv::DisplayPath(sheetPath));
  mv::IniFile ini(programDir / "mv.ini");
  const mv::FileOutcome opened = mv::OpenSheet(sheet.editor, sheetPath, [&](const std::string& key) {
    mv::ShowCharacter(sheet.character, sheet.document, key, mv::CharacterStore(ini).Load(key));
  });
  if (opened.failed()) return opened.message;
  return std::nullopt;
}

std::string LetterOf(const mv::SheetWorkspace& sheet) {
  return mv::OrderLetterText(sheet.document.sheet(), sheet.document.fields(), sheet.character.fields);
}

int Check(const std::filesystem::path& programDir, const std::filesystem::path& sheetPath, bool strict) {
  mv::SheetWorkspace sheet;
  mv::LoadReferenceLists(programDir, sheet.lists);
  if (const auto error = OpenWithItsCharacter(programDir, sheetPath, sheet)) return Fail(*error);
  // The sheet as the window holds it just after opening.
  const mv::Lookups lookups = sheet.editor.lookups();
  const std::vector<mv::SheetProblem> problems = mv::CheckSheet(sheet.document.Content(sheet.character.key), lookups);

  // Every row as a player stepping down the grid sees it, with its costs.
  const mv::RecalculatedSheet fresh = mv::Recalculated(sheet.document.sheet(), lookups);
  std::string out = "{\"rows\":[";
  for (int r = 1; r <= mv::OrderSheet::kRows; ++r) {
    const mv::RowResult& row = fresh.interpretation.Row(r);
    std::string lines;
    for (const std::string& line : row.panel.lines) lines += (lines.empty() ? "" : ",") + JsonString(line);
    out += std::string(r > 1 ? "," : "") + "{\"row\":" + std::to_string(r) +
           ",\"code\":" + JsonString(fresh.sheet.Cell(r, mv::col::kCode)) +
           ",\"name\":" + JsonString(row.panel.command) + ",\"lines\":[" + lines + "],\"tvp\":" + JsonString(row.tvp) +
           ",\"kno\":" + JsonString(row.kno) + "}";
  }
  out += "],\"tvp_total\":" + JsonString(fresh.figures.tvpTotal) +
         ",\"kno_total\":" + JsonString(fresh.figures.knoTotal) +
         ",\"check\":" + JsonString(fresh.figures.checkNumber) + ",\"problems\":[";
  for (std::size_t i = 0; i < problems.size(); ++i)
    out += std::string(i ? "," : "") + "{\"row\":" + std::to_string(problems[i].row) + ",\"level\":\"" +
           mv::LevelName(problems[i].level) + "\",\"text\":" + JsonString(problems[i].text) + "}";
  std::cout << out << "]}\n";
  return strict && mv::CountErrors(problems) > 0 ? kRefused : 0;
}

// The letter of a sheet and of the character its last line names, as the
// .eul file would hold it.
int Letter(const std::filesystem::path& programDir, const std::filesystem::path& sheetPath) {
  mv::SheetWorkspace sheet;
  if (const auto error = OpenWithItsCharacter(programDir, sheetPath, sheet)) return Fail(*error);
  const std::string text = LetterOf(sheet);
  std::cout.write(text.data(), std::streamsize(text.size()));
  std::cout.flush();
  return std::cout ? 0 : kFailure;
}

// Sends the sheet's letter (the bytes "letter" prints) through the
// directory's mail settings, as "UL küldése" would without the preview.
int Send(const std::filesystem::path& programDir, const std::filesystem::path& sheetPath) {
  mv::SheetWorkspace sheet;
  if (const auto error = OpenWithItsCharacter(programDir, sheetPath, sheet)) return Fail(*error);
  if (!mv::CanSend(sheet.character.fields))
    return Fail(std::string("Az UL nem küldhető el: a karakternek legalább 2000-es száma és jelszava kell legyen."_w));
  const mv::IniFile ini(programDir / "mv.ini");
  const std::string letter = LetterOf(sheet);
  const mv::SendOutcome outcome =
      mv::SmtpTransport(mv::ReadSmtpSettings(ini)).Send({mv::ReadSettings(ini).recipient, mv::kLetterSubject, letter});
  const std::string message = mv::cp1250::ToUtf8(mv::SendOutcomeMessage(outcome));
  if (!outcome.sent()) {
    std::cerr << message << "\n";
    return kRefused;
  }
  std::cout << message << "\n";
  if (!mv::ArchiveSentLetter(programDir, sheet.character.fields.number, sheet.document.fields().turn, letter,
                             std::time(nullptr)))
    std::cerr << mv::cp1250::ToUtf8(mv::SentCopyNotKeptMessage()) << "\n";
  return 0;
}

// Writes the converted sheet into the directory and prints its path.
int Import(const std::filesystem::path& programDir, const std::filesystem::path& file) {
  mv::SheetWorkspace sheet;
  const mv::OulImport imported = mv::ImportOul(sheet.editor, file, programDir, nullptr);
  if (imported.outcome.failed()) return Fail(imported.outcome.message);
  std::cout << imported.written.string() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string command = args[0];
  if (command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version") {
    std::cout << MVUL_VERSION << "\n";
    return 0;
  }
  std::filesystem::path dir;
  std::vector<std::string> rest;
  bool strict = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--strict" && command == "check") {
      strict = true;
    } else if (args[i] == "--dir") {
      if (++i == args.size()) return Usage();
      dir = args[i];
    } else {
      rest.push_back(args[i]);
    }
  }
  if (dir.empty()) dir = mv::ProgramDirectory();
  if (command == "check" && rest.size() == 1) return Check(dir, rest[0], strict);
  if (command == "letter" && rest.size() == 1) return Letter(dir, rest[0]);
  if (command == "import" && rest.size() == 1) return Import(dir, rest[0]);
  if (command == "send" && rest.size() == 1) return Send(dir, rest[0]);
  return Usage();
}
