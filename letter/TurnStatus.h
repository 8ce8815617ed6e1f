// A player's whole turn: every character's sheets found in the sheet
// folders, and the state of a character's sheet of a turn, derived from the
// files at each look (the sheet, the previous turn's sheet, the newest kept
// letter, mv.ini's budget), never stored.
#pragma once

#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataList.h"
#include "store/IniFile.h"
#include "store/SentArchive.h"

namespace mv {

// In order of precedence: the first that applies is the state.
enum class SheetState { Missing, Broken, Sent, Uncertain, Changed, Errors, Review, Ready };

// "missing", "broken", ... as mvulc's JSON names them.
std::string_view StateKey(SheetState state);

// The sheets of one character, by turn.
struct CharacterTurns {
  std::string key;   // the character number
  std::string name;  // Windows-1250; the stored name, else the list's
  bool stored = false;
  bool canSend = false;  // stored, numbered, with a password
  std::map<long long, std::filesystem::path> sheets;
  // The highest turn with a sheet.
  std::optional<long long> CurrentTurn() const;
};

struct TurnOverview {
  std::vector<CharacterTurns> characters;     // by number
  std::vector<std::filesystem::path> broken;  // unreadable, the name tells no turn
  std::vector<std::string> ignored;           // file names: no valid turn or character
  const CharacterTurns* Find(std::string_view key) const;
};

// Every stored character and every character key with sheets in the folders
// (the program directory first, as the open dialog searches them).
TurnOverview ScanTurns(const std::vector<std::filesystem::path>& sheetFolders, IniFile& ini,
                       const ReferenceLists& lists);

struct TurnStatus {
  SheetState state = SheetState::Missing;
  long long turn = 0;
  std::filesystem::path sheet;  // empty when missing
  int errors = 0;               // the whole-sheet check's errors
  std::string tvpTotal;         // as the in-order loop gives it; "" when missing or broken
  std::optional<long long> tvpBudget;
  bool variableCost = false;    // a row costs "vált"
  std::optional<std::tm> sent;  // the newest kept letter of that turn
};

// What a state needs besides the overview: the names, the kept letters
// (read once) and mv.ini (the characters and their budgets).
struct TurnContext {
  const ReferenceLists& lists;
  const KeptLetters& kept;
  IniFile& ini;
};

TurnStatus StatusOf(const CharacterTurns& character, long long turn, const TurnContext& context);

// The state as the board shows it (Windows-1250): "elküldve 12.08. 06:49",
// "küldés óta módosult, 2 hiba", "N hiba", "nem küldhető" added when the
// character cannot send.
std::string StateText(const TurnStatus& status, bool canSend);

// What "Összes elküldése" offers for a character's current sheet: ticked
// (ready), unticked with a note (sent before and changed since; the same
// as the turn before), or not sent, with the reason (Windows-1250).
struct SendOffer {
  enum class Kind { Ticked, Unticked, NotSent };
  Kind kind = Kind::NotSent;
  std::string note;
};
SendOffer OfferOf(const TurnStatus& status, bool canSend);

}  // namespace mv
