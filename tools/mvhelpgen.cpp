// Builds the help bundle from the hand-written sources in help/: one page per
// command (topic "p" + code), the contents page "topic167", the version file,
// and the two text files, all in Windows-1250 with CRLF lines.
//
// mvhelpgen SOURCE_DIR OUTPUT_DIR
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "store/TextFile.h"

namespace {

namespace fs = std::filesystem;

struct Page {
  std::string parameters, cost, rules;  // UTF-8
};

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

std::string Html(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"hu\"><head><meta charset=\"windows-1250\">\n<title>" + Escape(title) +
         "</title></head>\n<body>\n" + body + "</body></html>\n";
}

// UTF-8 text to Windows-1250 with CRLF line ends.
std::string ForWindows(const std::string& utf8) {
  return mv::JoinLines(mv::SplitLines(mv::cp1250::FromUtf8(utf8)));
}

bool Write(const fs::path& file, const std::string& utf8) {
  fs::create_directories(file.parent_path());
  if (mv::WriteFileAtomically(file, ForWindows(utf8))) return true;
  std::cerr << "mvhelpgen: cannot write " << file << "\n";
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

  bool ok = true;
  std::string index = "<h1>Tartalom</h1>\n<p>A Vorlan MV UL készítő programja egy forduló utasításait (UL) "
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
    index += "<tr><td><a href=\"p" + code + ".htm\"><b>" + code + "</b></a></td><td>" + Escape(name) + "</td></tr>\n";
    std::string body = "<h1>" + Escape(name) + "</h1>\n<p>Parancskód: <b>" + code + "</b> (" + std::to_string(n) +
                       ". parancs)</p>\n<h2>Paraméterek</h2>\n<p>" + Escape(p.parameters) + "</p>\n<h2>Költség</h2>\n<p>" +
                       Escape(p.cost) + "</p>\n";
    if (!p.rules.empty()) body += "<h2>Szabályok</h2>\n<p>" + Escape(p.rules) + "</p>\n";
    body += "<p>Érvénytelen (nem szám vagy 1-nél kisebb) paraméter nem ad sort és nem kerül pénzbe. Ha a sor "
            "fölött ism parancs áll, a költség annyiszorosa.</p>\n<hr>\n<p>";
    if (n > 1) body += "<a href=\"p" + std::string(mv::CommandCatalogue::ByNumber(n - 1).code) + ".htm\">Előző</a> | ";
    body += "<a href=\"topic167.htm\">Tartalom</a>";
    if (n < mv::CommandCatalogue::kCount)
      body += " | <a href=\"p" + std::string(mv::CommandCatalogue::ByNumber(n + 1).code) + ".htm\">Következő</a>";
    body += "</p>\n";
    ok = Write(out / "help" / ("p" + code + ".htm"), Html(name, body)) && ok;
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
