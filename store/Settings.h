// The settings of "mv.ini" and the rules by which they are read and written.
#pragma once

#include <filesystem>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/IniFile.h"

namespace mv {

enum class StartupCharacter { None, Default, Last };

// The game's order mailbox; the options dialog can change it.
inline constexpr const char* kDefaultRecipient = "ul@morvald.hu";

struct Settings {
  bool passwordMasked = false;                // Jelszo/Csillag
  bool previewBeforeSend = false;             // ULKuldes/ULMutat
  bool checkBeforeSend = true;                // ULKuldes/Ellenorzes: the question before a letter with errors
  std::string recipient = kDefaultRecipient;  // ULKuldes/E-mail
  bool tooltips = false;                      // Megjelenes/Gyorstipp
  bool hotTracking = false;                   // Megjelenes/Kovetes
  bool gridHover = false;                     // Megjelenes/ULKovetes
  bool completion = false;                    // Megjelenes/ULAutoParancs
  bool flatGrid = false;                      // Megjelenes/ULLapos
  // Nothing: keep what the grid has.
  std::optional<int> bandLength;                      // Megjelenes/Savok 1..5
  std::optional<std::int32_t> background1;            // Megjelenes/HatterSzin1 (second band)
  std::optional<std::int32_t> background2;            // Megjelenes/HatterSzin2 (first band)
  StartupCharacter startup = StartupCharacter::None;  // Karakterek/Betolt
  std::vector<std::string> searchPaths;               // KeresesiUtvonalak/utvonal1..
};

Settings ReadSettings(const IniFile& ini);
// Writes every key; false when the file could not be written.
bool WriteSettings(IniFile& ini, const Settings& settings);
// The same as changes, for one write with others: the file never holds half
// of the dialog's values.
std::vector<IniChange> SettingsChanges(const Settings& settings);

// The reading rules of single values.
std::optional<int> BandLengthFromText(const std::string& text);
std::optional<std::int32_t> ColourFromText(const std::string& text);
std::optional<StartupCharacter> StartupFromText(const std::string& text);
const char* StartupText(StartupCharacter startup);

// A search path as the list accepts it (trailing separator added), or
// nothing: "C:\x" style Windows paths and absolute paths on Linux.
std::optional<std::string> AcceptSearchPath(const std::string& path);

// Every folder the open dialog and the turn board search: the program
// directory first, then the search paths.
std::vector<std::filesystem::path> SheetFolders(const std::filesystem::path& programDir, const Settings& settings);
inline std::vector<std::filesystem::path> SheetFolders(const std::filesystem::path& programDir, const IniFile& ini) {
  return SheetFolders(programDir, ReadSettings(ini));
}

}  // namespace mv
