// Where the program and the player's files are.
#pragma once

#include <filesystem>
#include <optional>

namespace mv {

// The folder of the program file.
std::filesystem::path ExecutableDirectory();
// The per-user data folder of the desktop ($XDG_DATA_HOME, or ~/.local/share);
// nothing where the program keeps its files beside itself (Windows).
std::optional<std::filesystem::path> PerUserDataDirectory();
bool IsWritableFolder(const std::filesystem::path& dir);
// A folder only this user may enter; false when it could not be made.
bool MakePrivateDirectory(const std::filesystem::path& dir);

}  // namespace mv
