#include "core/CharacterRules.h"

#include "core/IntegerText.h"

namespace mv {

bool IsNumberedCharacter(std::string_view numberText) { return IntOrZero(numberText) >= kFirstCharacterNumber; }

bool CanSave(const EditorModel& model) { return IsNumberedCharacter(model.character.number); }

bool CanSend(const EditorModel& model) { return CanSave(model) && !model.character.password.empty(); }

}  // namespace mv
