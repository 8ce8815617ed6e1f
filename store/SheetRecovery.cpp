#include "store/SheetRecovery.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <random>

#include "platform/Clock.h"
#include "platform/FileStamp.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "store/SheetFile.h"

namespace mv {
namespace {

constexpr std::string_view kPrefix = ".mvul-helyreallitas-";
constexpr std::string_view kDataSuffix = ".ulr";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kSetAsideSuffix = ".hibas";
// Copies before the sheet file's stamp was kept have the old header; they
// restore unnamed.
constexpr std::string_view kOldHeader = "MVUL-HELYREALLITAS";
constexpr std::string_view kHeader = "MVUL-HELYREALLITAS-2";

// The sheet file as the copy found it: size and modification time.
std::string StampOf(const std::string& sheetFileName) {
  const FileStamp stamp = sheetFileName.empty() ? FileStamp{} : mv::StampOf(PathFromUtf8(sheetFileName));
  if (stamp.size < 0) return "-";
  return std::to_string(stamp.size) + " " + std::to_string(stamp.seconds) + "." + std::to_string(stamp.nanoseconds);
}

// The sheet's bytes after the header, the file-name line and the stamp line.
struct Parts {
  std::string sheetFileName;
  std::string stamp;  // empty in an old copy
  std::string_view sheet;
};

std::optional<std::string_view> TakeLine(std::string_view& content) {
  const auto end = content.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view line = content.substr(0, end);
  content.remove_prefix(end + 2);
  return line;
}

std::optional<Parts> Split(std::string_view content) {
  const auto header = TakeLine(content);
  if (!header || (*header != kHeader && *header != kOldHeader)) return std::nullopt;
  Parts parts;
  const auto name = TakeLine(content);
  if (!name) return std::nullopt;
  parts.sheetFileName = std::string(*name);
  if (*header == kHeader) {
    const auto stamp = TakeLine(content);
    if (!stamp) return std::nullopt;
    parts.stamp = std::string(*stamp);
  }
  parts.sheet = content;
  return parts;
}

std::string CopyTime(const std::filesystem::path& file) {
  const FileStamp stamp = mv::StampOf(file);
  if (stamp.size < 0) return {};
  const std::tm local = LocalTime(std::time_t(stamp.seconds));
  char text[32];
  std::strftime(text, sizeof text, "%Y.%m.%d. %H:%M", &local);
  return text;
}

std::string Describe(const Parts& parts, const std::filesystem::path& copy) {
  std::string what;
  if (!parts.sheetFileName.empty()) {
    what = DisplayPath(parts.sheetFileName);
  } else {
    SheetContent sheet;
    ReadSheet(parts.sheet, "", sheet);
    what = sheet.characterKey + "-" + sheet.fields.turn;
  }
  const std::string time = CopyTime(copy);
  return time.empty() ? what : what + ", " + time;
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ea, eb;
  const auto ca = std::filesystem::weakly_canonical(a, ea), cb = std::filesystem::weakly_canonical(b, eb);
  return !ea && !eb && ca == cb;
}

// The stored name is trusted only when it is a sheet in a sheet folder that
// nobody changed since the copy was written.
bool MayKeepName(const Parts& parts, const std::vector<std::filesystem::path>& folders) {
  if (parts.sheetFileName.empty() || parts.stamp.empty() || parts.stamp == "-") return false;
  const std::filesystem::path file(parts.sheetFileName);
  std::string extension = Utf8(file.extension());
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".ulf" || !file.is_absolute()) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)) &&
      !std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
    return false;
  const bool inFolder = std::any_of(folders.begin(), folders.end(), [&](const std::filesystem::path& folder) {
    return SameFolder(file.parent_path(), folder);
  });
  return inFolder && StampOf(parts.sheetFileName) == parts.stamp;
}

void SetAside(RecoveredSheet& sheet, std::vector<std::filesystem::path>& setAside) {
  std::filesystem::path aside = sheet.file;
  aside += std::string(kSetAsideSuffix);
  std::error_code ec;
  std::filesystem::rename(sheet.file, aside, ec);
  setAside.push_back(ec ? sheet.file : aside);
  if (!ec) std::filesystem::remove(sheet.lockFile, ec);
  sheet.lock = FileLock();
}

}  // namespace

SheetRecovery::SheetRecovery(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::random_device seed;
  for (int attempt = 0; attempt < 20 && !lock_.held(); ++attempt) {
    const std::string id = std::to_string(CurrentProcessId()) + "-" + std::to_string(seed() % 1000000);
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

Orphans SheetRecovery::ClaimOrphans() const {
  Orphans out;
  std::vector<std::pair<std::filesystem::file_time_type, RecoveredSheet>> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = Utf8(it->path().filename());
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
    BoundedRead content = ReadFileUpTo(sheet.file);
    const auto parts = content.ok() ? Split(content.bytes) : std::nullopt;
    if (!parts) {
      // Perhaps still someone's work: kept where the player can look at it.
      SetAside(sheet, out.setAside);
      continue;
    }
    sheet.description = Describe(*parts, sheet.file);
    sheet.content = std::move(content.bytes);
    found.emplace_back(std::filesystem::last_write_time(sheet.file, e), std::move(sheet));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (auto& f : found) out.sheets.push_back(std::move(f.second));
  return out;
}

bool SheetRecovery::Update(const OrderDocument& document, const std::string& characterKey) {
  if (!document.modified()) {
    Discard();
    return true;
  }
  if (!lock_.held()) {
    errno = ENOLCK;
    return false;
  }
  const std::string content = std::string(kHeader) + "\r\n" + document.fileName() + "\r\n" +
                              StampOf(document.fileName()) + "\r\n" + WriteSheet(document.Content(characterKey));
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
                                   const std::vector<std::filesystem::path>& sheetFolders,
                                   const CharacterLoader& loadCharacter) {
  const auto parts = Split(sheet.content);
  if (!parts) return {FileOutcome::Status::Failed, UnreadableSheetMessage(sheet.description)};
  const SheetReadResult read = FillFromFile(editor, parts->sheet, sheet.description, loadCharacter);
  if (!read.ok) return {FileOutcome::Status::Failed, read.error};
  editor.Loaded(SheetEditor::Origin::Recovered,
                MayKeepName(*parts, sheetFolders) ? parts->sheetFileName : std::string());
  return {FileOutcome::Status::Done, {}};
}

void SheetRecovery::Forget(RecoveredSheet& sheet) {
  std::error_code ec;
  std::filesystem::remove(sheet.file, ec);
  std::filesystem::remove(sheet.lockFile, ec);
  sheet.lock = FileLock();
}

}  // namespace mv
