// The .ulf association on a freedesktop desktop (GNOME, KDE, Xfce, ...).
#include "store/FileAssociation.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "store/ProgramDirectory.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaults = "[Default Applications]";

std::vector<std::string> ReadLines(const fs::path& file) {
  const auto text = ReadWholeFile(file);
  return text ? SplitLines(*text) : std::vector<std::string>{};
}

std::string JoinUnix(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

bool WriteText(const fs::path& file, const std::string& text) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  return WriteFileAtomically(file, text);
}

// The value of our MIME type under [Default Applications], if any.
std::optional<std::string> DefaultFor(const std::vector<std::string>& lines) {
  bool inDefaults = false;
  const std::string key = std::string(FreedesktopAssociation::kMimeType) + "=";
  for (const std::string& l : lines) {
    if (!l.empty() && l[0] == '[')
      inDefaults = l == kDefaults;
    else if (inDefaults && l.starts_with(key))
      return l.substr(key.size());
  }
  return std::nullopt;
}

// Sets (or with nothing, removes) our MIME type's default.
std::vector<std::string> WithDefault(const std::vector<std::string>& lines, const std::optional<std::string>& value) {
  const std::string key = std::string(FreedesktopAssociation::kMimeType) + "=";
  std::vector<std::string> out;
  bool inDefaults = false;
  for (const std::string& l : lines) {
    if (!l.empty() && l[0] == '[') inDefaults = l == kDefaults;
    if (!(inDefaults && l.starts_with(key))) out.push_back(l);
  }
  if (!value) return out;
  const auto header = std::find(out.begin(), out.end(), std::string(kDefaults));
  if (header == out.end()) {
    out.push_back(kDefaults);
    out.push_back(key + *value);
  } else {
    out.insert(header + 1, key + *value);
  }
  return out;
}

// Runs a tool with one path argument, without a shell (paths may hold any
// character), its output discarded; a missing tool is fine.
void RunQuietly(const char* tool, const fs::path& argument) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string path = argument.string();
  char* const argv[] = {const_cast<char*>(tool), const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, tool, &actions, nullptr, argv, environ) == 0) ::waitpid(pid, nullptr, 0);
  posix_spawn_file_actions_destroy(&actions);
}

void RefreshDesktopDatabases(const fs::path& dataHome) {
  // Best effort: the desktop picks the files up anyway at its next scan.
  RunQuietly("update-mime-database", dataHome / "mime");
  RunQuietly("update-desktop-database", dataHome / "applications");
}

fs::path FromEnvironment(const char* variable, const char* fallbackUnderHome) {
  return UserDirectory(variable, fallbackUnderHome).value_or(fs::path("/tmp") / fallbackUnderHome);
}

}  // namespace

FreedesktopAssociation::FreedesktopAssociation(fs::path dataHome, fs::path configHome, fs::path executable)
    : dataHome_(std::move(dataHome)), configHome_(std::move(configHome)), executable_(std::move(executable)) {}

FreedesktopAssociation FreedesktopAssociation::ForCurrentUser(const fs::path& executable) {
  return FreedesktopAssociation(FromEnvironment("XDG_DATA_HOME", ".local/share"),
                                FromEnvironment("XDG_CONFIG_HOME", ".config"), executable);
}

std::string FreedesktopAssociation::ExecLine() const { return "Exec=\"" + executable_.string() + "\" %f"; }

bool FreedesktopAssociation::IsPresent() const {
  const auto entry = ReadLines(DesktopEntry());
  const bool ours = std::find(entry.begin(), entry.end(), ExecLine()) != entry.end();
  return ours && fs::exists(MimePackage()) && DefaultFor(ReadLines(MimeApps())) == std::string(kDesktopFile);
}

bool FreedesktopAssociation::Install() {
  const std::string package =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"" +
      std::string(kMimeType) +
      "\">\n"
      "    <comment>Utasitás Lap fájl</comment>\n"  // UTF-8, as freedesktop files are
      "    <glob pattern=\"*.ulf\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  const std::string entry =
      "[Desktop Entry]\nType=Application\nName=Vorlan MV UL készítő programja\n"  // UTF-8, as .desktop files are
      "GenericName=Megnyitás az UL szerkesztőben\nComment=Utasitás Lap fájl\n" +
      ExecLine() + "\nIcon=mvul\nMimeType=" + kMimeType + ";\nNoDisplay=true\nTerminal=false\n";
  const auto apps = ReadLines(MimeApps());
  const auto previous = DefaultFor(apps);
  if (previous && *previous != kDesktopFile && !WriteText(Backup(), *previous + "\n")) return false;
  const bool ok = WriteText(MimePackage(), package) && WriteText(DesktopEntry(), entry) &&
                  WriteText(MimeApps(), JoinUnix(WithDefault(apps, std::string(kDesktopFile))));
  if (ok) RefreshDesktopDatabases(dataHome_);
  return ok;
}

bool FreedesktopAssociation::Remove() {
  std::optional<std::string> previous;
  if (const auto backup = ReadLines(Backup()); !backup.empty() && !backup.front().empty()) previous = backup.front();
  bool ok = true;
  const auto apps = ReadLines(MimeApps());
  if (DefaultFor(apps) == std::string(kDesktopFile) || previous)
    ok = WriteText(MimeApps(), JoinUnix(WithDefault(apps, previous)));
  std::error_code ec;
  fs::remove(Backup(), ec);
  fs::remove(DesktopEntry(), ec);
  fs::remove(MimePackage(), ec);
  RefreshDesktopDatabases(dataHome_);
  return ok;
}

std::unique_ptr<FileAssociation> DesktopAssociation(const std::filesystem::path& executable) {
  return std::make_unique<FreedesktopAssociation>(FreedesktopAssociation::ForCurrentUser(executable));
}

}  // namespace mv
