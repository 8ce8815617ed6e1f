// Handlers of the commands about character actions and settings.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterCharacterCommands(HandlerTable& /*table*/) {}

}  // namespace mv
