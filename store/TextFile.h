// Whole-file reads and all-or-nothing writes of the player's files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// Lines split at CR, LF and CR LF; a last line without an end mark counts.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it and renames it over
// the target, so the old file stays whole on any failure. Returns false on
// failure and leaves the target untouched. A file that is replaced keeps its
// permissions; a new one gets newFileMode (before the umask).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0644);

// Tests make writes fail as a full disk would: while a hook is set, every
// write whose target it accepts stops after half of its bytes.
using WriteFaultHook = bool (*)(const std::filesystem::path& target);
void SetWriteFaultHook(WriteFaultHook hook);

}  // namespace mv
