// One look at a whole turn: every character with the state of its current
// sheet (the highest turn), and whatever turns more a front end asks for,
// from one reading of mv.ini, of elkuldve/ and of the sheet folders.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataList.h"
#include "store/IniFile.h"
#include "turn/TurnStatus.h"

namespace mv {

// A character's current sheet as the board shows it.
struct CurrentSheet {
  CharacterTurns character;
  TurnStatus status;  // Missing when it has no sheet
};

struct TurnLook {
  std::vector<CurrentSheet> current;          // one per character, by number
  std::vector<std::vector<TurnStatus>> more;  // per character: the further turns asked for, in order
  std::vector<std::filesystem::path> broken;  // unreadable, the name tells no turn
  std::vector<std::string> ignored;           // file names: no valid turn or character
  // Said once (Windows-1250): elkuldve/ could not be read, and why; empty
  // when it could.
  std::string keptProblem;
};

// The further turns to look at for a character (the board's columns).
using TurnsToLook = std::function<std::vector<long long>(const CharacterTurns&)>;

// The states a player still has work with: no sheet, an unreadable one,
// errors, the same orders as the turn before, changed since sent, not known
// whether it went.
bool NeedsThePlayer(SheetState state);

// What Ctrl+N does with a character's current sheet.
enum class NextStep {
  None,      // nothing to do
  Open,      // the sheet (or, without one, an empty sheet for the character)
  NextTurn,  // its sheet went, and the others are a turn further: the next turn's sheet is due
};
// newestTurn: the highest current turn on the board.
NextStep StepFor(const CurrentSheet& sheet, long long newestTurn);

// Ctrl+N: the next character after `afterKey` (the first when empty or not
// on the board) with something to do, in board order and around, and what
// to do; nothing when none has.
struct NextTask {
  std::size_t index = 0;  // in the board
  NextStep step = NextStep::None;
};
std::optional<NextTask> NextNeedingThePlayer(const std::vector<CurrentSheet>& board, std::string_view afterKey);

TurnLook LookAtTurns(const std::filesystem::path& programDir, const std::vector<std::filesystem::path>& sheetFolders,
                     IniFile& ini, const ReferenceLists& lists, const TurnsToLook& more = {});

}  // namespace mv
