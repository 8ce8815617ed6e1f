#include "store/IniFile.h"

#include <algorithm>

#include "store/TextFile.h"

namespace mv {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 32);
    if (y >= 'a' && y <= 'z') y = char(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  if (const auto text = ReadWholeFile(path_)) Parse(*text);
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile ini;
  ini.Parse(text);
  return ini;
}

void IniFile::Parse(std::string_view text) {
  sections_.assign(1, Section{});
  std::size_t current = 0;
  for (const std::string& raw : SplitLines(text)) {
    const std::string_view line = Trim(raw);
    if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos) {
      const std::string name(Trim(line.substr(1, line.find(']') - 1)));
      // A repeated section continues the first one, as the profile API reads it.
      const auto found = std::find_if(sections_.begin() + 1, sections_.end(),
                                      [&](const Section& s) { return SameName(s.name, name); });
      current = std::size_t(found - sections_.begin());
      if (found == sections_.end()) sections_.push_back(Section{name, {}});
      continue;
    }
    const auto eq = line.find('=');
    if (line.empty() || line.front() == ';' || eq == std::string_view::npos || eq == 0) {
      sections_[current].lines.push_back(Line{raw, {}, {}, false});
    } else {
      sections_[current].lines.push_back(
          Line{raw, std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1))), true});
    }
  }
}

IniFile::Section* IniFile::Find(std::string_view section) {
  for (Section& s : sections_)
    if (!s.name.empty() && SameName(s.name, section)) return &s;
  return nullptr;
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
  return const_cast<IniFile*>(this)->Find(section);
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return {};
  for (const Line& l : s->lines)
    if (l.entry && SameName(l.key, key)) return l.value;
  return {};
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  return s && std::any_of(s->lines.begin(), s->lines.end(), [&](const Line& l) { return l.entry && SameName(l.key, key); });
}

std::vector<std::pair<std::string, std::string>> IniFile::Entries(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> out;
  if (const Section* s = Find(section))
    for (const Line& l : s->lines)
      if (l.entry && std::none_of(out.begin(), out.end(), [&](const auto& e) { return SameName(e.first, l.key); }))
        out.emplace_back(l.key, l.value);
  return out;
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (sections_.empty()) sections_.assign(1, Section{});
  Section* s = Find(section);
  if (!s) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  auto entry = std::find_if(s->lines.begin(), s->lines.end(), [&](const Line& l) { return l.entry && SameName(l.key, key); });
  if (entry != s->lines.end()) {
    entry->value = std::string(value);
  } else {
    // New keys go after the last entry, before trailing blank lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && !std::prev(at)->entry && Trim(std::prev(at)->text).empty()) --at;
    s->lines.insert(at, Line{{}, std::string(key), std::string(value), true});
  }
  return Save();
}

bool IniFile::EraseKey(std::string_view section, std::string_view key) {
  if (Section* s = Find(section))
    std::erase_if(s->lines, [&](const Line& l) { return l.entry && SameName(l.key, key); });
  return Save();
}

bool IniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return !s.name.empty() && SameName(s.name, section); });
  return Save();
}

std::string IniFile::Text() const {
  std::vector<std::string> lines;
  for (const Section& s : sections_) {
    if (!s.name.empty()) lines.push_back("[" + s.name + "]");
    for (const Line& l : s.lines) lines.push_back(l.entry ? l.key + "=" + l.value : l.text);
  }
  return JoinLines(lines);
}

bool IniFile::Save() const {
  if (path_.empty()) return true;
  // The file holds passwords: a new one is readable by its owner only.
  return WriteFileAtomically(path_, Text(), 0600);
}

}  // namespace mv
