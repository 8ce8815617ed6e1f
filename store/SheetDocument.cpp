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
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return {FileOutcome::Status::Failed, UnreadableSheetMessage(DisplayPath(path))};

  const SheetReadResult read = ReadSheet(*bytes, DisplayPath(path), model);
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
  if (!WriteFileAtomically(path, WriteSheet(model)))
    return {FileOutcome::Status::Failed, std::string("Nem sikerült elmenteni az UL-t ide: "_w) + DisplayPath(path)};
  model.sheetModified = false;
  model.sheetFileName = path.string();
  model.history.MarkSaved(model.sheet);
  return {FileOutcome::Status::Done, {}};
}

std::string DefaultSheetName(const EditorModel& model) { return model.character.number + "-" + model.fields.turn; }

}  // namespace mv
