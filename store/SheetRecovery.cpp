#include "store/SheetRecovery.h"

#include <unistd.h>

#include <algorithm>
#include <random>

#include "store/SheetFile.h"

namespace mv {
namespace {

constexpr std::string_view kPrefix = ".mvul-helyreallitas-";
constexpr std::string_view kDataSuffix = ".ulr";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kHeader = "MVUL-HELYREALLITAS";

// The sheet's bytes after the header and the file-name line.
struct Parts {
  std::string sheetFileName;
  std::string_view sheet;
};

std::optional<Parts> Split(std::string_view content) {
  const std::string header = std::string(kHeader) + "\r\n";
  if (!content.starts_with(header)) return std::nullopt;
  content.remove_prefix(header.size());
  const auto end = content.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  return Parts{std::string(content.substr(0, end)), content.substr(end + 2)};
}

std::string Describe(const Parts& parts) {
  if (!parts.sheetFileName.empty()) return DisplayPath(std::filesystem::path(parts.sheetFileName).filename());
  EditorModel model;
  const SheetReadResult read = ReadSheet(parts.sheet, "", model);
  return read.characterKey + "-" + model.fields.turn;
}

}  // namespace

SheetRecovery::SheetRecovery(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::random_device seed;
  for (int attempt = 0; attempt < 20 && !lock_.held(); ++attempt) {
    const std::string id = std::to_string(::getpid()) + "-" + std::to_string(seed() % 1000000);
    const std::filesystem::path lockFile = dir_ / (std::string(kPrefix) + id + std::string(kLockSuffix));
    std::error_code ec;
    if (std::filesystem::exists(lockFile, ec)) continue;
    lock_ = FileLock::TryExclusive(lockFile);
    lockFile_ = lockFile;
    file_ = dir_ / (std::string(kPrefix) + id + std::string(kDataSuffix));
  }
}

SheetRecovery::~SheetRecovery() {
  std::error_code ec;
  // A copy that exists must stay findable; its lock file goes with the lock.
  if (lock_.held() && !std::filesystem::exists(file_, ec)) std::filesystem::remove(lockFile_, ec);
}

std::vector<RecoveredSheet> SheetRecovery::ClaimOrphans() const {
  std::vector<std::pair<std::filesystem::file_time_type, RecoveredSheet>> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(kPrefix) || it->path() == lockFile_ || it->path() == file_) continue;
    std::error_code e;
    if (name.ends_with(kLockSuffix)) {
      // The lock of a program that ended without a copy to keep.
      const std::filesystem::path data =
          it->path().parent_path() / (name.substr(0, name.size() - kLockSuffix.size()) + std::string(kDataSuffix));
      if (!std::filesystem::exists(data, e) && FileLock::TryExclusive(it->path()).held())
        std::filesystem::remove(it->path(), e);
      continue;
    }
    if (!name.ends_with(kDataSuffix)) continue;
    RecoveredSheet sheet;
    sheet.file = it->path();
    sheet.lockFile =
        it->path().parent_path() / (name.substr(0, name.size() - kDataSuffix.size()) + std::string(kLockSuffix));
    sheet.lock = FileLock::TryExclusive(sheet.lockFile);
    if (!sheet.lock.held()) continue;  // its program still runs
    const auto content = ReadWholeFile(sheet.file);
    const auto parts = content ? Split(*content) : std::nullopt;
    if (!parts) {
      // Not ours to restore, but no one's to keep either.
      Forget(sheet);
      continue;
    }
    sheet.content = *content;
    sheet.description = Describe(*parts);
    found.emplace_back(std::filesystem::last_write_time(sheet.file, e), std::move(sheet));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveredSheet> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

bool SheetRecovery::Update(const EditorModel& model) {
  if (!model.sheetModified) {
    Discard();
    return true;
  }
  if (!lock_.held()) return false;
  const std::string content = std::string(kHeader) + "\r\n" + model.sheetFileName + "\r\n" + WriteSheet(model);
  if (content == written_) return true;
  if (!WriteFileAtomically(file_, content, 0600)) return false;
  written_ = content;
  return true;
}

void SheetRecovery::Discard() {
  if (written_.empty()) return;
  std::error_code ec;
  std::filesystem::remove(file_, ec);
  written_.clear();
}

FileOutcome SheetRecovery::Restore(SheetEditor& editor, const RecoveredSheet& sheet,
                                   const CharacterLoader& loadCharacter) {
  const auto parts = Split(sheet.content);
  if (!parts) return {FileOutcome::Status::Failed, UnreadableSheetMessage(sheet.description)};
  editor.NewSheet();
  EditorModel& model = editor.model();
  const SheetReadResult read = ReadSheet(parts->sheet, sheet.description, model);
  if (!read.ok) return {FileOutcome::Status::Failed, read.error};
  if (read.characterKey != model.currentCharacterKey && loadCharacter) loadCharacter(read.characterKey);
  model.sheetFileName = parts->sheetFileName;
  model.sheet.RenumberRows(1);
  model.currentRow = 1;
  model.sheetModified = true;
  model.history.Reset(model.sheet, false);
  return {FileOutcome::Status::Done, {}};
}

void SheetRecovery::Forget(RecoveredSheet& sheet) {
  std::error_code ec;
  std::filesystem::remove(sheet.file, ec);
  std::filesystem::remove(sheet.lockFile, ec);
  sheet.lock = FileLock();
}

}  // namespace mv
