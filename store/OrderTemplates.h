// Blocks of orders kept for use again ("Sablonok"): sablonok/<name>.uls in
// the program directory, one order line per row as the sheet file writes
// them, Windows-1250 with CR LF. A block belongs to no character and no turn.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/OrderSheet.h"

namespace mv {

inline constexpr std::string_view kTemplateFolder = "sablonok";
inline constexpr std::string_view kTemplateExtension = ".uls";

struct OrderTemplate {
  std::string name;  // Windows-1250, the file's name without .uls
  std::filesystem::path path;
  std::vector<OrderRow> rows;
};

// Why a name cannot be a block's file name (Windows-1250); empty when it can.
// The same on every system, so a program directory can move between them.
std::string TemplateNameProblem(std::string_view name);

std::string TemplateText(const std::vector<OrderRow>& rows);
// The rows of a block file; blank lines are passed over.
std::vector<OrderRow> TemplateRows(std::string_view text);

// Every readable block, by name.
std::vector<OrderTemplate> ListTemplates(const std::filesystem::path& programDir);

struct TemplateOutcome {
  std::string error;  // Windows-1250 for the player; empty on success
  bool ok() const { return error.empty(); }
};
// Written whole or not at all; replace: an existing block of that name is
// replaced (the player said so), otherwise it is refused.
TemplateOutcome SaveTemplate(const std::filesystem::path& programDir, std::string_view name,
                             const std::vector<OrderRow>& rows, bool replace);
TemplateOutcome RenameTemplate(const std::filesystem::path& programDir, std::string_view from, std::string_view to);
TemplateOutcome DeleteTemplate(const std::filesystem::path& programDir, std::string_view name);
bool TemplateExists(const std::filesystem::path& programDir, std::string_view name);

}  // namespace mv
