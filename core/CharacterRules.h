// Which characters may save and send a sheet: the rules the window's menus
// and mvulc share.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/CharacterFields.h"

namespace mv {

// The game's character numbers; below them the number is a placeholder.
inline constexpr std::int64_t kFirstCharacterNumber = 2000;
inline constexpr std::int64_t kLastCharacterNumber = 9999;

inline bool IsCharacterNumber(std::int64_t value) {
  return value >= kFirstCharacterNumber && value <= kLastCharacterNumber;
}

// The diets a character may choose (Windows-1250).
std::span<const std::string_view> DietNames();

// A character number field that names a real character (2000 or more).
bool IsNumberedCharacter(std::string_view numberText);
// "Ment" and "Ment másként": a numbered character.
bool CanSave(const CharacterFields& character);
// "Karakter mentés": a numbered character with a name.
bool CanStoreCharacter(const CharacterFields& character);
// A sheet is saved under its character's key, which only a stored or loaded
// character has.
bool HasCharacterKey(const ShownCharacter& character);
// The three letter deliveries: a numbered character with a password.
bool CanSend(const CharacterFields& character);

}  // namespace mv
