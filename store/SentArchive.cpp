#include "store/SentArchive.h"
#include "platform/Paths.h"

#include <unistd.h>

#include <algorithm>
#include <tuple>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "platform/Process.h"
#include "store/ProgramDirectory.h"
#include "store/TextFile.h"

namespace mv {
namespace {

// A field becomes part of a file name: no folders, no control characters.
std::string NamePart(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '/' || static_cast<unsigned char>(c) < 32 || c == 127) c = '_';
  return out.empty() ? "_" : out;
}

constexpr std::string_view kUnconfirmedMark = "-bizonytalan";

}  // namespace

std::optional<std::filesystem::path> ArchiveSentLetter(const std::filesystem::path& programDir,
                                                       std::string_view character, std::string_view turn,
                                                       std::string_view letter, std::time_t when, bool unconfirmed) {
  const std::filesystem::path folder = programDir / kSentFolder;
  CreatePrivateDirectory(folder);
  const std::string base = NamePart(character) + "-" + NamePart(turn) + "-" + FileNameTime(when) +
                           (unconfirmed ? std::string(kUnconfirmedMark) : std::string());
  return WriteNewFile(folder, base, ".eul", letter, 0600);
}

namespace {

// "<character>-<turn>-<YYYYMMDD>-<HHMMSS>[-bizonytalan]" with the number of a
// second send in that second (maybe empty).
std::optional<SentName> ReadSentStem(std::string_view rest, std::string_view number) {
  SentName out;
  if (rest.ends_with(kUnconfirmedMark)) {
    out.unconfirmed = true;
    rest.remove_suffix(kUnconfirmedMark.size());
  }
  if (rest.size() < 16 || rest[rest.size() - 16] != '-' || rest[rest.size() - 7] != '-') return std::nullopt;
  const std::string_view date = rest.substr(rest.size() - 15, 8), time = rest.substr(rest.size() - 6, 6);
  if (!IsDecimalDigits(date) || !IsDecimalDigits(time)) return std::nullopt;
  // The turn may hold a dash, the character does not.
  const std::string_view head = rest.substr(0, rest.size() - 16);
  const auto dash = head.find('-');
  if (dash == std::string_view::npos || dash == 0) return std::nullopt;
  out.character = std::string(head.substr(0, dash));
  out.record.turn = std::string(head.substr(dash + 1));
  const auto num = [](std::string_view digits) { return std::stoi(std::string(digits)); };
  out.record.time.tm_year = num(date.substr(0, 4)) - 1900;
  out.record.time.tm_mon = num(date.substr(4, 2)) - 1;
  out.record.time.tm_mday = num(date.substr(6, 2));
  out.record.time.tm_hour = num(time.substr(0, 2));
  out.record.time.tm_min = num(time.substr(2, 2));
  out.record.time.tm_sec = num(time.substr(4, 2));
  // Sortable: the time, then the number of a second send in that second.
  out.order = std::string(date) + std::string(time) + std::string(6 - number.size(), '0') + std::string(number);
  return out;
}

}  // namespace

std::optional<SentName> ReadSentName(std::string_view name) {
  if (!name.ends_with(".eul")) return std::nullopt;
  const std::string_view rest = name.substr(0, name.size() - 4);
  if (auto plain = ReadSentStem(rest, {})) return plain;
  const auto dash = rest.rfind('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::string_view number = rest.substr(dash + 1);
  if (!IsDecimalDigits(number) || number.size() > 6) return std::nullopt;
  return ReadSentStem(rest.substr(0, dash), number);
}

std::optional<SentName> ReadSentName(std::string_view name, std::string_view character) {
  const std::string prefix = NamePart(character) + "-";
  if (!name.starts_with(prefix)) return std::nullopt;
  auto sent = ReadSentName(name);
  // The character's part ends at its first dash; a longer one is another's.
  if (!sent || sent->character + "-" != prefix) return std::nullopt;
  return sent;
}

std::optional<SentRecord> LastSent(const std::filesystem::path& programDir, std::string_view character) {
  std::optional<SentName> newest;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(programDir / kSentFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto sent = ReadSentName(Utf8(it->path().filename()), character);
    if (sent && !sent->unconfirmed && (!newest || sent->order > newest->order)) newest = sent;
  }
  if (!newest) return std::nullopt;
  return newest->record;
}

KeptLetters::KeptLetters(const std::filesystem::path& programDir) : folder_(programDir / kSentFolder) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder_, ec);
  if (ec && ec != std::errc::no_such_file_or_directory) problem_ = ReadFailureReason(ec);
  for (std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    // A FIFO or a device named like a letter is no letter.
    if (!it->is_regular_file(kind)) continue;
    if (auto sent = ReadSentName(Utf8(it->path().filename()))) letters_.push_back({std::move(*sent), it->path()});
  }
  if (ec && problem_.empty() && ec != std::errc::no_such_file_or_directory) problem_ = ReadFailureReason(ec);
  std::sort(letters_.begin(), letters_.end(), [](const KeptLetter& a, const KeptLetter& b) {
    return std::tie(a.name.character, a.name.record.turn, b.name.order) <
           std::tie(b.name.character, b.name.record.turn, a.name.order);
  });
}

std::span<const KeptLetter> KeptLetters::Of(std::string_view character, std::string_view turn) const {
  using Key = std::pair<std::string_view, std::string_view>;
  const auto keyOf = [](const KeptLetter& k) { return Key(k.name.character, k.name.record.turn); };
  const Key key(character, turn);
  const auto first = std::lower_bound(letters_.begin(), letters_.end(), key,
                                      [&](const KeptLetter& k, const Key& wanted) { return keyOf(k) < wanted; });
  const auto last = std::upper_bound(first, letters_.end(), key,
                                     [&](const Key& wanted, const KeptLetter& k) { return wanted < keyOf(k); });
  return {first, last};
}

const KeptLetter* KeptLetters::Newest(std::string_view character, std::string_view turn) const {
  const auto letters = Of(character, turn);
  return letters.empty() ? nullptr : &letters.front();
}

std::optional<long long> KeptLetters::NewestTurnOf(std::string_view character) const {
  std::optional<long long> newest;
  for (const KeptLetter& letter : letters_) {
    if (letter.name.character != character) continue;
    const auto turn = ParseInteger(letter.name.record.turn);
    if (turn && IsDecimalDigits(letter.name.record.turn) && (!newest || *turn > *newest)) newest = *turn;
  }
  return newest;
}

void CleanSentFolder(const std::filesystem::path& programDir) {
  const std::filesystem::path folder = programDir / kSentFolder;
  RemoveStaleTemporaryFiles(folder);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = Utf8(it->path().filename());
    constexpr std::string_view kOld = ".kuldes-", kTmp = ".tmp";
    if (!name.starts_with(kOld) || !name.ends_with(kTmp)) continue;
    const std::string pid = name.substr(kOld.size(), name.size() - kOld.size() - kTmp.size());
    std::error_code kind;
    if (!IsDecimalDigits(pid) || pid.size() > 12 || !it->is_regular_file(kind)) continue;
    if (!ProcessIsRunning(std::stoll(pid))) std::filesystem::remove(it->path(), kind);
  }
}

std::string SentCopyNotKeptMessage() {
  return std::string("Figyelem: az UL elment, de a másolatát nem sikerült megőrizni az elkuldve mappában."_w);
}

std::string LastSentText(const SentRecord& r) {
  char when[32];
  std::strftime(when, sizeof when, "%Y.%m.%d. %H:%M", &r.time);
  return std::string("Utoljára elküldve: "_w) + r.turn + std::string(". forduló, "_w) + when;
}

}  // namespace mv
