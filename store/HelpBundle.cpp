#include "store/HelpBundle.h"

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "store/TextFile.h"

namespace mv {
namespace {

constexpr std::string_view kWrongVersion =
    "Hiba! Nem megfelelő verziójú HTML-HELP. A help funkció le lett tiltva. A HTML-HELP installációjáról részletes "
    "leírást talál az olvassel.txt fájlban. Ha nem kívánja használni a help-et törölje le az mv.chm fájlt."_w;
constexpr std::string_view kNoHelp =
    "Hiba! Nincs, vagy nem megfelelő verziójú HTML-HELP. A help funkció le lett tiltva. A HTML-HELP installációjáról "
    "részletes leírást talál az olvassel.txt fájlban. Ha nem kívánja használni a help-et törölje le az mv.chm fájlt."_w;

}  // namespace

HelpAvailability CheckHelp(const std::vector<std::filesystem::path>& candidates) {
  for (const auto& folder : candidates) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) continue;
    HelpAvailability out;
    const auto text = ReadWholeFile(folder / "mvhelp.ver");
    const auto lines = text ? SplitLines(*text) : std::vector<std::string>{};
    if (lines.empty() || !lines.front().starts_with("MVHELP ")) {
      out.message = std::string(kNoHelp);
      return out;
    }
    const auto version = ParseInteger(lines.front().substr(7));
    if (!version || *version < 2) {
      out.message = std::string(version ? kWrongVersion : kNoHelp);
      return out;
    }
    out.folder = folder;
    return out;
  }
  return {};
}

std::filesystem::path HelpTopicPath(const std::filesystem::path& folder, const std::string& topic) {
  return folder / (topic + ".htm");
}

}  // namespace mv
