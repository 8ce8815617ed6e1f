#include "store/SheetDocument.h"

#include <cerrno>
#include "platform/Paths.h"

#include "core/Cp1250.h"
#include "store/CharacterStore.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"

namespace mv {

std::string DisplayPath(const std::filesystem::path& path) { return cp1250::FromUtf8(Utf8(path)); }

std::string WriteFailedMessage(std::string_view lead, const std::filesystem::path& path, int error) {
  return std::string(lead) + DisplayPath(path) + " (" + WriteFailureReason(error) + ")";
}

FileOutcome OpenSheet(SheetEditor& editor, const std::filesystem::path& path, const CharacterLoader& loadCharacter) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return {};

  editor.NewSheet();  // the player agreed to replace the sheet, whatever the file holds
  // Bounded: one huge line must not freeze the window or eat the memory.
  const BoundedRead bytes = ReadFileUpTo(path);
  if (bytes.status == BoundedRead::Status::TooLarge)
    return {FileOutcome::Status::Failed, TooLargeSheetMessage(DisplayPath(path), bytes.size)};
  if (!bytes.ok()) return {FileOutcome::Status::Failed, UnreadableSheetMessage(DisplayPath(path))};

  const SheetReadResult read = FillFromFile(editor, bytes.bytes, DisplayPath(path), loadCharacter);
  if (!read.ok) return {FileOutcome::Status::Failed, read.error};
  editor.Loaded(SheetEditor::Origin::Opened, Utf8(path));
  return {FileOutcome::Status::Done, {}};
}

FileOutcome OpenWithItsCharacter(SheetWorkspace& sheet, IniFile& ini, const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    return {FileOutcome::Status::Failed, UnreadableSheetMessage(DisplayPath(path))};
  const FileOutcome opened = OpenSheet(sheet.editor, path, [&](const std::string& key) {
    ShowCharacter(sheet.character, sheet.document, key, CharacterStore(ini).Load(key));
  });
  return opened.status == FileOutcome::Status::Nothing
             ? FileOutcome{FileOutcome::Status::Failed, UnreadableSheetMessage(DisplayPath(path))}
             : opened;
}

SheetReadResult FillFromFile(SheetEditor& editor, std::string_view content, std::string_view displayName,
                             const CharacterLoader& loadCharacter) {
  OrderDocument::Batch batch(editor.document());
  editor.NewSheet();
  SheetContent sheet = editor.document().Content({});
  const SheetReadResult read = ReadSheet(content, displayName, sheet);
  editor.document().Fill(sheet);  // as far as it could be read
  if (read.ok && sheet.characterKey != editor.character().key && loadCharacter) loadCharacter(sheet.characterKey);
  return read;
}

FileOutcome SaveSheet(OrderDocument& document, const std::string& characterKey, const std::filesystem::path& path) {
  // A killed save elsewhere left its temporary file in this folder.
  RemoveStaleTemporaryFiles(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
  if (!WriteFileAtomically(path, WriteSheet(document.Content(characterKey))))
    return {FileOutcome::Status::Failed, WriteFailedMessage("Nem sikerült elmenteni az UL-t ide: "_w, path, errno)};
  document.MarkSaved(Utf8(path));
  return {FileOutcome::Status::Done, {}};
}

std::string DefaultSheetName(const CharacterFields& character, const SheetFields& fields) {
  return character.number + "-" + fields.turn;
}

}  // namespace mv
