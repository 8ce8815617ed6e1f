// Handlers of the commands about the combat program.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterCombatProgramCommands(HandlerTable& /*table*/) {}

}  // namespace mv
