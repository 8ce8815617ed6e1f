#include "store/OrderTemplates.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "platform/Paths.h"
#include "store/SheetDocument.h"
#include "store/SheetFile.h"
#include "store/TextFile.h"

namespace mv {

namespace {

constexpr std::size_t kMaxNameLength = 80;

std::filesystem::path Folder(const std::filesystem::path& programDir) {
  return programDir / std::string(kTemplateFolder);
}

std::filesystem::path PathOf(const std::filesystem::path& programDir, std::string_view name) {
  return Folder(programDir) / PathFromUtf8(cp1250::ToUtf8(std::string(name) + std::string(kTemplateExtension)));
}

std::string Quoted(std::string_view name) { return "„"_w + std::string(name) + "”"_w; }

TemplateOutcome Failed(std::string why) { return {std::move(why)}; }

std::string ReasonOf(int error) { return " ("_w + WriteFailureReason(error) + ")"; }

}  // namespace

std::string TemplateNameProblem(std::string_view name) {
  if (name.empty()) return std::string("Adj nevet a sablonnak."_w);
  if (name.size() > kMaxNameLength)
    return "A sablon neve legfeljebb "_w + std::to_string(kMaxNameLength) + " betű lehet."_w;
  if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
    return std::string("A sablon neve nem kezdődhet és nem végződhet szóközzel, és nem végződhet ponttal."_w);
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return std::string("A sablon nevében nem lehet \\ / : * ? \" < > | jel."_w);
  // Names Windows keeps for its devices, with or without an extension.
  std::string stem = cp1250::Upper(name.substr(0, name.find('.')));
  static const std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  const bool numbered =
      stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' && stem[3] <= '9';
  if (numbered || std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices))
    return Quoted(name) + " nem lehet fájlnév. Válassz másik nevet."_w;
  return {};
}

std::string TemplateText(const std::vector<OrderRow>& rows) {
  std::vector<std::string> lines;
  for (const OrderRow& row : rows) lines.push_back(OrderLine(row));
  return JoinLines(lines);
}

std::vector<OrderRow> TemplateRows(std::string_view text) {
  std::vector<OrderRow> rows;
  for (const std::string& line : SplitLines(text)) {
    OrderRow row = OrderRowOfLine(line);
    if (row.blank()) continue;
    rows.push_back(std::move(row));
    if (rows.size() == OrderSheet::kRows) break;  // a block never holds more than a sheet
  }
  return rows;
}

std::vector<OrderTemplate> ListTemplates(const std::filesystem::path& programDir) {
  std::vector<OrderTemplate> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(Folder(programDir), ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (path.extension() != kTemplateExtension || !it->is_regular_file(ec)) continue;
    const BoundedRead bytes = ReadFileUpTo(path);
    if (!bytes.ok()) continue;
    std::vector<OrderRow> rows = TemplateRows(bytes.bytes);
    if (rows.empty()) continue;
    found.push_back({cp1250::FromUtf8(Utf8(path.stem())), path, std::move(rows)});
  }
  std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return cp1250::Lower(a.name) < cp1250::Lower(b.name); });
  return found;
}

bool TemplateExists(const std::filesystem::path& programDir, std::string_view name) {
  std::error_code ec;
  return std::filesystem::exists(PathOf(programDir, name), ec);
}

TemplateOutcome SaveTemplate(const std::filesystem::path& programDir, std::string_view name,
                             const std::vector<OrderRow>& rows, bool replace) {
  if (std::string problem = TemplateNameProblem(name); !problem.empty()) return Failed(problem);
  if (rows.empty()) return Failed(std::string("Jelölj ki legalább egy parancsot a sablonhoz."_w));
  std::error_code ec;
  std::filesystem::create_directories(Folder(programDir), ec);
  if (ec)
    return Failed("Nem sikerült létrehozni a sablonok mappáját: "_w + DisplayPath(Folder(programDir)) +
                  ReasonOf(ec.value()));
  const std::filesystem::path path = PathOf(programDir, name);
  if (!replace && TemplateExists(programDir, name)) return Failed("Már van "_w + Quoted(name) + " nevű sablon."_w);
  if (!WriteFileAtomically(path, TemplateText(rows)))
    return Failed("Nem sikerült menteni a sablont: "_w + DisplayPath(path) + ReasonOf(errno));
  return {};
}

TemplateOutcome RenameTemplate(const std::filesystem::path& programDir, std::string_view from, std::string_view to) {
  if (std::string problem = TemplateNameProblem(to); !problem.empty()) return Failed(problem);
  if (from == to) return {};
  // A name that differs only in case is the same file on Windows.
  if (cp1250::Lower(from) != cp1250::Lower(to) && TemplateExists(programDir, to))
    return Failed("Már van "_w + Quoted(to) + " nevű sablon."_w);
  std::error_code ec;
  const std::filesystem::path source = PathOf(programDir, from), target = PathOf(programDir, to);
  if (cp1250::Lower(from) == cp1250::Lower(to)) {
    // Only the case: some file systems keep the old spelling of a name
    // renamed onto itself, so the file goes through a name of its own.
    std::filesystem::path step = source;
    step += ".atnevezes";
    std::filesystem::rename(source, step, ec);
    if (!ec) {
      std::filesystem::rename(step, target, ec);
      std::error_code back;
      if (ec) std::filesystem::rename(step, source, back);  // the failure is what the player hears
    }
  } else {
    std::filesystem::rename(source, target, ec);
  }
  if (ec) return Failed("Nem sikerült átnevezni a sablont: "_w + Quoted(from) + ReasonOf(ec.value()));
  return {};
}

TemplateOutcome DeleteTemplate(const std::filesystem::path& programDir, std::string_view name) {
  std::error_code ec;
  if (!std::filesystem::remove(PathOf(programDir, name), ec) || ec)
    return Failed("Nem sikerült törölni a sablont: "_w + Quoted(name) + ReasonOf(ec ? ec.value() : ENOENT));
  return {};
}

}  // namespace mv
