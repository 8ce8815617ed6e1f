// The reference list files (.dat) of the program directory: numbered name
// lists and the potion recipe lines.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataList.h"

namespace mv {

// One numbered list file and where it goes in memory.
struct DataListFile {
  std::string_view file;           // "galetkik.dat"
  std::string_view title;          // "Karakterek" (Windows-1250), the memo title
  std::string_view choice;         // the combo item
  DataList ReferenceLists::*list;  // null for the potion file
};

// The seven files in the order the "Listák" tab offers them.
const std::vector<DataListFile>& DataListFiles();
inline constexpr std::string_view kPotionFile = "italok.dat";

// Numbers this far past a list's base are ignored, so that one stray line
// cannot make a list huge.
inline constexpr long long kMaxListSpan = 100000;

struct DataLine {
  long long number;
  std::string name;
};
// A numbered line: blanks, digits, blanks, a name; anything else is none.
std::optional<DataLine> ParseDataLine(std::string_view line);

// Reads a numbered file over the list (later lines win); returns false when
// the file is missing or unreadable, and leaves the list as it was then.
bool LoadDataList(const std::filesystem::path& file, DataList& list);
// The same over a file's bytes.
void LoadDataListText(std::string_view text, DataList& list);
// Sorted by number, one line per named number; all-or-nothing.
bool WriteDataList(const std::filesystem::path& file, const DataList& list);

// The text " Sorrendezés" writes for a numbered file: one line per named
// number in order, then every other non-blank line of the player's that has
// no place in the list, in its order and unchanged.
std::string SortedDataListText(std::string_view text, int firstNumber);

// Start-up: all six numbered lists and the potion lines from a directory.
void LoadReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists);
// " Aktualizálás": reread everything over what is in memory. False when a
// file exists but cannot be read.
bool UpdateReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists);
// " Sorrendezés": reread the numbered files from scratch and write them back
// sorted. Every file ends either old or new; false on any failure.
bool SortReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists);

}  // namespace mv
