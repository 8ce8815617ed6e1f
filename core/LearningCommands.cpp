// Handlers of the commands about learning, transformation and activity points.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterLearningCommands(HandlerTable& /*table*/) {}

}  // namespace mv
