// Handlers of the commands about combat behaviour, raids and legendary battles.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterCombatBehaviourCommands(HandlerTable& /*table*/) {}

}  // namespace mv
