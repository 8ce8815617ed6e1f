#include "platform/Hardening.h"

#include <windows.h>

namespace mv {

void KeepSecretsOutOfDumps() {
  // No error reporting dialog that offers to send a memory dump of a crash.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

}  // namespace mv
