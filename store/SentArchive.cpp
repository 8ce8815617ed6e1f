#include "store/SentArchive.h"

#include <unistd.h>

#include <regex>

#include "core/Cp1250.h"
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

}  // namespace

std::optional<std::filesystem::path> ArchiveSentLetter(const std::filesystem::path& programDir,
                                                       std::string_view character, std::string_view turn,
                                                       std::string_view letter, std::time_t when) {
  const std::filesystem::path folder = programDir / kSentFolder;
  CreatePrivateDirectory(folder);
  const std::string base = NamePart(character) + "-" + NamePart(turn) + "-" + FileNameTime(when);
  return WriteNewFile(folder, base, ".eul", letter, 0600);
}

std::optional<SentName> ReadSentName(std::string_view name, std::string_view character) {
  static const std::regex kName(R"((.*)-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})(?:-(\d+))?\.eul)");
  const std::string prefix = NamePart(character) + "-";
  if (!name.starts_with(prefix)) return std::nullopt;
  const std::string rest(name.substr(prefix.size()));
  std::smatch m;
  if (!std::regex_match(rest, m, kName)) return std::nullopt;
  SentName out;
  // Sortable: the time, then the number of a second send in that second.
  out.order = m[2].str() + m[3].str() + m[4].str() + m[5].str() + m[6].str() + m[7].str() +
              std::string(6 - std::min<std::size_t>(6, m[8].length()), '0') + m[8].str();
  out.record.turn = m[1].str();
  out.record.time.tm_year = std::stoi(m[2].str()) - 1900;
  out.record.time.tm_mon = std::stoi(m[3].str()) - 1;
  out.record.time.tm_mday = std::stoi(m[4].str());
  out.record.time.tm_hour = std::stoi(m[5].str());
  out.record.time.tm_min = std::stoi(m[6].str());
  out.record.time.tm_sec = std::stoi(m[7].str());
  return out;
}

std::optional<SentRecord> LastSent(const std::filesystem::path& programDir, std::string_view character) {
  std::optional<SentName> newest;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(programDir / kSentFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto sent = ReadSentName(it->path().filename().string(), character);
    if (sent && (!newest || sent->order > newest->order)) newest = sent;
  }
  if (!newest) return std::nullopt;
  return newest->record;
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
