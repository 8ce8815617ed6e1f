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

bool CanSave(const EditorModel& model) { return IsNumberedCharacter(model.character.number); }

bool CanStoreCharacter(const EditorModel& model) { return CanSave(model) && !model.character.name.empty(); }

bool HasCharacterKey(const EditorModel& model) { return !model.currentCharacterKey.empty(); }

bool CanSend(const EditorModel& model) { return CanSave(model) && !model.character.password.empty(); }

}  // namespace mv
