#include "platform/Process.h"

#include <signal.h>

#include <cerrno>

namespace mv {

bool ProcessIsRunning(long long pid) {
  if (pid <= 0) return false;
  // EPERM: it runs, as another user.
  return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

}  // namespace mv
