// Builds the help bundle from the hand-written sources in help/: one page per
// command (topic "p" + code), the contents page "topic167", the version file,
// and the two text files, all in Windows-1250 with CRLF lines.
//
// mvhelpgen SOURCE_DIR OUTPUT_DIR
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "store/TextFile.h"
#include "tools/HelpExamples.h"

namespace {

namespace fs = std::filesystem;

struct Page {
  std::string parameters, cost, rules;  // UTF-8
};

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

// The page file of command n, under the topic the program asks for.
std::string PageOf(int n) { return *mv::CommandCatalogue::HelpTopic(mv::CommandCatalogue::ByNumber(n).code) + ".htm"; }

std::string Html(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"hu\"><head><meta charset=\"windows-1250\">\n<title>" + Escape(title) +
         "</title></head>\n<body>\n" + body + "</body></html>\n";
}

// UTF-8 text to Windows-1250 with CRLF line ends.
std::string ForWindows(const std::string& utf8) { return mv::JoinLines(mv::SplitLines(mv::cp1250::FromUtf8(utf8))); }

bool Write(const fs::path& file, const std::string& utf8) {
  fs::create_directories(file.parent_path());
  if (mv::WriteFileAtomically(file, ForWindows(utf8))) return true;
  std::cerr << "mvhelpgen: cannot write " << file << "\n";
  return false;
}

std::string Utf8(std::string_view cp1250) { return mv::cp1250::ToUtf8(cp1250); }

// One worked example: the rows as typed, then what the program shows.
std::string ExampleHtml(const mv::help::Example& rows) {
  const mv::help::Shown shown = mv::help::RunExample(rows);
  std::string typed;
  for (const std::string& row : rows) typed += (typed.empty() ? "" : "\n") + Escape(row);
  std::string html = "<div class=\"pelda\">\n<pre class=\"pelda-sorok\">" + typed + "</pre>\n<p>" +
                     Escape(Utf8(shown.name)) + "</p>\n";
  std::string lines;
  for (const std::string& line : shown.lines)
    if (!line.empty()) lines += "<li>" + Escape(Utf8(line)) + "</li>\n";
  if (!lines.empty()) html += "<ul>\n" + lines + "</ul>\n";
  return html + "<p>TVP: <span class=\"pelda-tvp\">" + Escape(Utf8(shown.tvp)) +
         "</span>, KNO: <span class=\"pelda-kno\">" + Escape(Utf8(shown.kno)) + "</span></p>\n</div>\n";
}

// What the repeat rule does to the command's cost, found by running its
// examples that have no ism row with and without an "ism,3" row right above
// the last row.
struct RepeatRule {
  bool multiplied = false, fixed = false, otherwise = false;
};

RepeatRule FindRepeatRule(const std::vector<mv::help::Example>& examples) {
  RepeatRule rule;
  for (const mv::help::Example& rows : examples) {
    if (std::any_of(rows.begin(), rows.end(), [](const std::string& r) { return r.rfind("ism", 0) == 0; })) continue;
    const mv::help::Shown once = mv::help::RunExample(rows);
    const long long tvp = mv::IntOrZero(once.tvp), kno = mv::IntOrZero(once.kno);
    if (tvp == 0 && kno == 0) continue;
    mv::help::Example repeated = rows;
    repeated.insert(repeated.end() - 1, "ism,3");
    const mv::help::Shown thrice = mv::help::RunExample(repeated);
    const long long tvp3 = mv::IntOrZero(thrice.tvp), kno3 = mv::IntOrZero(thrice.kno);
    if (tvp3 == 3 * tvp && kno3 == 3 * kno)
      rule.multiplied = true;
    else if (tvp3 == tvp && kno3 == kno)
      rule.fixed = true;
    else
      rule.otherwise = true;
  }
  return rule;
}

std::string RepeatSentence(const RepeatRule& rule) {
  if (rule.otherwise || (rule.multiplied && rule.fixed))
    return "A sor fölött álló ism parancs nem egyszerűen szorozza a költséget; a példák mutatják, hogyan változik.";
  if (rule.multiplied) return "Ha a sor fölött ism parancs áll, a költség annyiszorosa.";
  if (rule.fixed) return "A költség rögzített: a sor fölött álló ism parancs nem szorozza.";
  return {};
}

bool HasRepeatExample(const std::vector<mv::help::Example>& examples) {
  for (const mv::help::Example& rows : examples)
    if (rows.size() > 1 && rows[rows.size() - 2].rfind("ism,", 0) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: mvhelpgen SOURCE_DIR OUTPUT_DIR\n";
    return 2;
  }
  const fs::path source = argv[1], out = argv[2];
  std::ifstream in(source / "commands.txt");
  std::map<std::string, Page> pages;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream fields(line);
    std::string code;
    Page page;
    std::getline(fields, code, '|');
    std::getline(fields, page.parameters, '|');
    std::getline(fields, page.cost, '|');
    std::getline(fields, page.rules);
    pages[code] = page;
  }
  std::ifstream examplesFile(source / "examples.txt", std::ios::binary);
  const auto examples = mv::help::ParseExamples(std::string((std::istreambuf_iterator<char>(examplesFile)), {}));

  bool ok = true;
  std::string index =
      "<h1>Tartalom</h1>\n<p>A Vorlan MV UL készítő programja egy forduló utasításait (UL) "
      "segít megírni: a rács minden sorát beírás közben elmagyarázza, kiszámolja a TVP- és "
      "KNO-költséget és az ellenőrző számot.</p>\n<p>Az utasítás lapon az F1 a sor parancsának "
      "lapját nyitja meg, üres sorban ezt a tartalomjegyzéket.</p>\n<h2>Parancsok</h2>\n<table>\n";
  for (int n = 1; n <= mv::CommandCatalogue::kCount; ++n) {
    const mv::Command& command = mv::CommandCatalogue::ByNumber(n);
    const std::string code(command.code);
    const std::string name = mv::cp1250::ToUtf8(command.name);
    const auto found = pages.find(code);
    if (found == pages.end()) {
      std::cerr << "mvhelpgen: no help text for command " << code << "\n";
      return 1;
    }
    const Page& p = found->second;
    const auto ownExamples = examples.find(code);
    if (ownExamples == examples.end() || ownExamples->second.empty() || ownExamples->second.size() > 4) {
      std::cerr << "mvhelpgen: command " << code << " needs one to four examples\n";
      return 1;
    }
    const RepeatRule rule = FindRepeatRule(ownExamples->second);
    if ((rule.multiplied || rule.otherwise) && !HasRepeatExample(ownExamples->second)) {
      std::cerr << "mvhelpgen: the cost of " << code << " follows the repeat rule; show it under an ism row\n";
      return 1;
    }
    index += "<tr><td><a href=\"" + PageOf(n) + "\"><b>" + code + "</b></a></td><td>" + Escape(name) + "</td></tr>\n";
    std::string body = "<h1>" + Escape(name) + "</h1>\n<p>Parancskód: <b>" + code + "</b> (" + std::to_string(n) +
                       ". parancs)</p>\n<h2>Paraméterek</h2>\n<p>" + Escape(p.parameters) +
                       "</p>\n<h2>Költség</h2>\n<p>" + Escape(p.cost) + "</p>\n";
    if (const std::string repeat = RepeatSentence(rule); !repeat.empty()) body += "<p>" + Escape(repeat) + "</p>\n";
    if (!p.rules.empty()) body += "<h2>Szabályok</h2>\n<p>" + Escape(p.rules) + "</p>\n";
    body += "<h2>Példák</h2>\n";
    for (const mv::help::Example& example : ownExamples->second) body += ExampleHtml(example);
    body += "<hr>\n<p>";
    if (n > 1) body += "<a href=\"" + PageOf(n - 1) + "\">Előző</a> | ";
    body += "<a href=\"topic167.htm\">Tartalom</a>";
    if (n < mv::CommandCatalogue::kCount) body += " | <a href=\"" + PageOf(n + 1) + "\">Következő</a>";
    body += "</p>\n";
    ok = Write(out / "help" / PageOf(n), Html(name, body)) && ok;
  }
  index += "</table>\n";
  ok = Write(out / "help" / "topic167.htm", Html("Tartalom", index)) && ok;
  ok = Write(out / "help" / "mvhelp.ver", "MVHELP 2\n") && ok;
  for (const char* text : {"ujdonsagok.txt", "olvassel.txt"}) {
    std::ifstream file(source / text, std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(file)), {});
    ok = Write(out / text, utf8) && ok;
  }
  return ok ? 0 : 1;
}
