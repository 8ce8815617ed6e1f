// What was sent is kept: after a delivered send, the letter's exact bytes go
// to elkuldve/ in the program directory, one file per send, never replaced.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

inline constexpr std::string_view kSentFolder = "elkuldve";

// elkuldve/<character>-<turn>-<YYYYMMDD-HHMMSS>.eul (local time), "-2" and
// so on when that name is taken; the file 0600, the folder 0700. Nothing on
// failure. A letter that went out whole without the server's answer
// (unconfirmed) is kept as ...-<time>-bizonytalan.eul.
std::optional<std::filesystem::path> ArchiveSentLetter(const std::filesystem::path& programDir,
                                                       std::string_view character, std::string_view turn,
                                                       std::string_view letter, std::time_t when,
                                                       bool unconfirmed = false);

struct SentRecord {
  std::string turn;
  std::tm time{};  // local time, from the file name
};

// A kept letter's file name read: its character, turn and time, whether the
// delivery was confirmed, and a key that sorts sends by time (and by the
// number of a second send in that second). Nothing for a foreign file.
struct SentName {
  std::string character;
  SentRecord record;
  std::string order;
  bool unconfirmed = false;
};
std::optional<SentName> ReadSentName(std::string_view name);
// The same, only for the kept letters of one character.
std::optional<SentName> ReadSentName(std::string_view name, std::string_view character);

// The newest confirmed send of a character, by the time in the file names.
std::optional<SentRecord> LastSent(const std::filesystem::path& programDir, std::string_view character);

// The kept letters of every character and turn, confirmed or not, from one
// look at elkuldve/; only regular files count.
struct KeptLetter {
  SentName name;
  std::filesystem::path path;
};
class KeptLetters {
 public:
  explicit KeptLetters(const std::filesystem::path& programDir);
  // Every kept letter of a character's turn, the newest first.
  std::span<const KeptLetter> Of(std::string_view character, std::string_view turn) const;
  const KeptLetter* Newest(std::string_view character, std::string_view turn) const;
  // The highest turn a character has a kept letter of.
  std::optional<long long> NewestTurnOf(std::string_view character) const;
  // Why elkuldve/ could not be looked at (Windows-1250): "nincs olvasási
  // jogom", ...; empty when it could, or when there is none.
  const std::string& problem() const { return problem_; }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::vector<KeptLetter> letters_;  // by character, then turn, the newest first
  std::filesystem::path folder_;
  std::string problem_;
};

// At start: the leftovers of killed writes in elkuldve/, and the
// temporary letters (".kuldes-PID.tmp", they hold the password) an earlier
// version left when its process ended mid-send.
void CleanSentFolder(const std::filesystem::path& programDir);

// Said after a delivery whose copy could not be written (Windows-1250).
std::string SentCopyNotKeptMessage();

// "Utoljára elküldve: 17. forduló, 2026.12.07. 15:58" (Windows-1250).
std::string LastSentText(const SentRecord& record);

}  // namespace mv
