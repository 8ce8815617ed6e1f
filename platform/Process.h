// Whether a process of this machine still runs: the leftovers of one that
// is gone may be cleaned away.
#pragma once

namespace mv {

bool ProcessIsRunning(long long pid);

}  // namespace mv
