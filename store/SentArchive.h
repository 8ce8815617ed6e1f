// What was sent is kept: after a delivered send, the letter's exact bytes go
// to elkuldve/ in the program directory, one file per send, never replaced.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

inline constexpr std::string_view kSentFolder = "elkuldve";

// elkuldve/<character>-<turn>-<YYYYMMDD-HHMMSS>.eul (local time), "-2" and
// so on when that name is taken; the file 0600, the folder 0700. Nothing on
// failure.
std::optional<std::filesystem::path> ArchiveSentLetter(const std::filesystem::path& programDir,
                                                       std::string_view character, std::string_view turn,
                                                       std::string_view letter, std::time_t when);

struct SentRecord {
  std::string turn;
  std::tm time{};  // local time, from the file name
};

// A kept letter's file name read for a character: its turn and time, and a
// key that sorts sends by time (and by the number of a second send in that
// second). Nothing for another character's or a foreign file.
struct SentName {
  SentRecord record;
  std::string order;
};
std::optional<SentName> ReadSentName(std::string_view name, std::string_view character);

// The newest send of a character, by the time in the file names.
std::optional<SentRecord> LastSent(const std::filesystem::path& programDir, std::string_view character);

// Said after a delivery whose copy could not be written (Windows-1250).
std::string SentCopyNotKeptMessage();

// "Utoljára elküldve: 17. forduló, 2026.12.07. 15:58" (Windows-1250).
std::string LastSentText(const SentRecord& record);

}  // namespace mv
