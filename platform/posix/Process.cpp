#include "platform/Process.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace mv {

bool ProcessIsRunning(long long pid) {
  if (pid <= 0) return false;
  // EPERM: it runs, as another user.
  return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

long long CurrentProcessId() { return ::getpid(); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

void PrepareStandardOutput() {}

namespace {
std::atomic<bool>* stopFlag = nullptr;
void SetStop(int) {
  if (stopFlag) *stopFlag = true;
}
}  // namespace

void StopOnRequest(std::atomic<bool>& stop) {
  static_assert(std::atomic<bool>::is_always_lock_free);
  stopFlag = &stop;
  struct sigaction action {};
  action.sa_handler = SetStop;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace mv
