#include "store/Settings.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {
namespace {

bool On(const IniFile& ini, const char* section, const char* key) { return ini.Read(section, key) == "1"; }
const char* Flag(bool on) { return on ? "1" : "0"; }

// "C:\..." paths end in "\", the others in "/".
std::string WithTrailingSeparator(std::string path) {
  const char separator = path.size() >= 2 && path[1] == ':' ? '\\' : '/';
  if (path.back() != separator) path += separator;
  return path;
}

}  // namespace

std::optional<int> BandLengthFromText(const std::string& text) {
  const auto n = ParseInteger(text);
  if (!n || *n < 1 || *n > 5) return std::nullopt;
  return *n;
}

std::optional<std::int32_t> ColourFromText(const std::string& text) {
  const auto n = ParseInteger(text);
  if (!n || *n < -29 || *n > 0x2FFFFFF) return std::nullopt;
  return *n;
}

std::optional<StartupCharacter> StartupFromText(const std::string& text) {
  const std::string upper = cp1250::Upper(text);
  if (upper == "ALAPERTELMEZETT") return StartupCharacter::Default;
  if (upper == "UTOLSO") return StartupCharacter::Last;
  if (upper == "SEMMI") return StartupCharacter::None;
  return std::nullopt;
}

const char* StartupText(StartupCharacter startup) {
  switch (startup) {
    case StartupCharacter::Default: return "Alapertelmezett";
    case StartupCharacter::Last: return "Utolso";
    case StartupCharacter::None: break;
  }
  return "Semmi";
}

std::optional<std::string> AcceptSearchPath(const std::string& path) {
  const bool windows =
      path.size() >= 2 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
  const bool absolute = !path.empty() && path[0] == '/';
  if (!windows && !absolute) return std::nullopt;
  return WithTrailingSeparator(path);
}

Settings ReadSettings(const IniFile& ini) {
  const IniFile::SteadyRead steady(ini);
  Settings s;
  s.passwordMasked = On(ini, "Jelszo", "Csillag");
  s.previewBeforeSend = On(ini, "ULKuldes", "ULMutat");
  s.checkBeforeSend = ini.Read("ULKuldes", "Ellenorzes") != "0";  // on when missing
  if (const std::string to = ini.Read("ULKuldes", "E-mail"); !to.empty()) s.recipient = to;
  s.tooltips = On(ini, "Megjelenes", "Gyorstipp");
  s.hotTracking = On(ini, "Megjelenes", "Kovetes");
  s.gridHover = On(ini, "Megjelenes", "ULKovetes");
  s.completion = On(ini, "Megjelenes", "ULAutoParancs");
  s.flatGrid = On(ini, "Megjelenes", "ULLapos");
  s.bandLength = BandLengthFromText(ini.Read("Megjelenes", "Savok"));
  s.background1 = ColourFromText(ini.Read("Megjelenes", "HatterSzin1"));
  s.background2 = ColourFromText(ini.Read("Megjelenes", "HatterSzin2"));
  // Only the two named choices load a character; anything else is none.
  const auto startup = StartupFromText(ini.Read("Karakterek", "Betolt"));
  s.startup = startup.value_or(StartupCharacter::None);
  // One walk of the section, however many folders it lists: "utvonalN" goes
  // to place N (the first of equal keys, as a read finds it), and the list
  // ends at the first gap, so no N beyond the number of entries counts.
  std::vector<std::pair<std::size_t, std::string_view>> numbered;
  ini.ForEachEntry("KeresesiUtvonalak", [&](std::string_view key, std::string_view value) {
    constexpr std::string_view kPrefix = "UTVONAL";
    if (key.size() <= kPrefix.size() || cp1250::Upper(key.substr(0, kPrefix.size())) != kPrefix) return;
    const std::string_view digits = key.substr(kPrefix.size());
    if (IsDecimalDigits(digits) && digits[0] != '0' && digits.size() <= 9)
      numbered.emplace_back(std::stoul(std::string(digits)), value);
  });
  std::vector<std::optional<std::string_view>> byNumber(numbered.size());
  for (const auto& [n, value] : numbered)
    if (n <= byNumber.size() && !byNumber[n - 1]) byNumber[n - 1] = value;
  for (const auto& path : byNumber) {
    if (!path || path->empty()) break;
    s.searchPaths.push_back(WithTrailingSeparator(std::string(*path)));
  }
  return s;
}

bool WriteSettings(IniFile& ini, const Settings& s) { return ini.Apply(SettingsChanges(s)); }

std::vector<IniChange> SettingsChanges(const Settings& s) {
  std::vector<IniChange> changes;
  auto write = [&](const char* section, const std::string& key, const std::string& value) {
    changes.push_back(IniChange::Set(section, key, value));
  };
  write("Jelszo", "Csillag", Flag(s.passwordMasked));
  write("Megjelenes", "Gyorstipp", Flag(s.tooltips));
  write("Megjelenes", "Kovetes", Flag(s.hotTracking));
  write("Megjelenes", "ULKovetes", Flag(s.gridHover));
  write("Megjelenes", "ULAutoParancs", Flag(s.completion));
  write("Megjelenes", "ULLapos", Flag(s.flatGrid));
  if (s.background1) write("Megjelenes", "HatterSzin1", std::to_string(*s.background1));
  if (s.background2) write("Megjelenes", "HatterSzin2", std::to_string(*s.background2));
  write("Megjelenes", "Savok", std::to_string(s.bandLength.value_or(1)));
  write("ULKuldes", "ULMutat", Flag(s.previewBeforeSend));
  write("ULKuldes", "Ellenorzes", Flag(s.checkBeforeSend));
  write("Karakterek", "Betolt", StartupText(s.startup));
  write("ULKuldes", "E-mail", s.recipient);
  changes.push_back(IniChange::EraseSection("KeresesiUtvonalak"));
  for (std::size_t i = 0; i < s.searchPaths.size(); ++i)
    write("KeresesiUtvonalak", "utvonal" + std::to_string(i + 1), s.searchPaths[i]);
  return changes;
}

std::vector<std::filesystem::path> SheetFolders(const std::filesystem::path& programDir, const Settings& settings) {
  std::vector<std::filesystem::path> folders{programDir};
  for (const std::string& path : settings.searchPaths) folders.emplace_back(cp1250::ToUtf8(path));
  return folders;
}

}  // namespace mv
