// What a crash leaves behind holds no password: called first thing by both
// programs, before any password is read.
#pragma once

namespace mv {

// No core dump of this process, and none of its memory for others to read.
void KeepSecretsOutOfDumps();

}  // namespace mv
