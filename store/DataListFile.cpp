#include "store/DataListFile.h"

#include <charconv>

#include "core/Cp1250.h"
#include "store/TextFile.h"

namespace mv {

namespace {
// Separate constants: clang 14 cannot fold these literals inside the table.
constexpr std::string_view kCharacters = "Karakterek"_w;
constexpr std::string_view kMonsters = "Szörnyek"_w;
constexpr std::string_view kItems = "Tárgyak"_w;
constexpr std::string_view kRandomItemsTitle = "Random Tárgyak"_w;
constexpr std::string_view kRandomItemsChoice = "Random tárgyak"_w;
constexpr std::string_view kSpells = "Varázslatok"_w;
constexpr std::string_view kAlliances = "Szövetségek"_w;
constexpr std::string_view kPotions = "Varázsitalok"_w;
}  // namespace

namespace {
bool Placeable(const std::optional<DataLine>& entry, int firstNumber);
}

const std::vector<DataListFile>& DataListFiles() {
  static const std::vector<DataListFile> files = {
      {"galetkik.dat", kCharacters, kCharacters, &ReferenceLists::characters},
      {"szornyek.dat", kMonsters, kMonsters, &ReferenceLists::monsters},
      {"targyak.dat", kItems, kItems, &ReferenceLists::items},
      {"rtargyak.dat", kRandomItemsTitle, kRandomItemsChoice, &ReferenceLists::randomItems},
      {"varazsl.dat", kSpells, kSpells, &ReferenceLists::spells},
      {"szovets.dat", kAlliances, kAlliances, &ReferenceLists::alliances},
      {kPotionFile, kPotions, kPotions, nullptr},
  };
  return files;
}

std::optional<DataLine> ParseDataLine(std::string_view line) {
  if (line.size() < 2) return std::nullopt;
  std::size_t i = line.find_first_not_of(' ');
  if (i == std::string_view::npos) return std::nullopt;
  const std::size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == digits || i >= line.size() || line[i] != ' ') return std::nullopt;
  std::int32_t number = 0;
  const auto parsed = std::from_chars(line.data() + digits, line.data() + i, number);
  if (parsed.ec != std::errc()) return std::nullopt;  // too big for an integer
  const std::size_t nameStart = line.find_first_not_of(' ', i);
  if (nameStart == std::string_view::npos) return std::nullopt;
  const std::size_t nameEnd = line.find_last_not_of(' ');
  return DataLine{number, std::string(line.substr(nameStart, nameEnd - nameStart + 1))};
}

bool LoadDataList(const std::filesystem::path& file, DataList& list) {
  const auto text = ReadWholeFile(file);
  if (!text) return false;
  LoadDataListText(*text, list);
  return true;
}

void LoadDataListText(std::string_view text, DataList& list) {
  for (const std::string& line : SplitLines(text)) {
    const auto entry = ParseDataLine(line);
    if (!Placeable(entry, list.firstNumber)) continue;
    const long long index = entry->number - list.firstNumber;
    if (index >= (long long)list.names.size()) list.names.resize(std::size_t(index + 1));
    list.names[std::size_t(index)] = entry->name;
  }
}

bool WriteDataList(const std::filesystem::path& file, const DataList& list) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < list.names.size(); ++i)
    if (!list.names[i].empty()) lines.push_back(std::to_string(list.firstNumber + (long long)i) + " " + list.names[i]);
  return WriteFileAtomically(file, JoinLines(lines));
}

namespace {

bool Placeable(const std::optional<DataLine>& entry, int firstNumber) {
  if (!entry) return false;
  const long long index = entry->number - firstNumber;
  return index >= 0 && index < kMaxListSpan;
}

}  // namespace

std::string SortedDataListText(std::string_view text, int firstNumber) {
  DataList list{firstNumber, {}};
  LoadDataListText(text, list);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < list.names.size(); ++i)
    if (!list.names[i].empty()) lines.push_back(std::to_string(list.firstNumber + (long long)i) + " " + list.names[i]);
  for (const std::string& line : SplitLines(text))
    if (!Placeable(ParseDataLine(line), firstNumber) && line.find_first_not_of(" \t") != std::string::npos)
      lines.push_back(line);
  return JoinLines(lines);
}

namespace {

// Cut to the highest named number, as after a fresh load.
void Trim(DataList& list) {
  while (!list.names.empty() && list.names.back().empty()) list.names.pop_back();
}

bool LoadPotions(const std::filesystem::path& dir, std::vector<std::string>& potions) {
  potions.clear();
  std::error_code ec;
  if (!std::filesystem::exists(dir / kPotionFile, ec)) return true;
  const auto text = ReadWholeFile(dir / kPotionFile);
  if (!text) return false;
  potions = SplitLines(*text);
  return true;
}

// A missing file is fine; one that exists but cannot be read is not.
bool LoadIfPresent(const std::filesystem::path& file, DataList& list) {
  std::error_code ec;
  return !std::filesystem::exists(file, ec) || LoadDataList(file, list);
}

}  // namespace

void LoadReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists) {
  for (const DataListFile& f : DataListFiles()) {
    if (!f.list) continue;
    DataList& list = lists.*f.list;
    LoadDataList(dir / f.file, list);
    Trim(list);
  }
  LoadPotions(dir, lists.potions);
}

bool UpdateReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists) {
  for (const DataListFile& f : DataListFiles())
    if (f.list && !LoadIfPresent(dir / f.file, lists.*f.list)) return false;
  return LoadPotions(dir, lists.potions);
}

bool SortReferenceLists(const std::filesystem::path& dir, ReferenceLists& lists) {
  // The order in which the files are read and written back.
  static const std::string_view kOrder[] = {"galetkik.dat", "szovets.dat", "szornyek.dat",
                                            "varazsl.dat",  "targyak.dat", "rtargyak.dat"};
  for (const DataListFile& f : DataListFiles())
    if (f.list) (lists.*f.list).names.clear();
  auto fileOf = [](std::string_view name) {
    for (const DataListFile& f : DataListFiles())
      if (f.file == name) return f;
    return DataListFiles().front();
  };
  std::vector<std::optional<std::string>> texts;
  for (std::string_view name : kOrder) {
    std::error_code ec;
    texts.emplace_back();
    if (!std::filesystem::exists(dir / name, ec)) continue;  // nothing to sort
    texts.back() = ReadWholeFile(dir / name);
    if (!texts.back()) return false;
    LoadDataListText(*texts.back(), lists.*fileOf(name).list);
  }
  for (std::size_t i = 0; i < std::size(kOrder); ++i) {
    if (!texts[i]) continue;
    DataList& list = lists.*fileOf(kOrder[i]).list;
    if (!WriteFileAtomically(dir / kOrder[i], SortedDataListText(*texts[i], list.firstNumber))) return false;
  }
  return LoadPotions(dir, lists.potions);
}

}  // namespace mv
