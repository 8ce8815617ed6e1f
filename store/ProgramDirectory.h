// Where the settings, the lists and the sheets live.
#pragma once

#include <filesystem>

namespace mv {

// The directory of the running executable.
std::filesystem::path ExecutableDirectory();

// The executable's directory when it is writable (a portable folder);
// otherwise the per-user data directory ($XDG_DATA_HOME/mvul or
// ~/.local/share/mvul), created when missing.
std::filesystem::path ProgramDirectory();

}  // namespace mv
