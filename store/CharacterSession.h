// The character shown and what goes with it: loading, saving and deleting
// characters, the start-up choice and the notes file. It announces each
// change of the character; the window only wires its widgets to this.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <functional>

#include "core/CharacterFields.h"
#include "core/OrderDocument.h"
#include "store/CharacterStore.h"

namespace mv {

class CharacterSession {
 public:
  // The document's delivery form and turn follow a loaded or new character.
  CharacterSession(OrderDocument& document, IniFile& ini, std::filesystem::path directory);
  CharacterSession(const CharacterSession&) = delete;
  CharacterSession& operator=(const CharacterSession&) = delete;

  const ShownCharacter& shown() const { return shown_; }
  // The player changed the character's fields on screen.
  void EditCharacter(const std::function<void(CharacterFields&)>& edit);
  // What a change touched; an announcement carries the union.
  enum Change : unsigned {
    kShown = 1u << 0,     // the character shown, or its fields
    kReplaced = 1u << 1,  // another character (or none) is shown now: its notes too
    kList = 1u << 2,      // the stored characters, or the default one
    kLastSent = 1u << 3,  // a letter of the character shown went out
  };
  // Told after every change.
  void SetObserver(std::function<void(unsigned changes)> observer) { observer_ = std::move(observer); }
  // A letter of the character shown went out: its last send is another.
  void LetterSent() { Announce(kLastSent); }

  // The list items, sorted by text (the window sorts them its own way).
  std::vector<std::string> ListItems() const { return store_.ListItems(); }
  // The character under key is shown. A stored one becomes the last used
  // one. Returns its list item.
  std::string Load(const std::string& key);
  // An empty character: no number, turn 1, no delivery form.
  void New();
  // The shown character stored under its number; its list item, or nothing
  // when mv.ini could not be written.
  std::optional<std::string> Save();
  // False on a write error. Deleting the character shown also clears it.
  bool Delete(const std::string& key);
  bool SetDefault(const std::string& key) {
    const bool set = store_.SetDefault(key);
    Announce(kList);
    return set;
  }
  // The character start-up loads ("Betolt"); empty for none.
  std::string StartupKey() const { return StartupCharacterKey(ini_); }
  bool IsShown(const std::string& key) const { return shown_.fields.number == key; }
  // The list item of the character shown.
  std::string ShownItem() const;

  struct NotesRead {
    enum class Status { None, Loaded, TooLarge };
    Status status = Status::None;
    std::string text;            // as stored (Windows-1250, CR LF), for Loaded
    std::uintmax_t size = 0;     // for TooLarge
    std::filesystem::path file;  // the notes file, when the character has one
  };
  // The notes file of the character shown. What is read is remembered, so
  // that a write can tell whether someone else changed the file meanwhile.
  // A file too large for the memo is not read, and never written.
  NotesRead ReadNotes();

  struct NotesWrite {
    enum class Status { Written, Failed, Conflict };
    Status status = Status::Written;
    // For Conflict: where our text went instead, and the file's text now.
    std::filesystem::path ownCopy;
    std::string current;
  };
  // Emptied notes empty the file; no file is made for no notes, nor for a
  // character without a number. When another copy of the program or a hand
  // edit changed the file since it was read or written here, it is not
  // overwritten: our text goes beside it once, as
  // "<number>-<YYYYMMDD-HHMMSS>.jzt.utkozes" (private), and the file's text
  // becomes the one we know.
  NotesWrite WriteNotes(const std::string& fileText);
  // "…, ezért nem írtam felül. A saját szövegedet ide mentettem: <path>"
  static std::string NotesConflictMessage(const std::filesystem::path& ownCopy);
  static std::string NotesTooLargeMessage(const std::filesystem::path& file, std::uintmax_t size);

 private:
  void Announce(unsigned changes) const {
    if (observer_) observer_(changes);
  }

  OrderDocument& document_;
  ShownCharacter shown_;
  std::function<void(unsigned)> observer_;
  IniFile& ini_;
  CharacterStore store_;
  std::filesystem::path directory_;
  // The notes file as last read or written here: its number, and its bytes
  // (nothing: there was no file). A blocked file is too large to touch.
  std::string notesOf_;
  std::optional<std::string> notesSeen_;
  bool notesBlocked_ = false;
};

}  // namespace mv
