// The player's characters in mv.ini: an index section "Karakterek" and one
// section per character; and the notes file of each character.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/CharacterFields.h"
#include "core/OrderDocument.h"
#include "store/IniFile.h"

namespace mv {

struct CharacterRecord {
  std::string number;
  std::string account;
  std::string password;
  std::string name;
  std::string description;
  std::string diet;
  DeliveryForm delivery = DeliveryForm::None;
  int raidCost = 10;
};

// The raid cost field's range; a stored text that is no number reads as the default.
inline constexpr int kMinRaidCost = 1;
inline constexpr int kMaxRaidCost = 100;
int RaidCostFromText(std::string_view text);

// A character number has at most four digits (its section name).
inline constexpr std::size_t kCharacterNumberDigits = 4;
bool IsValidCharacterNumberText(std::string_view text);

// A record as the "Adatok" fields hold it, and back.
CharacterFields FieldsOf(const CharacterRecord& record);
CharacterRecord RecordOf(const CharacterFields& fields, DeliveryForm delivery);

// "Küldési forma" values.
std::string_view DeliveryFormText(DeliveryForm form);
DeliveryForm DeliveryFormFromText(std::string_view text);  // anything unknown: None

// The character list item "Name (#2345)" and the key it stands for: the
// number between "(#" and the closing parenthesis.
std::string CharacterListItem(std::string_view name, std::string_view number);
std::string KeyOfListItem(std::string_view item);

class CharacterStore {
 public:
  explicit CharacterStore(IniFile& ini) : ini_(ini) {}

  // The list items, sorted by text.
  std::vector<std::string> ListItems() const;
  // Missing keys read as empty, a missing raid cost as 10.
  CharacterRecord Load(std::string_view key) const;
  // Index entry and section, keys in the file's order. False on a write error.
  bool Save(const CharacterRecord& record);
  bool Delete(std::string_view key);
  // True when the index lists the character.
  bool IsStored(std::string_view key) const;
  bool SetDefault(std::string_view key) { return ini_.Write("Karakterek", "Alapertelmezett", key); }
  bool SetLast(std::string_view key) { return ini_.Write("Karakterek", "Utolso", key); }
  // The key stored under "Utolso" or "Alapertelmezett" of the index.
  std::string Stored(std::string_view which) const { return ini_.Read("Karakterek", which); }

 private:
  IniFile& ini_;
};

// "Elérhető TVP": the TVP a stored character has, for each turn its own,
// kept as TVPKeret<turn>=<amount> in its section. What an older mv.ini kept
// for one turn (TVPKeret and TVPKeretFordulo) is read as that turn's budget.
std::optional<long long> ReadTvpBudget(const IniFile& ini, std::string_view key, std::string_view turn);
// An empty amount removes that turn's budget; the other turns' stay (an
// older pair is moved to its own turn's key on the way). Nothing is written
// for a turn that is no turn. False on a write error.
bool WriteTvpBudget(IniFile& ini, std::string_view key, std::string_view turn, std::string_view amount);
// The budget that applies to a sheet of that character and turn: only a
// stored character has one.
std::optional<long long> SheetBudget(IniFile& ini, std::string_view key, std::string_view turn);

// The character that start-up loads, as "Betolt" (in any case) says: the
// last used or the default one; empty for none.
std::string StartupCharacterKey(const IniFile& ini);

// A loaded character, as the window and mvulc both show it: its fields, and
// its delivery form in place of the sheet's.
void ShowCharacter(ShownCharacter& shown, OrderDocument& document, std::string_view key, const CharacterRecord& record);

// The notes file: character number + ".jzt", in the program directory;
// nothing for a number the "Karakterszám" field would not take (a hand-edited
// mv.ini must not name a file elsewhere).
std::optional<std::filesystem::path> NotesPath(const std::filesystem::path& dir, std::string_view number);

}  // namespace mv
