#include "turn/NextTurnFile.h"

#include <algorithm>
#include <cerrno>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "platform/Paths.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

namespace {

std::string ExistsMessage(const fs::path& path) {
  return std::string("Már van UL erre a fordulóra, nem írom felül: "_w) + cp1250::FromUtf8(Utf8(path));
}

}  // namespace

std::vector<fs::path> NextTurnFolders(std::vector<fs::path> searchFolders, const fs::path& sheet) {
  if (!sheet.empty()) searchFolders.push_back(fs::absolute(sheet).parent_path());
  return searchFolders;
}

std::optional<fs::path> ExistingSheet(const std::vector<fs::path>& folders, std::string_view characterKey,
                                      std::string_view turn) {
  const SheetScan scan = ScanSheetFolders(folders, true);
  const auto found = std::find_if(scan.sheets.begin(), scan.sheets.end(),
                                  [&](const FoundSheet& s) { return s.key == characterKey && s.turn == turn; });
  if (found == scan.sheets.end()) return std::nullopt;
  return found->path;
}

NextTurnWrite WriteNextTurnSheet(const SheetContent& next, std::string_view number, const fs::path& folder,
                                 const std::vector<fs::path>& folders) {
  NextTurnWrite out;
  if (const auto existing = ExistingSheet(folders, next.characterKey, next.fields.turn)) {
    out.error = ExistsMessage(*existing);
    return out;
  }
  const std::string base = std::string(number) + "-" + next.fields.turn;
  out.written = WriteNewFile(folder, base, ".ulf", WriteSheet(next), 0644, 1);
  if (out.written) return out;
  const int error = errno;
  const fs::path target = folder / (base + ".ulf");
  std::error_code ec;
  out.error = fs::exists(target, ec) ? ExistsMessage(target)
                                     : WriteFailedMessage("Nem sikerült elmenteni az UL-t ide: "_w, target, error);
  return out;
}

}  // namespace mv
