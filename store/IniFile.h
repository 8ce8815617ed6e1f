// The settings file: a Windows INI file in Windows-1250 with CRLF lines.
// Section and key names match without regard to ASCII letter case, as the
// Windows profile functions do. Every write reaches the disk at once, through
// a temporary file, and keeps every other line of the file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

class IniFile {
 public:
  IniFile() = default;
  // Reads the file; a missing or unreadable file reads as empty.
  explicit IniFile(std::filesystem::path path);

  // Parses text as the file's content (no file behind it).
  static IniFile FromText(std::string_view text);

  // The value, or empty when the section or key is missing.
  std::string Read(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const;
  // Every key=value entry of a section, in file order.
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

  // Write or erase, then save. False when the file could not be written (the
  // value is kept in memory nevertheless).
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  bool EraseKey(std::string_view section, std::string_view key);
  bool EraseSection(std::string_view section);

  std::string Text() const;
  const std::filesystem::path& path() const { return path_; }

 private:
  struct Line {
    std::string text;  // the raw line for anything that is not an entry
    std::string key;
    std::string value;
    bool entry = false;
  };
  struct Section {
    std::string name;  // empty for the lines before the first section
    std::vector<Line> lines;
  };

  void Parse(std::string_view text);
  Section* Find(std::string_view section);
  const Section* Find(std::string_view section) const;
  bool Save() const;

  std::filesystem::path path_;
  std::vector<Section> sections_;
};

}  // namespace mv
