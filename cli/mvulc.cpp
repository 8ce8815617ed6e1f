// mvulc: the order editor's logic without a window, for checking sheets.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/CharacterRules.h"
#include "core/Cp1250.h"
#include "core/NextTurn.h"
#include "core/SheetCheck.h"
#include "core/SheetWorkspace.h"
#include "letter/MailAutoconfig.h"
#include "letter/MailPassword.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "letter/TurnStatus.h"
#include "store/CharacterStore.h"
#include "store/DataListFile.h"
#include "store/OulImport.h"
#include "store/ProgramDirectory.h"
#include "store/SentArchive.h"
#include "store/Settings.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"

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
    "          mvulc send [--dir KÖNYVTÁR] [--password-stdin] LAP.ulf [LAP.ulf ...]\n"
    "          mvulc status [--dir KÖNYVTÁR] [--turn N]\n"
    "          mvulc next [--dir KÖNYVTÁR] LAP.ulf\n"
    "          mvulc import [--dir KÖNYVTÁR] FÁJL.oul\n"
    "          mvulc mail-setup CÍM\n"
    "          mvulc --help | --version\n"
    "Kilépési kód: 0 rendben; 1 egy levél nem ment el, a --strict ellenőrzés hibát talált,\n"
    "          vagy a mail-setup nem talált levélküldési beállítást;\n"
    "          2 hibás bemenet, vagy egy UL nem küldhető.\n";

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
  mv::IniFile ini(programDir / "mv.ini");
  const mv::FileOutcome opened = mv::OpenWithItsCharacter(sheet, ini, sheetPath);
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
  mv::IniFile ini(programDir / "mv.ini");
  const auto budget = mv::SheetBudget(ini, sheet.character.key, sheet.document.fields().turn);
  const std::vector<mv::SheetProblem> problems =
      mv::CheckSheet(sheet.document.Content(sheet.character.key), lookups, budget);

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
         ",\"check\":" + JsonString(fresh.figures.checkNumber) +
         ",\"tvp_budget\":" + JsonString(budget ? std::to_string(*budget) : std::string()) + ",\"problems\":[";
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

// The mail password, the first line of standard input (UTF-8, as a
// terminal or a password manager gives it); used once, never stored.
std::string PasswordFromStdin() {
  std::string line;
  std::getline(std::cin, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return mv::cp1250::FromUtf8(line);
}

// The failure message of an outcome on one line.
std::string OneLine(const std::string& cp1250Message) {
  std::string out;
  for (const std::string& line : mv::SplitLines(cp1250Message)) {
    if (line.empty()) continue;
    out += (out.empty() ? "" : std::string(" – "_w)) + line;
  }
  return mv::cp1250::ToUtf8(out);
}

// Sends the sheets' letters (the bytes "letter" prints) through the
// directory's mail settings and one connection, as "UL küldése" would
// without the preview. Every sheet is read and must be sendable first.
int Send(const std::filesystem::path& programDir, const std::vector<std::string>& sheetPaths,
         const std::optional<std::string>& givenPassword) {
  mv::IniFile ini(programDir / "mv.ini");
  std::vector<mv::OutgoingLetter> outgoing;
  for (const std::string& path : sheetPaths) {
    mv::OutgoingLetter letter = mv::LetterOfSheetFile(ini, path);
    if (!letter.error.empty()) return Fail(letter.error);
    if (!letter.canSend)
      return Fail(
          std::string("Az UL nem küldhető el: a karakternek legalább 2000-es száma és jelszava kell legyen."_w) +
          (sheetPaths.size() > 1 ? " (" + mv::DisplayPath(path) + ")" : std::string()));
    outgoing.push_back(std::move(letter));
  }
  mv::SmtpSettings smtp = mv::ReadSmtpSettings(ini);
  if (!smtp.user.empty() || givenPassword) {
    const mv::PasswordFetch password = mv::FetchMailPassword(ini, smtp, *mv::DesktopSecretStore(), givenPassword);
    if (password.status == mv::PasswordFetch::Status::MustAsk)
      return Fail(std::string(
          "A levelezési jelszót minden küldésnél meg kell adni: add meg a --password-stdin kapcsolóval."_w));
    if (password.status == mv::PasswordFetch::Status::KeyringUnavailable) {
      std::cerr << mv::cp1250::ToUtf8(mv::KeyringUnavailableMessage()) << "\n";
      return kRefused;
    }
    smtp.password = password.password;
  }
  const std::string recipient = mv::ReadSettings(ini).recipient;
  std::vector<mv::MailMessage> messages;
  for (const mv::OutgoingLetter& o : outgoing) messages.push_back({recipient, mv::kLetterSubject, o.letter});

  const bool one = outgoing.size() == 1;
  const auto prefix = [&](std::size_t i) {
    return one ? std::string() : std::filesystem::path(sheetPaths[i]).filename().string() + ": ";
  };
  int delivered = 0;
  const auto outcomes =
      mv::SmtpTransport(smtp).SendAll(messages, nullptr, [&](std::size_t i, const mv::SendOutcome& outcome) {
        const bool kept =
            mv::KeepSentLetter(programDir, outgoing[i].character, outgoing[i].turn, outgoing[i].letter, outcome);
        const std::string message = mv::SendOutcomeMessage(outcome);
        if (outcome.sent()) {
          ++delivered;
          std::cout << prefix(i) << mv::cp1250::ToUtf8(message) << "\n";
        } else {
          std::cerr << prefix(i) << (one ? mv::cp1250::ToUtf8(message) : OneLine(message)) << "\n";
        }
        if (!kept) std::cerr << mv::cp1250::ToUtf8(mv::SentCopyNotKeptMessage()) << "\n";
      });
  for (std::size_t i = outcomes.size(); i < outgoing.size(); ++i)
    std::cerr << prefix(i) << mv::cp1250::ToUtf8(std::string("nem ment el: a küldés előbb megszakadt"_w)) << "\n";
  return delivered == int(outgoing.size()) ? 0 : kRefused;
}

// The state of every character's sheet (its current one, or that of a turn).
int Status(const std::filesystem::path& programDir, std::optional<long long> turn) {
  mv::IniFile ini(programDir / "mv.ini");
  mv::ReferenceLists lists;
  mv::LoadReferenceLists(programDir, lists);
  const mv::TurnOverview overview = mv::ScanTurns(mv::SheetFolders(programDir, ini), ini, lists);
  const mv::KeptLetters kept(programDir);
  const mv::TurnContext context{lists, kept, ini};
  for (const std::string& name : overview.ignored)
    std::cerr << mv::cp1250::ToUtf8(std::string("Kihagyva (nem érvényes forduló vagy karakter): "_w) + name) << "\n";
  for (const auto& path : overview.broken)
    std::cerr << mv::cp1250::ToUtf8(std::string("Hibás fájl: "_w) + mv::DisplayPath(path)) << "\n";
  std::string out = "{\"characters\":[";
  bool first = true;
  for (const mv::CharacterTurns& character : overview.characters) {
    const auto shown = turn ? turn : character.CurrentTurn();
    const mv::TurnStatus status = shown ? mv::StatusOf(character, *shown, context) : mv::TurnStatus{};
    char sent[32] = "";
    if (status.sent) std::strftime(sent, sizeof sent, "%Y-%m-%d %H:%M", &*status.sent);
    out += std::string(first ? "" : ",") + "{\"character\":" + JsonString(character.key) +
           ",\"name\":" + JsonString(character.name) +
           ",\"turn\":" + JsonString(shown ? std::to_string(*shown) : std::string()) + ",\"state\":\"" +
           std::string(mv::StateKey(status.state)) + "\",\"sheet\":" +
           JsonString(status.sheet.empty() ? std::string() : mv::DisplayPath(status.sheet.filename())) +
           ",\"errors\":" + std::to_string(status.errors) + ",\"can_send\":" + (character.canSend ? "true" : "false") +
           ",\"tvp_total\":" + JsonString(status.tvpTotal) +
           ",\"tvp_budget\":" + JsonString(status.tvpBudget ? std::to_string(*status.tvpBudget) : std::string()) +
           ",\"sent\":" + JsonString(sent) + "}";
    first = false;
  }
  std::cout << out << "]}\n";
  return 0;
}

// Writes the next turn's sheet beside the sheet, as "UL a következő
// fordulóra" and "Ment" would, and prints its path; never over a file.
int Next(const std::filesystem::path& programDir, const std::filesystem::path& sheetPath) {
  mv::SheetWorkspace sheet;
  mv::LoadReferenceLists(programDir, sheet.lists);
  if (const auto error = OpenWithItsCharacter(programDir, sheetPath, sheet)) return Fail(*error);
  const std::string& number = sheet.character.fields.number;
  if (!mv::IsValidCharacterNumberText(sheet.character.key) || !mv::IsNumberedCharacter(number))
    return Fail(std::string("A következő forduló UL-je nem készíthető el: nincs érvényes karakterszám ("_w) +
                mv::DisplayPath(sheetPath) + ").");
  const auto next = mv::NextTurnSheet(sheet.document.Content(sheet.character.key), sheet.editor.lookups());
  if (!next)
    return Fail(std::string("A következő forduló UL-je nem készíthető el: a forduló nem érvényes ("_w) +
                mv::DisplayPath(sheetPath) + ").");
  const std::filesystem::path folder = std::filesystem::absolute(sheetPath).parent_path();
  const std::string base = number + "-" + next->fields.turn;
  const std::filesystem::path target = folder / (base + ".ulf");
  mv::IniFile ini(programDir / "mv.ini");
  std::vector<std::filesystem::path> folders = mv::SheetFolders(programDir, ini);
  folders.push_back(folder);
  const mv::SheetScan scan = mv::ScanSheetFolders(folders, true);
  const auto existing = std::find_if(scan.sheets.begin(), scan.sheets.end(), [&](const mv::FoundSheet& s) {
    return s.key == next->characterKey && s.turn == next->fields.turn;
  });
  const std::string exists = std::string("Már van UL erre a fordulóra, nem írom felül: "_w);
  if (existing != scan.sheets.end()) return Fail(exists + mv::DisplayPath(existing->path));
  const auto written = mv::WriteNewFile(folder, base, ".ulf", mv::WriteSheet(*next), 0644, 1);
  if (!written) {
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) return Fail(exists + mv::DisplayPath(target));
    return Fail(std::string("Nem sikerült elmenteni az UL-t ide: "_w) + mv::DisplayPath(target));
  }
  std::cout << written->string() << "\n";
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

// The outgoing server found from an address, as "Kitöltés a cím alapján".
int MailSetupOf(const std::string& address) {
  const mv::AutoconfigResult found = mv::LookUpMailSetup(address);
  using Status = mv::AutoconfigResult::Status;
  if (found.status == Status::BadAddress)
    return Fail(std::string("Ez nem érvényes e-mail cím: "_w) + mv::cp1250::FromUtf8(address));
  if (found.status == Status::OAuthOnly) {
    std::cerr << mv::cp1250::ToUtf8(mv::AutoconfigOAuthMessage()) << "\n";
    return kRefused;
  }
  if (found.status != Status::Found) {
    std::cerr << mv::cp1250::ToUtf8(mv::AutoconfigNotFoundMessage(found.domain)) << "\n";
    return kRefused;
  }
  const mv::MailSetup& s = found.setup;
  // The answer's texts are UTF-8 already; JsonString takes Windows-1250.
  const auto text = [](const std::string& utf8) { return JsonString(mv::cp1250::FromUtf8(utf8)); };
  std::cout << "{\"server\":" << text(s.server) << ",\"port\":\"" << s.port << "\",\"security\":\""
            << (s.security == mv::SmtpSettings::Security::Tls ? "TLS" : "STARTTLS") << "\",\"user\":" << text(s.user)
            << ",\"source\":" << text(s.source) << "}\n";
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
  std::optional<long long> turn;
  bool passwordStdin = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--strict" && command == "check") {
      strict = true;
    } else if (args[i] == "--password-stdin" && command == "send") {
      passwordStdin = true;
    } else if (args[i] == "--turn" && command == "status") {
      if (++i == args.size() || !(turn = mv::ValidTurn(args[i]))) return Usage();
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
  if (command == "send" && !rest.empty()) {
    std::optional<std::string> password;
    if (passwordStdin) password = PasswordFromStdin();
    return Send(dir, rest, password);
  }
  if (command == "status" && rest.empty()) return Status(dir, turn);
  if (command == "next" && rest.size() == 1) return Next(dir, rest[0]);
  if (command == "mail-setup" && rest.size() == 1) return MailSetupOf(rest[0]);
  return Usage();
}
