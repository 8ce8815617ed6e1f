// Import of the other order maker's fixed-column .oul files into a sheet.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/SheetDocument.h"

namespace mv {

struct OulConversion {
  bool ok = false;
  std::string error;               // Windows-1250 message naming the file
  std::vector<std::string> sheet;  // the 37 lines of the converted sheet
  std::string fileName;            // "2345-17i.ulf"
};

// Converts a file's bytes. Refuses files that are not in the format (too
// short, binary, UTF-16), character or turn fields that are not digits,
// since those name the file written, and row codes the grid cannot hold.
OulConversion ConvertOul(std::string_view content, std::string_view displayName);

struct OulImport {
  FileOutcome outcome;
  std::filesystem::path written;  // the converted sheet in the program directory
};

// Converts the file, saves the sheet in the directory, and loads it into the
// editor (a new sheet without a file name, its character loaded). Nothing is
// written or changed when the file is refused.
OulImport ImportOul(SheetEditor& editor, const std::filesystem::path& file, const std::filesystem::path& programDir,
                    const CharacterLoader& loadCharacter);

}  // namespace mv
