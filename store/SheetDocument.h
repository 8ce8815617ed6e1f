// Opening and saving an order sheet file on the editor's document.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/CharacterFields.h"
#include "core/SheetEditor.h"
#include "core/SheetWorkspace.h"
#include "store/IniFile.h"
#include "store/SheetFile.h"

namespace mv {

struct FileOutcome {
  enum class Status { Nothing, Done, Failed };
  Status status = Status::Nothing;
  std::string message;  // Windows-1250, for Failed
  bool failed() const { return status == Status::Failed; }
};

using CharacterLoader = std::function<void(const std::string& key)>;

// "Megnyit" after the file is chosen: a missing path changes nothing; else a
// new sheet filled from the file, its character loaded when it differs from
// the current one, row 1 interpreted.
FileOutcome OpenSheet(SheetEditor& editor, const std::filesystem::path& path, const CharacterLoader& loadCharacter);

// Writes the sheet, under the key of the character it belongs to, to path
// all-or-nothing; on success the sheet is saved under that name and no
// longer modified.
FileOutcome SaveSheet(OrderDocument& document, const std::string& characterKey, const std::filesystem::path& path);

// Proposed file name (without extension): character number "-" turn.
std::string DefaultSheetName(const CharacterFields& character, const SheetFields& fields);

// A sheet file opened without a window, as "Megnyit" opens it, with the
// character its last line names taken from mv.ini.
FileOutcome OpenWithItsCharacter(SheetWorkspace& sheet, IniFile& ini, const std::filesystem::path& path);

// A new sheet filled from a file's content: rows, fields and figures on the
// document, the file's character loaded when it is not the one shown.
SheetReadResult FillFromFile(SheetEditor& editor, std::string_view content, std::string_view displayName,
                             const CharacterLoader& loadCharacter);

// A path as the player reads it in a message.
std::string DisplayPath(const std::filesystem::path& path);
// lead + the path + why the write failed ("megtelt a lemez", ...), for the
// errno of the failed write.
std::string WriteFailedMessage(std::string_view lead, const std::filesystem::path& path, int error);

}  // namespace mv
