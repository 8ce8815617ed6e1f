// Where the settings, the lists and the sheets live.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/Places.h"  // ExecutableDirectory

namespace mv {

// $variable when it holds an absolute path, else $HOME/underHome; nothing
// without either ("XDG_DATA_HOME", ".local/share").
std::optional<std::filesystem::path> UserDirectory(const char* variable, const char* underHome);

// $MVUL_DIR when set; else the executable's directory when it is writable
// and not an installed copy (a portable folder); otherwise the per-user data
// directory ($XDG_DATA_HOME/mvul or ~/.local/share/mvul; on Windows the
// program keeps its files beside itself). Nothing is made:
// mvulc only reads there.
std::filesystem::path ProgramDirectory();

// <prefix>/share/mvul of an installed copy, or empty.
std::filesystem::path InstalledDataDirectory();

// Creates a missing folder readable by its owner only (its parents as usual).
void CreatePrivateDirectory(const std::filesystem::path& dir);

// The default reference lists shipped with the program: "lists" beside the
// executable (a build or portable copy) or in the installed data folder.
std::filesystem::path ShippedListsDirectory();

// The window's start in a directory: created when missing (private), and
// given the shipped lists it lacks, once per directory.
inline constexpr const char* kSeededMarker = ".mvul-alaplistak";
void PrepareProgramDirectory(const std::filesystem::path& dir, const std::filesystem::path& shippedLists);

}  // namespace mv
