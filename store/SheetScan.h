// The open dialog's search: the order sheets (.ulf) of some folders, with
// the turn (first line) and the character key (last line) of each.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mv {

struct FoundSheet {
  std::string turn;  // first line
  std::string key;   // last line
  std::string name;  // file name, Windows-1250
  std::filesystem::path path;
};

struct SheetScan {
  std::vector<FoundSheet> sheets;
  // A sheet that exists but cannot be read stops the scan.
  std::optional<std::filesystem::path> unreadable;
  // Or, when the scan goes on past them, every such sheet.
  std::vector<std::filesystem::path> unreadableSheets;
};

// Folders in order. Every regular file is seen once, whatever its name and
// however many folders reach it; a FIFO or a device under a sheet's name is
// skipped, never opened for reading. A file larger than any sheet cannot be
// read. The open dialog stops at the first sheet that cannot be read; the
// turn board goes on (goOn) and lists them.
SheetScan ScanSheetFolders(const std::vector<std::filesystem::path>& folders, bool goOn = false);

// "12. forduló   (2345-12.ulf)" for every sheet of a key, with the sheet it
// opens, sorted by text; sheets of one name and turn in several folders
// are told apart by their folder, after the parenthesis.
struct TurnEntry {
  std::string text;  // Windows-1250
  std::filesystem::path path;
};
std::vector<TurnEntry> TurnEntries(const std::vector<FoundSheet>& sheets, std::string_view key);

}  // namespace mv
