// Handlers of the commands about items, trade with the trader and the auction.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterItemCommands(HandlerTable& /*table*/) {}

}  // namespace mv
