// This process and the others of this machine: the leftovers of one that
// is gone may be cleaned away.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace mv {

bool ProcessIsRunning(long long pid);
long long CurrentProcessId();

// The command line's arguments as UTF-8 (Windows hands them over as UTF-16).
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// An environment variable as UTF-8; nothing when it is not set.
std::optional<std::string> Environment(const char* name);
// Standard output takes bytes as they are (no line-end translation), and a
// console shows UTF-8.
void PrepareStandardOutput();
// Ctrl-C, a console's close and SIGTERM set the flag instead of ending the process.
void StopOnRequest(std::atomic<bool>& stop);

}  // namespace mv
