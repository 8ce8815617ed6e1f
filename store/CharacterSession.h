// The character shown on the model and what goes with it: loading, saving
// and deleting characters, the start-up choice and the notes file. The
// window only wires its widgets to this.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/EditorModel.h"
#include "store/CharacterStore.h"

namespace mv {

class CharacterSession {
 public:
  CharacterSession(EditorModel& model, IniFile& ini, std::filesystem::path directory);

  // The list items, sorted by text (the window sorts them its own way).
  std::vector<std::string> ListItems() const { return store_.ListItems(); }
  // The character under key on the model. A stored one becomes the last used
  // one. Returns its list item.
  std::string Load(const std::string& key);
  // An empty character: no number, turn 1, no delivery form.
  void New();
  // The shown character stored under its number; its list item, or nothing
  // when mv.ini could not be written.
  std::optional<std::string> Save();
  // False on a write error. Deleting the character shown also clears it.
  bool Delete(const std::string& key);
  bool SetDefault(const std::string& key) { return store_.SetDefault(key); }
  // The character start-up loads ("Betolt"); empty for none.
  std::string StartupKey() const { return StartupCharacterKey(ini_); }
  bool IsShown(const std::string& key) const { return model_.character.number == key; }
  // The list item of the character shown.
  std::string ShownItem() const;

  // The notes file of the character shown, as stored (Windows-1250, CR LF).
  std::optional<std::string> ReadNotes() const;
  // Emptied notes empty the file; no file is made for no notes, nor for a
  // character without a number. False on a write error.
  bool WriteNotes(const std::string& fileText) const;

 private:
  EditorModel& model_;
  IniFile& ini_;
  CharacterStore store_;
  std::filesystem::path directory_;
};

}  // namespace mv
