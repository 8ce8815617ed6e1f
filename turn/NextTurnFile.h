// "UL a következő fordulóra" as files: a sheet of turn N+1 that is already
// there is the player's work and is found wherever it lies, and the sheet
// written for the next turn never replaces a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/OrderDocument.h"

namespace mv {

// Where a sheet of the next turn is looked for: the search folders, and the
// folder of the sheet it is made from (none for an unsaved sheet).
std::vector<std::filesystem::path> NextTurnFolders(std::vector<std::filesystem::path> searchFolders,
                                                   const std::filesystem::path& sheet);

// A sheet of that character and turn in the folders, if there is one.
std::optional<std::filesystem::path> ExistingSheet(const std::vector<std::filesystem::path>& folders,
                                                   std::string_view characterKey, std::string_view turn);

struct NextTurnWrite {
  std::optional<std::filesystem::path> written;
  std::string error;  // Windows-1250, when nothing was written
};
// Writes `next` as "<number>-<turn>.ulf" into `folder`, unless a sheet of
// that turn is found in `folders` or the name is taken.
NextTurnWrite WriteNextTurnSheet(const SheetContent& next, std::string_view number, const std::filesystem::path& folder,
                                 const std::vector<std::filesystem::path>& folders);

}  // namespace mv
