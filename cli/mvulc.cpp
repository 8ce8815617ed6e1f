// mvulc: the order editor's logic without a window, for checking sheets.
#include <algorithm>
#include <atomic>
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
#include "core/Secret.h"
#include "core/SheetCheck.h"
#include "core/SheetWorkspace.h"
#include "letter/MailAutoconfig.h"
#include "letter/MailPassword.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "platform/Hardening.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "store/CharacterStore.h"
#include "store/DataListFile.h"
#include "store/OulImport.h"
#include "store/ProgramDirectory.h"
#include "store/Settings.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"
#include "turn/CurrentSheet.h"
#include "turn/NextTurnFile.h"
#include "turn/SendRun.h"
#include "turn/SheetComparison.h"
#include "turn/TurnSearch.h"
#include "turn/TurnStatus.h"

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
    "          mvulc send [--dir KÖNYVTÁR] [--password-stdin] [--again] LAP.ulf [LAP.ulf ...]\n"
    "          mvulc status [--dir KÖNYVTÁR] [--turn N]\n"
    "          mvulc next [--dir KÖNYVTÁR] LAP.ulf\n"
    "          mvulc import [--dir KÖNYVTÁR] FÁJL.oul\n"
    "          mvulc diff [--dir KÖNYVTÁR] A.ulf B.ulf | mvulc diff --sent [--dir KÖNYVTÁR] LAP.ulf\n"
    "          mvulc search [--dir KÖNYVTÁR] [--fold] SZÖVEG\n"
    "          mvulc mail-setup CÍM\n"
    "          mvulc --help | --version\n"
    "Kilépési kód: 0 rendben; 1 egy levél nem ment el, a --strict ellenőrzés hibát talált,\n"
    "          a mail-setup nem talált levélküldési beállítást, a diff eltérést,\n"
    "          vagy a search nem talált semmit;\n"
    "          2 hibás bemenet, egy UL nem küldhető, vagy már elküldted\n"
    "          (újra csak a --again kapcsolóval megy el).\n";

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
      mv::CheckSheet(sheet.document.Content(sheet.character.key), lookups,
                     {budget, mv::NewestTurnOf(programDir, mv::SheetFolders(programDir, ini), sheet.character.key)});

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
  std::string password = mv::cp1250::FromUtf8(line);
  mv::WipeSecret(line);
  return password;
}

// Ctrl-C and SIGTERM stop a send as "Mégse" does: what went is kept, the
// rest is reported.
std::atomic<bool> stopRequested{false};

// Sends the sheets' letters (the bytes "letter" prints) through the
// directory's mail settings and one connection, as "UL küldése" would
// without the preview. Every sheet is read and must be sendable first; one
// already sent goes again only with --again.
int Send(const std::filesystem::path& programDir, const std::vector<std::filesystem::path>& sheetPaths,
         mv::PasswordSource& password, bool again) {
  mv::IniFile ini(programDir / "mv.ini");
  const mv::KeptLetters kept(programDir);
  std::vector<mv::RunLetter> letters;
  const bool one = sheetPaths.size() == 1;
  for (const std::filesystem::path& path : sheetPaths) {
    mv::OutgoingLetter letter = mv::LetterOfSheetFile(ini, path);
    if (!letter.error.empty()) return Fail(letter.error);
    const std::string which = one ? std::string() : " (" + mv::DisplayPath(path) + ")";
    if (!letter.canSend)
      return Fail(
          std::string("Az UL nem küldhető el: a karakternek legalább 2000-es száma és jelszava kell legyen."_w) +
          which);
    mv::RunLetter run{letter.character, letter.turn, std::move(letter.letter),
                      mv::cp1250::FromUtf8(mv::Utf8(path.filename()))};
    if (const auto earlier = mv::EarlierSendOf(kept, run); earlier && !again)
      return Fail(std::string(earlier->unconfirmed ? "Lehet, hogy ez az UL már megérkezett ("_w
                                                   : "Ezt az UL-t már elküldted ("_w) +
                  mv::SentWhen(earlier->when) + "): " + mv::DisplayPath(path) +
                  std::string(". Újra a --again kapcsolóval küldheted."_w));
    letters.push_back(std::move(run));
  }
  mv::StopOnRequest(stopRequested);
  const auto prefix = [&](std::size_t i) { return one ? std::string() : mv::cp1250::ToUtf8(letters[i].name) + ": "; };
  const mv::SendRunReport report =
      mv::RunSend(ini, programDir, mv::MailRouteOf(ini), letters, password, *mv::DesktopSecretStore(), &stopRequested,
                  {nullptr, [&](std::size_t i, const mv::LetterResult& result) {
                     const bool sent = result.kind == mv::LetterResult::Kind::Sent;
                     const std::string text = one || sent ? mv::ResultMessage(result) : mv::ResultLine(result);
                     (sent ? std::cout : std::cerr) << prefix(i) << mv::cp1250::ToUtf8(text) << std::endl;
                   }});
  for (mv::RunLetter& letter : letters) mv::WipeSecret(letter.letter);  // each holds the game password
  if (report.start == mv::PasswordStep::Status::MustAsk)
    return Fail(
        std::string("A levelezési jelszót minden küldésnél meg kell adni: add meg a --password-stdin kapcsolóval."_w));
  if (report.start == mv::PasswordStep::Status::KeyringUnavailable) {
    std::cerr << mv::cp1250::ToUtf8(mv::KeyringUnavailableMessage()) << "\n";
    return kRefused;
  }
  for (std::size_t i = 0; i < report.letters.size(); ++i)
    if (report.letters[i].kind == mv::LetterResult::Kind::NotReached)
      std::cerr << prefix(i) << mv::cp1250::ToUtf8(mv::ResultLine(report.letters[i])) << "\n";
  return report.AllSent() ? 0 : kRefused;
}

// The state of every character's sheet (its current one, or that of a turn).
int Status(const std::filesystem::path& programDir, std::optional<long long> turn) {
  mv::IniFile ini(programDir / "mv.ini");
  mv::ReferenceLists lists;
  mv::LoadReferenceLists(programDir, lists);
  const mv::TurnLook look = mv::LookAtTurns(
      programDir, mv::SheetFolders(programDir, ini), ini, lists,
      [&](const mv::CharacterTurns&) { return turn ? std::vector<long long>{*turn} : std::vector<long long>{}; });
  for (const std::string& name : look.ignored)
    std::cerr << mv::cp1250::ToUtf8(std::string("Kihagyva (nem érvényes forduló vagy karakter): "_w) + name) << "\n";
  for (const auto& path : look.broken)
    std::cerr << mv::cp1250::ToUtf8(std::string("Hibás fájl: "_w) + mv::DisplayPath(path)) << "\n";
  if (!look.keptProblem.empty()) std::cerr << mv::cp1250::ToUtf8(look.keptProblem) << "\n";
  std::string out = "{\"characters\":[";
  for (std::size_t i = 0; i < look.current.size(); ++i) {
    const mv::CharacterTurns& character = look.current[i].character;
    const mv::TurnStatus& status = turn ? look.more[i].front() : look.current[i].status;
    const auto shown = turn ? turn : character.CurrentTurn();
    char sent[32] = "";
    if (status.sent) std::strftime(sent, sizeof sent, "%Y-%m-%d %H:%M", &*status.sent);
    out += std::string(i ? "," : "") + "{\"character\":" + JsonString(character.key) +
           ",\"name\":" + JsonString(character.name) +
           ",\"turn\":" + JsonString(shown ? std::to_string(*shown) : std::string()) + ",\"state\":\"" +
           std::string(mv::StateKey(status.state)) + "\",\"sheet\":" +
           JsonString(status.sheet.empty() ? std::string() : mv::DisplayPath(status.sheet.filename())) +
           ",\"errors\":" + std::to_string(status.errors) + ",\"can_send\":" + (character.canSend ? "true" : "false") +
           ",\"tvp_total\":" + JsonString(status.tvpTotal) +
           ",\"tvp_budget\":" + JsonString(status.tvpBudget ? std::to_string(*status.tvpBudget) : std::string()) +
           ",\"sent\":" + JsonString(sent) + "}";
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
  mv::IniFile ini(programDir / "mv.ini");
  const mv::NextTurnWrite written =
      mv::WriteNextTurnSheet(*next, number, std::filesystem::absolute(sheetPath).parent_path(),
                             mv::NextTurnFolders(mv::SheetFolders(programDir, ini), sheetPath));
  if (!written.written) return Fail(written.error);
  std::cout << mv::Utf8(*written.written) << "\n";
  return 0;
}

// Writes the converted sheet into the directory and prints its path.
int Import(const std::filesystem::path& programDir, const std::filesystem::path& file) {
  mv::SheetWorkspace sheet;
  const mv::OulImport imported = mv::ImportOul(sheet.editor, file, programDir, nullptr);
  if (imported.outcome.failed()) return Fail(imported.outcome.message);
  std::cout << mv::Utf8(imported.written) << "\n";
  return 0;
}

// What differs between two sheets, or between a sheet and its kept letter.
int Diff(const std::filesystem::path& programDir, const std::vector<std::filesystem::path>& files, bool sent) {
  mv::SheetWorkspace sheet;
  mv::LoadReferenceLists(programDir, sheet.lists);
  const std::filesystem::path& mine = sent ? files[0] : files[1];
  if (const auto error = OpenWithItsCharacter(programDir, mine, sheet)) return Fail(*error);
  const mv::SheetContent content = sheet.document.Content(sheet.character.key);
  const mv::Lookups lookups = sheet.editor.lookups();
  mv::Comparison compared;
  if (sent) {
    compared = mv::CompareWithSent(content, programDir, lookups);
  } else {
    const mv::SheetFileRead other = mv::ReadSheetFile(files[0]);
    if (!other.ok) return Fail(other.error);
    compared = mv::CompareSheets(other.content, content, lookups);
  }
  if (!compared.ok()) return Fail(compared.error);
  const mv::SheetDiff& diff = compared.diff;
  std::string out = "{\"rows\":[";
  bool first = true;
  for (const mv::RowDiff& row : diff.rows) {
    if (row.change == mv::RowChange::Same) continue;
    out += std::string(first ? "" : ",") + "{";
    if (row.a) out += "\"a\":" + std::to_string(row.a) + ",";
    if (row.b) out += "\"b\":" + std::to_string(row.b) + ",";
    out += "\"change\":\"" + std::string(mv::RowChangeKey(row.change)) + "\"";
    if (row.change == mv::RowChange::Changed) {
      out += ",\"params\":[";
      for (std::size_t k = 0; k < row.params.size(); ++k) out += (k ? "," : "") + std::to_string(row.params[k]);
      out += "]";
    }
    out += "}";
    first = false;
  }
  out += "],\"tvp_a\":" + JsonString(diff.tvpA) + ",\"tvp_b\":" + JsonString(diff.tvpB) + ",\"fields\":[";
  for (std::size_t i = 0; i < diff.fields.size(); ++i) out += (i ? "," : "") + JsonString(diff.fields[i]);
  std::cout << out << "]}\n";
  return diff.same() ? 0 : kRefused;
}

// Every sheet the board sees, searched for a code, a value or a list's name.
int Search(const std::filesystem::path& programDir, const std::string& utf8Text, bool fold) {
  mv::IniFile ini(programDir / "mv.ini");
  mv::ReferenceLists lists;
  mv::LoadReferenceLists(programDir, lists);
  const mv::OrderSearch search(mv::cp1250::FromUtf8(utf8Text), fold, lists);
  if (search.empty()) return Fail(std::string("Nincs mit keresni: add meg a keresett szöveget."_w));
  const mv::TurnOverview overview = mv::ScanTurns(mv::SheetFolders(programDir, ini), ini, lists);
  const std::vector<mv::SearchResult> results = mv::SearchTurns(overview, lists, search);
  std::string out = "{\"results\":[";
  for (std::size_t i = 0; i < results.size(); ++i) {
    const mv::SearchResult& r = results[i];
    out += std::string(i ? "," : "") + "{\"character\":" + JsonString(r.character) + ",\"turn\":\"" +
           std::to_string(r.turn) + "\",\"sheet\":" + JsonString(mv::DisplayPath(r.sheet.filename())) +
           ",\"row\":" + std::to_string(r.hit.row) + ",\"code\":" + JsonString(r.hit.code) +
           ",\"name\":" + JsonString(r.hit.name) + "}";
  }
  std::cout << out << "]}\n";
  return results.empty() ? kRefused : 0;
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
  mv::KeepSecretsOutOfDumps();
  mv::PrepareStandardOutput();
  std::vector<std::string> args = mv::Utf8Arguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());  // the program's own name
  if (args.empty()) return Usage();
  const std::string command = args[0];
  if (command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version") {
    std::cout << "mvulc " << MVUL_VERSION << "\n";
    return 0;
  }
  std::filesystem::path dir;
  std::vector<std::string> rest;
  bool strict = false;
  std::optional<long long> turn;
  bool passwordStdin = false;
  bool again = false;
  bool sentLetter = false;
  bool fold = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--strict" && command == "check") {
      strict = true;
    } else if (args[i] == "--password-stdin" && command == "send") {
      passwordStdin = true;
    } else if (args[i] == "--again" && command == "send") {
      again = true;
    } else if (args[i] == "--sent" && command == "diff") {
      sentLetter = true;
    } else if (args[i] == "--fold" && command == "search") {
      fold = true;
    } else if (args[i] == "--turn" && command == "status") {
      if (++i == args.size() || !(turn = mv::ValidTurn(args[i]))) return Usage();
    } else if (args[i] == "--dir") {
      if (++i == args.size()) return Usage();
      dir = mv::PathFromUtf8(args[i]);
    } else {
      rest.push_back(args[i]);
    }
  }
  if (dir.empty()) dir = mv::ProgramDirectory();
  std::vector<std::filesystem::path> files;
  for (const std::string& arg : rest) files.push_back(mv::PathFromUtf8(arg));
  if (command == "check" && rest.size() == 1) return Check(dir, files[0], strict);
  if (command == "letter" && rest.size() == 1) return Letter(dir, files[0]);
  if (command == "import" && rest.size() == 1) return Import(dir, files[0]);
  if (command == "send" && !rest.empty()) {
    mv::PasswordSource password;
    if (passwordStdin) password.given = PasswordFromStdin();
    const int status = Send(dir, files, password, again);
    if (password.given) mv::WipeSecret(*password.given);
    return status;
  }
  if (command == "status" && rest.empty()) return Status(dir, turn);
  if (command == "next" && rest.size() == 1) return Next(dir, files[0]);
  if (command == "mail-setup" && rest.size() == 1) return MailSetupOf(rest[0]);
  if (command == "diff" && rest.size() == (sentLetter ? 1u : 2u)) return Diff(dir, files, sentLetter);
  if (command == "search" && rest.size() == 1) return Search(dir, rest[0], fold);
  return Usage();
}
