// The .ulf order sheet file: 37 lines, fields by position.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/OrderDocument.h"

namespace mv {

struct SheetReadResult {
  bool ok = false;
  std::string error;  // Windows-1250 message for the player when !ok
};

// Fills the sheet fields, the rows, the figures and the character key (the
// line after the figures) from a file's bytes, as far as the file allows;
// `into` starts as a new sheet. `displayName` names the file in messages
// (Windows-1250).
SheetReadResult ReadSheet(std::string_view content, std::string_view displayName, SheetContent& into);

// A sheet file read whole, as the letter, the states and the board read it:
// without an editor, only a regular file, at most kMaxPlayerFileBytes.
struct SheetFileRead {
  bool ok = false;
  std::string error;  // Windows-1250 message for the player when !ok
  SheetContent content;
};
SheetFileRead ReadSheetFile(const std::filesystem::path& path);

// The 37 lines of a sheet, each ended by CR LF.
std::string WriteSheet(const SheetContent& sheet);

// One grid row as a file line: nine cells joined by ",".
std::string OrderLine(const OrderSheet& sheet, int row);
std::string OrderLine(const OrderRow& row);
// A file line as a row, as the sheet reader reads it (codes in lower case,
// missing cells left as a new row has them).
OrderRow OrderRowOfLine(const std::string& line);

// Message shown when a sheet cannot be read at all.
std::string UnreadableSheetMessage(std::string_view displayName);
// Message shown for a file above the readers' size limit.
std::string TooLargeSheetMessage(std::string_view displayName, std::uintmax_t size);

}  // namespace mv
