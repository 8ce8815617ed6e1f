#include "store/ProgramDirectory.h"

#include "platform/Paths.h"
#include "platform/Places.h"
#include "platform/Process.h"
#include "store/TextFile.h"

namespace mv {

std::optional<std::filesystem::path> UserDirectory(const char* variable, const char* underHome) {
  if (const auto value = Environment(variable); value && PathFromUtf8(*value).is_absolute())
    return PathFromUtf8(*value);
  if (const auto home = Environment("HOME"); home && !home->empty()) return PathFromUtf8(*home) / underHome;
  return std::nullopt;
}

std::filesystem::path InstalledDataDirectory() {
  std::error_code ec;
  const auto share = ExecutableDirectory().parent_path() / "share" / "mvul";
  return std::filesystem::is_directory(share, ec) ? share : std::filesystem::path();
}

std::filesystem::path ProgramDirectory() {
  // An explicit choice first (a second set of characters, the tests).
  if (const auto dir = Environment("MVUL_DIR"); dir && PathFromUtf8(*dir).is_absolute()) return PathFromUtf8(*dir);
  // A portable folder: the program beside its files, not an installed copy.
  const auto exeDir = ExecutableDirectory();
  if (InstalledDataDirectory().empty() && IsWritableFolder(exeDir)) return exeDir;

  const auto userData = PerUserDataDirectory();
  if (!userData) return exeDir;
  return *userData / "mvul";
}

void CreatePrivateDirectory(const std::filesystem::path& dir) {
  std::error_code ec;
  if (dir.empty() || std::filesystem::exists(dir, ec)) return;
  if (dir.has_parent_path() && dir.parent_path() != dir) CreatePrivateDirectory(dir.parent_path());
  // It will hold mv.ini and letters, both with the game password; so do the
  // folders made on the way to it, whatever the umask says.
  MakePrivateDirectory(dir);
}

std::filesystem::path ShippedListsDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = ExecutableDirectory();
  for (const auto& candidate : {exe / "lists", exe.parent_path() / "share" / "mvul" / "lists"})
    if (std::filesystem::is_directory(candidate, ec)) return candidate;
  return {};
}

void PrepareProgramDirectory(const std::filesystem::path& dir, const std::filesystem::path& shippedLists) {
  CreatePrivateDirectory(dir);
  std::error_code ec;
  // Once per directory: a list the player deleted later stays deleted.
  const std::filesystem::path marker = dir / kSeededMarker;
  if (shippedLists.empty() || std::filesystem::exists(marker, ec)) return;
  for (const auto& entry : std::filesystem::directory_iterator(shippedLists, ec)) {
    const auto target = dir / entry.path().filename();
    if (!std::filesystem::exists(target, ec)) std::filesystem::copy_file(entry.path(), target, ec);
  }
  WriteFileAtomically(marker, "", 0600);
}

}  // namespace mv
