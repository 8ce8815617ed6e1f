#include "turn/CurrentSheet.h"

#include "core/Cp1250.h"
#include "core/TextJoin.h"
#include "platform/Paths.h"

namespace mv {

TurnLook LookAtTurns(const std::filesystem::path& programDir, const std::vector<std::filesystem::path>& sheetFolders,
                     IniFile& ini, const ReferenceLists& lists, const TurnsToLook& more) {
  TurnLook look;
  // mv.ini as it is now, once for every character and budget.
  const IniFile::SteadyRead steady(ini);
  TurnOverview overview = ScanTurns(sheetFolders, ini, lists);
  const KeptLetters kept(programDir);
  const TurnContext context{lists, kept, ini};
  if (!kept.problem().empty())
    look.keptProblem = std::string("Az elküldött levelek mappája ("_w) + cp1250::FromUtf8(Utf8(kept.folder())) +
                       std::string(") nem olvasható: "_w) + kept.problem() +
                       std::string(". Ezért nem tudom, melyik UL ment el."_w);
  look.broken = std::move(overview.broken);
  look.ignored = std::move(overview.ignored);
  for (CharacterTurns& character : overview.characters) {
    const auto turn = character.CurrentTurn();
    TurnStatus status = turn ? StatusOf(character, *turn, context) : TurnStatus{};
    std::vector<TurnStatus> further;
    if (more)
      for (const long long t : more(character)) further.push_back(StatusOf(character, t, context));
    look.more.push_back(std::move(further));
    look.current.push_back({std::move(character), std::move(status)});
  }
  return look;
}

}  // namespace mv
