// The settings file: a Windows INI file in Windows-1250 with CRLF lines.
// Section and key names match without regard to ASCII letter case, as the
// Windows profile functions do.
//
// Several copies of the program may share one file, and the player may edit
// it by hand. So a read sees the file as it is on disk now, and every write
// re-reads it under an advisory lock, changes only the keys written, keeps
// every other byte, and replaces the file all-or-nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mv {

// One change of a write; several go to the disk together.
struct IniChange {
  enum class Kind { Set, EraseKey, EraseSection };
  Kind kind = Kind::Set;
  std::string section;
  std::string key;
  std::string value;

  static IniChange Set(std::string_view section, std::string_view key, std::string_view value) {
    return {Kind::Set, std::string(section), std::string(key), std::string(value)};
  }
  static IniChange EraseKey(std::string_view section, std::string_view key) {
    return {Kind::EraseKey, std::string(section), std::string(key), {}};
  }
  static IniChange EraseSection(std::string_view section) { return {Kind::EraseSection, std::string(section), {}, {}}; }
};

class IniFile {
 public:
  IniFile() = default;
  // A missing or unreadable file reads as empty.
  explicit IniFile(std::filesystem::path path);

  // Parses text as the file's content (no file behind it).
  static IniFile FromText(std::string_view text);

  // The value, or empty when the section or key is missing.
  std::string Read(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const;
  // Every key=value entry of a section, in file order, the first of equal keys.
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
  // Every entry of a section in file order, equal keys included, without copies.
  void ForEachEntry(std::string_view section,
                    const std::function<void(std::string_view key, std::string_view value)>& visit) const;

  // Write or erase, then save. False when the file could not be written (the
  // change is kept in memory nevertheless). A line break in a name or value
  // becomes a space: it would start a line of its own.
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  bool EraseKey(std::string_view section, std::string_view key);
  bool EraseSection(std::string_view section);
  bool Apply(const std::vector<IniChange>& changes);

  // Why the last write failed. The lock is waited for at most kLockWait.
  enum class WriteFailure { None, Busy, LockUnusable, Write };
  static constexpr std::chrono::milliseconds kLockWait{5000};
  WriteFailure lastFailure() const { return failure_; }
  // The player's message for the last failure (Windows-1250); `whenWritten`
  // names a failure of the write itself.
  std::string FailureMessage(std::string_view whenWritten) const;

  std::string Text() const;
  const std::filesystem::path& path() const { return path_; }

  // Reads that belong together (a character's fields, the settings) see one
  // state of the file: it is looked at once, when the first of them starts,
  // not once per key.
  class SteadyRead {
   public:
    explicit SteadyRead(const IniFile& ini) : ini_(ini) {
      ini_.Refresh();
      ++ini_.steady_;
    }
    ~SteadyRead() { --ini_.steady_; }
    SteadyRead(const SteadyRead&) = delete;
    SteadyRead& operator=(const SteadyRead&) = delete;

   private:
    const IniFile& ini_;
  };

 private:
  // A line as places in text_: parsing a large file allocates little.
  struct Span {
    std::size_t at = 0, size = 0;
  };
  struct Line {
    Span text;  // without its line end
    Span end;   // "\r\n", "\n", "\r" or empty for a last line without one
    Span key;   // for entries, trimmed
    Span value;
    bool entry = false;
    bool header = false;
    int section = 0;  // 0: the lines before the first section
  };
  struct Section {
    std::string name;
    std::vector<std::size_t> entries;  // line indexes, file order
  };
  struct FileStamp {
    std::int64_t size = -1, mtime = 0, inode = 0;
    bool operator==(const FileStamp&) const = default;
  };

  void Parse(std::string_view text) const;
  int FindSection(std::string_view name) const;
  void ApplyTo(const IniChange& change);
  // Reloads when another program changed the file since it was read.
  void Refresh() const;
  void Reload(const FileStamp& now) const;
  static FileStamp StampOf(const std::filesystem::path& path);

  std::string_view View(Span span) const { return std::string_view(text_).substr(span.at, span.size); }

  std::filesystem::path path_;
  // Parsed content; mutable so that a read can catch up with the disk.
  mutable std::string text_;
  mutable std::vector<Line> lines_;
  mutable std::vector<Section> sections_;
  mutable std::unordered_map<std::string, int> byName_;  // upper-case name -> section
  mutable FileStamp stamp_;
  mutable int steady_ = 0;  // open SteadyReads: the file is not looked at again
  WriteFailure failure_ = WriteFailure::None;
};

}  // namespace mv
