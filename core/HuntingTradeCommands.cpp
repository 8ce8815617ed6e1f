// Handlers of the commands about hunting, shopping and gathering.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterHuntingTradeCommands(HandlerTable& /*table*/) {}

}  // namespace mv
