// The character of the "Adatok" tab.
#pragma once

#include <string>

#include "core/SheetFields.h"

namespace mv {

// The TVP of a raid when nothing else is known.
inline constexpr int kDefaultRaidCost = 10;

struct CharacterFields {
  std::string number = "0000";  // EditKar
  std::string account = "10000";
  std::string password;
  std::string name;
  std::string description;          // EditKarLeiras
  std::string diet;                 // ComboBox1
  int raidCost = kDefaultRaidCost;  // RxSpinEdit1, TVP of a raid
  bool operator==(const CharacterFields&) const = default;
};

// The character shown: its fields, the key it was loaded or stored under
// (empty for none) and its stored delivery form, which "Új" gives a sheet.
struct ShownCharacter {
  CharacterFields fields;
  std::string key;
  DeliveryForm deliveryForm = DeliveryForm::None;
};

}  // namespace mv
