// Handlers of the commands about spells and psi.
#include "core/CommandHandlers.h"

namespace mv {

void RegisterSpellPsiCommands(HandlerTable& /*table*/) {}

}  // namespace mv
