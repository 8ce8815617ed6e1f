#include "core/CharacterRules.h"

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {

const std::vector<std::string_view>& DietNames() {
  static const std::vector<std::string_view> names{"Zöldvérű"_w,  "Rovarevő"_w, "Micinista"_w,
                                                   "Mágiafaló"_w, "Piromád"_w,  "Puhány"_w,
                                                   "Kőevő"_w,     "Tejivó"_w,   "Vegetáriánus"_w};
  return names;
}

bool IsNumberedCharacter(std::string_view numberText) { return IntOrZero(numberText) >= kFirstCharacterNumber; }

bool CanSave(const EditorModel& model) { return IsNumberedCharacter(model.character.number); }

bool CanStoreCharacter(const EditorModel& model) { return CanSave(model) && !model.character.name.empty(); }

bool HasCharacterKey(const EditorModel& model) { return !model.currentCharacterKey.empty(); }

bool CanSend(const EditorModel& model) { return CanSave(model) && !model.character.password.empty(); }

}  // namespace mv
