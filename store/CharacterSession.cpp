#include "store/CharacterSession.h"

#include <ctime>

#include "core/Cp1250.h"
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

CharacterSession::NotesRead CharacterSession::ReadNotes() {
  NotesRead out;
  notesOf_ = model_.character.number;
  notesSeen_.reset();
  notesBlocked_ = false;
  const auto file = NotesPath(directory_, notesOf_);
  if (!file) return out;
  out.file = *file;
  BoundedRead read = ReadFileUpTo(*file);
  if (read.status == BoundedRead::Status::TooLarge) {
    notesBlocked_ = true;
    out.status = NotesRead::Status::TooLarge;
    out.size = read.size;
    return out;
  }
  // An unreadable file is never overwritten unread either.
  if (read.status == BoundedRead::Status::Unreadable) notesBlocked_ = true;
  if (!read.ok()) return out;
  notesSeen_ = read.bytes;
  out.status = NotesRead::Status::Loaded;
  out.text = std::move(read.bytes);
  return out;
}

CharacterSession::NotesWrite CharacterSession::WriteNotes(const std::string& fileText) {
  NotesWrite out;
  const std::string& number = model_.character.number;
  const auto file = NotesPath(directory_, number);
  if (!file) return out;
  if (notesBlocked_ && number == notesOf_) return out;
  if (number != notesOf_) ReadNotes();  // never looked at: what is there now counts as seen

  const BoundedRead now = ReadFileUpTo(*file);
  if (!now.ok() && now.status != BoundedRead::Status::Missing) {
    out.status = NotesWrite::Status::Failed;  // grew too large or became unreadable: left alone
    return out;
  }
  const std::optional<std::string> current = now.ok() ? std::optional<std::string>(now.bytes) : std::nullopt;
  if (current != notesSeen_) {
    // Someone else wrote meanwhile: keep both texts, overwrite neither.
    const auto kept =
        WriteNewFile(directory_, number + "-" + FileNameTime(std::time(nullptr)), ".jzt.utkozes", fileText, 0600);
    if (!kept) {
      out.status = NotesWrite::Status::Failed;
      return out;
    }
    notesSeen_ = current;
    out.status = NotesWrite::Status::Conflict;
    out.ownCopy = *kept;
    out.current = current.value_or("");
    return out;
  }
  if (fileText.empty() && !current) return out;
  if (!WriteFileAtomically(*file, fileText)) {
    out.status = NotesWrite::Status::Failed;
    return out;
  }
  notesSeen_ = fileText;
  return out;
}

std::string CharacterSession::NotesConflictMessage(const std::filesystem::path& ownCopy) {
  return std::string(
             "A jegyzetet közben máshol is módosították (egy másik ablakban vagy kézzel), ezért nem írtam felül. "
             "A saját szövegedet ide mentettem: "_w) +
         cp1250::FromUtf8(ownCopy.string());
}

std::string CharacterSession::NotesTooLargeMessage(const std::filesystem::path& file, std::uintmax_t size) {
  return std::string("A jegyzetfájl túl nagy ("_w) + SizeText(size) +
         std::string("), ezért nem töltöttem be, és nem is írok bele: "_w) + cp1250::FromUtf8(file.string());
}

}  // namespace mv
