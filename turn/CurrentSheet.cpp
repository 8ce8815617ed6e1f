#include "turn/CurrentSheet.h"

#include <algorithm>

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

bool NeedsThePlayer(SheetState state) {
  switch (state) {
    case SheetState::Missing:
    case SheetState::Broken:
    case SheetState::Errors:
    case SheetState::Review:
    case SheetState::Changed:
    case SheetState::Unknown: return true;
    case SheetState::Sent:
    case SheetState::Uncertain:
    case SheetState::NotSent:
    case SheetState::Ready: return false;
  }
  return false;
}

NextStep StepFor(const CurrentSheet& sheet, long long newestTurn) {
  if (NeedsThePlayer(sheet.status.state)) return NextStep::Open;
  const auto turn = sheet.character.CurrentTurn();
  if (sheet.status.state == SheetState::Sent && turn && *turn < newestTurn) return NextStep::NextTurn;
  return NextStep::None;
}

std::optional<NextTask> NextNeedingThePlayer(const std::vector<CurrentSheet>& board, std::string_view afterKey) {
  const std::size_t n = board.size();
  long long newest = 0;
  for (const CurrentSheet& sheet : board) newest = std::max(newest, sheet.character.CurrentTurn().value_or(0));
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (board[i].character.key == afterKey) start = i + 1;
  for (std::size_t step = 0; step < n; ++step) {
    const std::size_t i = (start + step) % n;
    if (const NextStep todo = StepFor(board[i], newest); todo != NextStep::None) return NextTask{i, todo};
  }
  return std::nullopt;
}

}  // namespace mv
