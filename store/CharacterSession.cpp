#include "store/CharacterSession.h"
#include "platform/Paths.h"

#include <ctime>

#include "core/Cp1250.h"
#include "store/TextFile.h"

namespace mv {

CharacterSession::CharacterSession(OrderDocument& document, IniFile& ini, std::filesystem::path directory)
    : document_(document), ini_(ini), store_(ini), directory_(std::move(directory)) {}

void CharacterSession::EditCharacter(const std::function<void(CharacterFields&)>& edit) {
  const CharacterFields before = shown_.fields;
  edit(shown_.fields);
  if (shown_.fields != before) Announce(kShown);
}

std::string CharacterSession::Load(const std::string& key) {
  const CharacterRecord record = store_.Load(key);
  ShowCharacter(shown_, document_, key, record);
  Announce(kShown | kReplaced);
  // Only a stored character becomes the last used one.
  if (store_.IsStored(key)) store_.SetLast(key);
  return CharacterListItem(record.name, record.number);
}

void CharacterSession::New() {
  shown_ = ShownCharacter{};
  document_.EditFields([](SheetFields& f) {
    f.turn = "1";
    f.delivery = DeliveryForm::None;
  });
  Announce(kShown | kReplaced);
}

std::optional<std::string> CharacterSession::Save() {
  const CharacterFields& c = shown_.fields;
  shown_.key = c.number;
  const bool saved = store_.Save(RecordOf(c, document_.fields().delivery));
  Announce(kShown | kList);
  if (!saved) return std::nullopt;
  return ShownItem();
}

bool CharacterSession::Delete(const std::string& key) {
  const bool deleted = store_.Delete(key);
  if (IsShown(key)) New();
  Announce(kList);
  return deleted;
}

std::string CharacterSession::ShownItem() const { return CharacterListItem(shown_.fields.name, shown_.fields.number); }

CharacterSession::NotesRead CharacterSession::ReadNotes() {
  NotesRead out;
  notesOf_ = shown_.fields.number;
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
  const std::string& number = shown_.fields.number;
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
         cp1250::FromUtf8(Utf8(ownCopy));
}

std::string CharacterSession::NotesTooLargeMessage(const std::filesystem::path& file, std::uintmax_t size) {
  return std::string("A jegyzetfájl túl nagy ("_w) + SizeText(size) +
         std::string("), ezért nem töltöttem be, és nem is írok bele: "_w) + cp1250::FromUtf8(Utf8(file));
}

}  // namespace mv
