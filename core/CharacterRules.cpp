#include "core/CharacterRules.h"

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {

namespace {
constexpr std::string_view kDietNames[] = {"Zöldvérű"_w, "Rovarevő"_w, "Micinista"_w, "Mágiafaló"_w,   "Piromád"_w,
                                           "Puhány"_w,   "Kőevő"_w,    "Tejivó"_w,    "Vegetáriánus"_w};
}  // namespace

std::span<const std::string_view> DietNames() { return kDietNames; }

bool IsNumberedCharacter(std::string_view numberText) { return IntOrZero(numberText) >= kFirstCharacterNumber; }

bool CanSave(const CharacterFields& character) { return IsNumberedCharacter(character.number); }

bool CanStoreCharacter(const CharacterFields& character) { return CanSave(character) && !character.name.empty(); }

bool HasCharacterKey(const ShownCharacter& character) { return !character.key.empty(); }

bool CanSend(const CharacterFields& character) { return CanSave(character) && !character.password.empty(); }

}  // namespace mv
