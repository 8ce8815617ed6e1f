// Handlers of the commands about servants and alliances.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterServantAllianceCommands(HandlerTable& /*table*/) {}

}  // namespace mv
