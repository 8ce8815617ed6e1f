// Handlers of the commands about the bottomless sack and waste.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterSackWasteCommands(HandlerTable& /*table*/) {}

}  // namespace mv
