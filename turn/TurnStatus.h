// A player's whole turn: every character's sheets found in the sheet
// folders, and the state of a character's sheet of a turn, derived from the
// files at each look (the sheet, the turns around it, the kept letters,
// mv.ini's budget), never stored.
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
enum class SheetState {
  Missing,    // no sheet of that turn
  Broken,     // the sheet cannot be read
  Unknown,    // the kept letters that would tell cannot be read
  Sent,       // its letter was delivered
  Uncertain,  // its letter went out whole, the server never confirmed it
  Changed,    // changed since its letter went
  NotSent,    // never sent, and a later turn exists: history, not a task
  Errors,     // the check finds errors
  Review,     // the same orders as the turn before
  Ready,
};

// "missing", "broken", "unknown", ... as mvulc's JSON names them.
std::string_view StateKey(SheetState state);

// The sheets of one character, by turn.
struct CharacterTurns {
  std::string key;   // the character number
  std::string name;  // Windows-1250; the stored name, else the list's
  bool stored = false;
  bool canSend = false;  // stored, numbered, with a password
  // Why it cannot send (Windows-1250): "nincs karakterszám", "nincs
  // jelszó"; empty when it can.
  std::string cannotSend;
  int raidCost = 10;
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
// (the program directory first, as the open dialog searches them); mv.ini
// is read once.
TurnOverview ScanTurns(const std::vector<std::filesystem::path>& sheetFolders, IniFile& ini,
                       const ReferenceLists& lists);

// One character's sheets in the folders, placed as the board places them.
CharacterTurns SheetsOf(const std::vector<std::filesystem::path>& sheetFolders, std::string_view key);
// The newest turn a character has a sheet or a kept letter of.
std::optional<long long> NewestTurnOf(const std::filesystem::path& programDir,
                                      const std::vector<std::filesystem::path>& sheetFolders, std::string_view key);

struct TurnStatus {
  SheetState state = SheetState::Missing;
  long long turn = 0;
  std::filesystem::path sheet;  // empty when missing
  int errors = 0;               // the whole-sheet check's errors
  std::string tvpTotal;         // as the in-order loop gives it; "" when missing or broken
  std::optional<long long> tvpBudget;
  bool variableCost = false;    // a row costs "vált"
  std::optional<std::tm> sent;  // the kept letter's time, for Sent, Uncertain and Changed
  std::string unknownWhy;       // Windows-1250, for Unknown: what could not be read
};

// What a state needs besides the overview: the names, the kept letters
// (read once) and mv.ini (the budgets).
struct TurnContext {
  const ReferenceLists& lists;
  const KeptLetters& kept;
  IniFile& ini;
};

TurnStatus StatusOf(const CharacterTurns& character, long long turn, const TurnContext& context);

// What the kept letters say of a character's orders for a turn: the newest
// kept letter of that character and turn that carries its number.
struct KeptMatch {
  enum class Kind { None, Same, Changed, Unreadable };
  Kind kind = Kind::None;
  const KeptLetter* letter = nullptr;  // for Same and Changed
  std::string why;                     // Windows-1250, for Unreadable
};
// orders: OrdersOf the sheet's letter.
KeptMatch MatchKept(const KeptLetters& kept, std::string_view character, std::string_view turn,
                    const std::vector<std::string>& orders);

// "12.08. 06:49": a kept letter's time as the board and the questions say it.
std::string SentWhen(const std::tm& when);

// The state as the board shows it (Windows-1250): "elküldve 12.08. 06:49",
// "küldés óta módosult, 2 hiba", "N hiba", "nem küldhető" added when the
// character cannot send.
std::string StateText(const TurnStatus& status, bool canSend);

// What "Összes elküldése" offers for a character's current sheet: ticked
// (ready), unticked with a note (sent before and changed since; the same
// as the turn before; not known whether it went), or not sent, with the
// reason: "nincs jelszó", "2 hiba", "már elküldve" ... (Windows-1250).
struct SendOffer {
  enum class Kind { Ticked, Unticked, NotSent };
  Kind kind = Kind::NotSent;
  std::string note;
};
SendOffer OfferOf(const TurnStatus& status, const CharacterTurns& character);

}  // namespace mv
