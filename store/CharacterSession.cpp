#include "store/CharacterSession.h"

#include "store/TextFile.h"

namespace mv {

CharacterSession::CharacterSession(EditorModel& model, IniFile& ini, std::filesystem::path directory)
    : model_(model), ini_(ini), store_(ini), directory_(std::move(directory)) {}

std::string CharacterSession::Load(const std::string& key) {
  const CharacterRecord record = store_.Load(key);
  ShowCharacter(model_, key, record);
  // Only a stored character becomes the last used one.
  if (store_.IsStored(key)) store_.SetLast(key);
  return CharacterListItem(record.name, record.number);
}

void CharacterSession::New() {
  model_.currentCharacterKey.clear();
  model_.character = CharacterFields{};
  model_.fields.turn = "1";
  model_.fields.delivery = DeliveryForm::None;
  model_.deliveryFormIndex = DeliveryForm::None;
}

std::optional<std::string> CharacterSession::Save() {
  const CharacterFields& c = model_.character;
  model_.currentCharacterKey = c.number;
  if (!store_.Save(RecordOf(c, model_.fields.delivery))) return std::nullopt;
  return ShownItem();
}

bool CharacterSession::Delete(const std::string& key) {
  const bool deleted = store_.Delete(key);
  if (IsShown(key)) New();
  return deleted;
}

std::string CharacterSession::ShownItem() const {
  return CharacterListItem(model_.character.name, model_.character.number);
}

std::optional<std::string> CharacterSession::ReadNotes() const {
  if (model_.character.number.empty()) return std::nullopt;
  return ReadWholeFile(NotesPath(directory_, model_.character.number));
}

bool CharacterSession::WriteNotes(const std::string& fileText) const {
  const std::string& number = model_.character.number;
  if (number.empty()) return true;
  const std::filesystem::path file = NotesPath(directory_, number);
  std::error_code ec;
  if (fileText.empty() && !std::filesystem::exists(file, ec)) return true;
  return WriteFileAtomically(file, fileText);
}

}  // namespace mv
