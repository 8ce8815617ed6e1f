#include "store/IniFile.h"

#include <algorithm>
#include <unordered_set>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "platform/FileStamp.h"
#include "platform/Paths.h"
#include "store/TextFile.h"

namespace mv {
namespace {

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return out;
}

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
  if (first == std::string_view::npos) return s.substr(s.size());  // empty, but still inside s
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// The lock that keeps two writers of one file apart; it lies beside the
// file that the path finally names.
std::filesystem::path LockFileOf(const std::filesystem::path& path) {
  const std::filesystem::path target = ResolveLinks(path);
  std::filesystem::path name = ".";
  name += target.filename();
  name += ".lock";
  return target.parent_path() / name;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  Parse({});
  Refresh();
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile ini;
  ini.Parse(text);
  return ini;
}

IniFile::FileStamp IniFile::StampOf(const std::filesystem::path& path) {
  const mv::FileStamp now = mv::StampOf(path);
  if (now.size < 0) return {};
  return {now.size, now.seconds * 1000000000 + now.nanoseconds, std::int64_t(now.file)};
}

void IniFile::Refresh() const {
  if (path_.empty() || steady_ > 0) return;
  const FileStamp now = StampOf(path_);
  if (now != stamp_) Reload(now);
}

void IniFile::Reload(const FileStamp& now) const {
  const auto text = ReadWholeFile(path_);
  Parse(text.value_or(std::string()));
  stamp_ = now;
}

void IniFile::Parse(std::string_view text) const {
  text_ = std::string(text);
  const std::string_view all(text_);
  lines_.clear();
  lines_.reserve(std::size_t(std::count(all.begin(), all.end(), '\n')) + 1);
  sections_.assign(1, Section{});
  byName_.clear();
  int current = 0;
  std::size_t start = 0;
  auto spanOf = [&](std::string_view part) { return Span{std::size_t(part.data() - all.data()), part.size()}; };
  while (start < all.size()) {
    const std::size_t stop = all.find_first_of("\r\n", start);
    Line line;
    if (stop == std::string_view::npos) {
      line.text = {start, all.size() - start};
      line.end = {all.size(), 0};
      start = all.size();
    } else {
      line.text = {start, stop - start};
      const std::size_t endLength = all[stop] == '\r' && stop + 1 < all.size() && all[stop + 1] == '\n' ? 2 : 1;
      line.end = {stop, endLength};
      start = stop + endLength;
    }
    const std::string_view trimmed = Trim(View(line.text));
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos) {
      const std::string_view name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
      // A repeated section continues the first one, as the profile API reads it.
      const auto [it, added] = byName_.try_emplace(UpperAscii(name), int(sections_.size()));
      if (added) sections_.push_back(Section{std::string(name), {}});
      current = it->second;
      line.header = true;
    } else if (const auto eq = trimmed.find('=');
               !trimmed.empty() && trimmed.front() != ';' && eq != std::string_view::npos && eq != 0) {
      line.entry = true;
      line.key = spanOf(Trim(trimmed.substr(0, eq)));
      line.value = spanOf(Trim(trimmed.substr(eq + 1)));
      sections_[std::size_t(current)].entries.push_back(lines_.size());
    }
    line.section = current;
    lines_.push_back(line);
  }
}

int IniFile::FindSection(std::string_view name) const {
  if (name.empty()) return -1;
  const auto it = byName_.find(UpperAscii(name));
  return it == byName_.end() ? -1 : it->second;
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
  Refresh();
  const int s = FindSection(section);
  if (s < 0) return {};
  for (const std::size_t i : sections_[std::size_t(s)].entries)
    if (SameName(View(lines_[i].key), key)) return std::string(View(lines_[i].value));
  return {};
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  Refresh();
  const int s = FindSection(section);
  if (s < 0) return false;
  const auto& entries = sections_[std::size_t(s)].entries;
  return std::any_of(entries.begin(), entries.end(), [&](std::size_t i) { return SameName(View(lines_[i].key), key); });
}

std::vector<std::pair<std::string, std::string>> IniFile::Entries(std::string_view section) const {
  Refresh();
  std::vector<std::pair<std::string, std::string>> out;
  const int s = FindSection(section);
  if (s < 0) return out;
  std::unordered_set<std::string> seen;
  for (const std::size_t i : sections_[std::size_t(s)].entries)
    if (seen.insert(UpperAscii(View(lines_[i].key))).second)
      out.emplace_back(std::string(View(lines_[i].key)), std::string(View(lines_[i].value)));
  return out;
}

void IniFile::ForEachEntry(std::string_view section,
                           const std::function<void(std::string_view key, std::string_view value)>& visit) const {
  Refresh();
  const int s = FindSection(section);
  if (s < 0) return;
  for (const std::size_t i : sections_[std::size_t(s)].entries) visit(View(lines_[i].key), View(lines_[i].value));
}

void IniFile::ApplyTo(const IniChange& change) {
  const std::string section = OnOneLine(change.section);
  const std::string key = OnOneLine(change.key);
  const int s = FindSection(section);
  // The new text line by line: each line's own bytes, or its replacement.
  std::string out;
  out.reserve(text_.size() + key.size() + change.value.size() + section.size() + 8);
  auto keep = [&](const Line& l) { out.append(View(l.text)).append(View(l.end)); };
  auto addLine = [&](std::string_view line) {
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";  // a last line gets its end
    out.append(line).append("\r\n");
  };
  const std::string entry = key + "=" + OnOneLine(change.value);
  switch (change.kind) {
    case IniChange::Kind::EraseSection:
      for (const Line& l : lines_)
        if (s < 0 || l.section != s) keep(l);
      break;
    case IniChange::Kind::EraseKey:
      for (const Line& l : lines_)
        if (!(s >= 0 && l.section == s && l.entry && SameName(View(l.key), key))) keep(l);
      break;
    case IniChange::Kind::Set: {
      if (s < 0) {
        for (const Line& l : lines_) keep(l);
        addLine("[" + section + "]");
        addLine(entry);
        break;
      }
      const auto& entries = sections_[std::size_t(s)].entries;
      const auto found = std::find_if(entries.begin(), entries.end(),
                                      [&](std::size_t i) { return SameName(View(lines_[i].key), key); });
      // A new key goes after the section's last entry, or right under its header.
      std::size_t after = entries.empty() ? lines_.size() : entries.back();
      if (entries.empty())
        for (std::size_t i = 0; i < lines_.size(); ++i)
          if (lines_[i].section == s && lines_[i].header) {
            after = i;
            break;
          }
      for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (found != entries.end() && i == *found) {
          out.append(entry).append(View(lines_[i].end));
          continue;
        }
        keep(lines_[i]);
        if (found == entries.end() && i == after) addLine(entry);
      }
      break;
    }
  }
  Parse(out);
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  return Apply({IniChange::Set(section, key, value)});
}

bool IniFile::EraseKey(std::string_view section, std::string_view key) {
  return Apply({IniChange::EraseKey(section, key)});
}

bool IniFile::EraseSection(std::string_view section) { return Apply({IniChange::EraseSection(section)}); }

bool IniFile::Apply(const std::vector<IniChange>& changes) {
  if (path_.empty()) {
    for (const IniChange& c : changes) ApplyTo(c);
    return true;
  }
  // Whatever another program wrote meanwhile is the base of this change; a
  // copy that keeps the lock must not freeze this one.
  FileLock::Failure lockFailure = FileLock::Failure::None;
  const FileLock lock = FileLock::Within(LockFileOf(path_), kLockWait, lockFailure);
  Reload(StampOf(path_));  // even within a SteadyRead
  for (const IniChange& c : changes) ApplyTo(c);
  // The file holds passwords: readable by its owner only, old files too.
  const bool ok = lock.held() && WriteFileAtomically(path_, Text(), 0600);
  failure_ = ok                                           ? WriteFailure::None
             : lockFailure == FileLock::Failure::Busy     ? WriteFailure::Busy
             : lockFailure == FileLock::Failure::Unusable ? WriteFailure::LockUnusable
                                                          : WriteFailure::Write;
  // A change that could not be written stays in memory until the file changes.
  stamp_ = StampOf(path_);
  return ok;
}

std::string IniFile::Text() const { return text_; }

std::string IniFile::FailureMessage(std::string_view whenWritten) const {
  switch (failure_) {
    case WriteFailure::Busy:
      return std::string(
          "Az mv.ini-t most a program egy másik példánya használja, ezért nem tudtam menteni. Próbáld újra pár "
          "másodperc múlva."_w);
    case WriteFailure::LockUnusable:
      return std::string("Az mv.ini zárolófájlját ("_w) + cp1250::FromUtf8(Utf8(LockFileOf(path_))) +
             std::string(
                 ") nem tudom megnyitni (mappa vagy hibás hivatkozás), ezért nem tudtam menteni. Töröld "
                 "vagy nevezd át, és próbáld újra."_w);
    case WriteFailure::None:
    case WriteFailure::Write: break;
  }
  return std::string(whenWritten);
}

}  // namespace mv
