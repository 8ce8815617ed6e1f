#include "store/SheetDocument.h"

#include "core/Cp1250.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"

namespace mv {

std::string DisplayPath(const std::filesystem::path& path) { return cp1250::FromUtf8(path.string()); }

FileOutcome OpenSheet(SheetEditor& editor, const std::filesystem::path& path, const CharacterLoader& loadCharacter) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return {};

  editor.NewSheet();
  EditorModel& model = editor.model();
  // Bounded: one huge line must not freeze the window or eat the memory.
  const BoundedRead bytes = ReadFileUpTo(path);
  if (bytes.status == BoundedRead::Status::TooLarge)
    return {FileOutcome::Status::Failed, TooLargeSheetMessage(DisplayPath(path), bytes.size)};
  if (!bytes.ok()) return {FileOutcome::Status::Failed, UnreadableSheetMessage(DisplayPath(path))};

  const SheetReadResult read = ReadSheet(bytes.bytes, DisplayPath(path), model);
  if (!read.ok) return {FileOutcome::Status::Failed, read.error};

  if (read.characterKey != model.currentCharacterKey && loadCharacter) loadCharacter(read.characterKey);
  model.sheetModified = false;
  model.sheetFileName = path.string();
  model.sheet.RenumberRows(1);
  model.currentRow = 1;
  editor.InterpretCurrentRow();
  model.history.Reset(model.sheet);
  return {FileOutcome::Status::Done, {}};
}

FileOutcome SaveSheet(EditorModel& model, const std::filesystem::path& path) {
  // A killed save elsewhere left its temporary file in this folder.
  RemoveStaleTemporaryFiles(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
  if (!WriteFileAtomically(path, WriteSheet(model)))
    return {FileOutcome::Status::Failed, std::string("Nem sikerült elmenteni az UL-t ide: "_w) + DisplayPath(path)};
  model.sheetModified = false;
  model.sheetFileName = path.string();
  model.history.MarkSaved(model.sheet);
  return {FileOutcome::Status::Done, {}};
}

std::string DefaultSheetName(const EditorModel& model) { return model.character.number + "-" + model.fields.turn; }

}  // namespace mv
