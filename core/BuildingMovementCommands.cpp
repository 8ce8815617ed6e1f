// Handlers of the commands about buildings, entering, movement and adventures.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterBuildingMovementCommands(HandlerTable& /*table*/) {}

}  // namespace mv
