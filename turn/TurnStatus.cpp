#include "turn/TurnStatus.h"

#include <algorithm>
#include <unordered_set>

#include "core/CharacterRules.h"
#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/SheetCheck.h"
#include "core/TextJoin.h"
#include "core/TvpLeft.h"
#include "letter/OrderLetter.h"
#include "platform/Paths.h"
#include "store/CharacterStore.h"
#include "store/SheetFile.h"
#include "store/SheetScan.h"
#include "store/TextFile.h"

namespace mv {
namespace fs = std::filesystem;

namespace {

// "<character>-<turn>.ulf": the name a sheet is saved under by default.
std::optional<std::pair<std::string, long long>> PlacedByName(const fs::path& path) {
  std::string stem = Utf8(path.stem());
  if (cp1250::Lower(Utf8(path.extension())) != ".ulf") return std::nullopt;
  const auto dash = stem.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const std::string key = stem.substr(0, dash);
  const auto turn = ValidTurn(stem.substr(dash + 1));
  if (!IsValidCharacterNumberText(key) || !turn) return std::nullopt;
  return std::pair(key, *turn);
}

// Of two sheets of one character and turn, the one named
// "<character>-<turn>.ulf", else the most recently modified.
bool Prefer(const fs::path& candidate, const fs::path& held, const std::string& key, long long turn) {
  const std::string own = key + "-" + std::to_string(turn) + ".ulf";
  if ((held.filename() == own) != (candidate.filename() == own)) return candidate.filename() == own;
  std::error_code a, b;
  return fs::last_write_time(candidate, a) > fs::last_write_time(held, b);
}

CharacterTurns& Entry(std::map<std::string, CharacterTurns>& byKey, const std::string& key) {
  CharacterTurns& c = byKey[key];
  c.key = key;
  return c;
}

void Place(CharacterTurns& character, long long turn, const fs::path& path) {
  auto [at, fresh] = character.sheets.emplace(turn, path);
  if (!fresh && Prefer(path, at->second, character.key, turn)) at->second = path;
}

// Every sheet of the scan under its character and turn; what tells neither
// is listed apart.
void PlaceSheets(const SheetScan& scan, std::map<std::string, CharacterTurns>& byKey, TurnOverview& out) {
  for (const FoundSheet& found : scan.sheets) {
    const auto turn = ValidTurn(found.turn);
    if (!turn || !IsValidCharacterNumberText(found.key)) {
      out.ignored.push_back(found.name);
      continue;
    }
    Place(Entry(byKey, found.key), *turn, found.path);
  }
  // A sheet that cannot be read keeps its place when its name tells it.
  for (const fs::path& path : scan.unreadableSheets) {
    if (const auto placed = PlacedByName(path))
      Place(Entry(byKey, placed->first), placed->second, path);
    else
      out.broken.push_back(path);
  }
}

std::string CannotSendWhy(const CharacterFields& fields) {
  if (!IsNumberedCharacter(fields.number)) return std::string("nincs karakterszám"_w);
  if (fields.password.empty()) return std::string("nincs jelszó"_w);
  return {};
}

// The order rows as a letter carries them: code and parameters, no costs.
std::vector<OrderRow> OrderRows(const OrderSheet& sheet) {
  std::vector<OrderRow> rows;
  for (int r = 1; r <= OrderSheet::kRows; ++r) {
    OrderRow row = sheet.Row(r);
    row.tvp.clear();
    row.kno.clear();
    rows.push_back(std::move(row));
  }
  return rows;
}

// The orders of a sheet as its letter would carry them, whoever sends it.
std::vector<std::string> SheetOrders(const SheetContent& sheet) {
  return OrdersOf(BuildOrderLetter(sheet.sheet, sheet.fields, CharacterFields{}));
}

}  // namespace

std::string_view StateKey(SheetState state) {
  switch (state) {
    case SheetState::Missing: return "missing";
    case SheetState::Broken: return "broken";
    case SheetState::Unknown: return "unknown";
    case SheetState::Sent: return "sent";
    case SheetState::Uncertain: return "uncertain";
    case SheetState::Changed: return "changed";
    case SheetState::NotSent: return "not_sent";
    case SheetState::Errors: return "errors";
    case SheetState::Review: return "review";
    case SheetState::Ready: break;
  }
  return "ready";
}

std::optional<long long> CharacterTurns::CurrentTurn() const {
  if (sheets.empty()) return std::nullopt;
  return sheets.rbegin()->first;
}

const CharacterTurns* TurnOverview::Find(std::string_view key) const {
  const auto at =
      std::lower_bound(characters.begin(), characters.end(), key, [](const CharacterTurns& c, std::string_view wanted) {
        return c.key.size() != wanted.size() ? c.key.size() < wanted.size() : c.key < wanted;
      });
  return at != characters.end() && at->key == key ? &*at : nullptr;
}

TurnOverview ScanTurns(const std::vector<fs::path>& sheetFolders, IniFile& ini, const ReferenceLists& lists) {
  TurnOverview out;
  std::map<std::string, CharacterTurns> byKey;
  const IniFile::SteadyRead steady(ini);
  CharacterStore store(ini);
  for (const std::string& item : store.ListItems()) {
    const std::string key = KeyOfListItem(item);
    if (IsValidCharacterNumberText(key)) Entry(byKey, key).stored = true;
  }

  PlaceSheets(ScanSheetFolders(sheetFolders, true), byKey, out);

  for (auto& [key, character] : byKey) {
    CharacterRecord record = character.stored ? store.Load(key) : CharacterRecord{};
    const CharacterFields fields = FieldsOf(record);
    character.cannotSend = character.stored ? CannotSendWhy(fields) : std::string("nincs karakterszám"_w);
    character.canSend = character.cannotSend.empty() && CanSend(fields);
    character.raidCost = record.raidCost;
    character.name = record.name;
    if (character.name.empty()) {
      const auto number = ParseInteger(key);
      if (number) character.name = std::string(lists.characters[*number]);
    }
    out.characters.push_back(std::move(character));
  }
  std::sort(out.characters.begin(), out.characters.end(), [](const CharacterTurns& a, const CharacterTurns& b) {
    return a.key.size() != b.key.size() ? a.key.size() < b.key.size() : a.key < b.key;
  });
  return out;
}

CharacterTurns SheetsOf(const std::vector<fs::path>& sheetFolders, std::string_view key) {
  std::map<std::string, CharacterTurns> byKey;
  TurnOverview unused;
  PlaceSheets(ScanSheetFolders(sheetFolders, true), byKey, unused);
  const auto at = byKey.find(std::string(key));
  if (at != byKey.end()) return at->second;
  CharacterTurns none;
  none.key = std::string(key);
  return none;
}

std::optional<long long> NewestTurnOf(const fs::path& programDir, const std::vector<fs::path>& sheetFolders,
                                      std::string_view key) {
  std::optional<long long> newest = SheetsOf(sheetFolders, key).CurrentTurn();
  const auto kept = KeptLetters(programDir).NewestTurnOf(key);
  if (kept && (!newest || *kept > *newest)) newest = kept;
  return newest;
}

KeptMatch MatchKept(const KeptLetters& kept, std::string_view character, std::string_view turn,
                    const std::vector<std::string>& orders) {
  KeptMatch match;
  if (!kept.problem().empty()) {
    match.kind = KeptMatch::Kind::Unreadable;
    match.why = "az elküldött levelek mappája ("_w + cp1250::FromUtf8(Utf8(kept.folder())) + ") nem olvasható: "_w +
                kept.problem();
    return match;
  }
  for (const KeptLetter& letter : kept.Of(character, turn)) {
    const BoundedRead bytes = ReadFileUpTo(letter.path);
    if (!bytes.ok()) {
      match.kind = KeptMatch::Kind::Unreadable;
      match.why = "a megőrzött levél ("_w + cp1250::FromUtf8(Utf8(letter.path.filename())) + ") nem olvasható"_w;
      return match;
    }
    const std::vector<std::string> lines = SplitLines(bytes.bytes);
    // A letter renamed or copied under another character's name is not his.
    if (LetterCharacterNumber(lines) != character) continue;
    match.letter = &letter;
    match.kind = OrdersOf(lines) == orders ? KeptMatch::Kind::Same : KeptMatch::Kind::Changed;
    return match;
  }
  return match;
}

TurnStatus StatusOf(const CharacterTurns& character, long long turn, const TurnContext& context) {
  TurnStatus status;
  status.turn = turn;
  const auto at = character.sheets.find(turn);
  if (at == character.sheets.end()) return status;
  status.sheet = at->second;
  const SheetFileRead read = ReadSheetFile(at->second);
  if (!read.ok) {
    status.state = SheetState::Broken;
    return status;
  }
  const SheetContent& sheet = read.content;
  const std::string turnText = std::to_string(turn);

  const Lookups lookups(context.lists, character.raidCost);
  if (character.stored) status.tvpBudget = ReadTvpBudget(context.ini, character.key, turnText);
  const RecalculatedSheet fresh = Recalculated(sheet.sheet, lookups);
  status.tvpTotal = fresh.figures.tvpTotal;
  status.variableCost = HasVariableCost(fresh);
  status.errors = CountErrors(CheckSheet(sheet, lookups, {status.tvpBudget, std::nullopt}));

  const KeptMatch kept = MatchKept(context.kept, character.key, turnText, SheetOrders(sheet));
  switch (kept.kind) {
    case KeptMatch::Kind::Unreadable:
      status.state = SheetState::Unknown;
      status.unknownWhy = kept.why;
      return status;
    case KeptMatch::Kind::Same:
      status.sent = kept.letter->name.record.time;
      status.state = kept.letter->name.unconfirmed ? SheetState::Uncertain : SheetState::Sent;
      return status;
    case KeptMatch::Kind::Changed:
      status.sent = kept.letter->name.record.time;
      status.state = SheetState::Changed;
      return status;
    case KeptMatch::Kind::None: break;
  }
  if (character.sheets.upper_bound(turn) != character.sheets.end()) {
    status.state = SheetState::NotSent;
    return status;
  }
  if (status.errors > 0) {
    status.state = SheetState::Errors;
    return status;
  }
  // The turn before, as the next-turn command left it and nobody looked at.
  const auto before = character.sheets.lower_bound(turn);
  if (before != character.sheets.begin()) {
    const SheetFileRead previous = ReadSheetFile(std::prev(before)->second);
    if (previous.ok && OrderRows(previous.content.sheet) == OrderRows(sheet.sheet)) {
      status.state = SheetState::Review;
      return status;
    }
  }
  status.state = SheetState::Ready;
  return status;
}

std::string SentWhen(const std::tm& when) {
  char text[16] = "";
  std::strftime(text, sizeof text, "%m.%d. %H:%M", &when);
  return text;
}

std::string StateText(const TurnStatus& s, bool canSend) {
  std::string text;
  switch (s.state) {
    case SheetState::Missing: text = "nincs UL"; break;
    case SheetState::Broken: text = "hibás fájl"_w; break;
    case SheetState::Unknown: text = "nem tudom, elment-e"_w; break;
    case SheetState::Sent: text = std::string("elküldve "_w) + (s.sent ? SentWhen(*s.sent) : std::string()); break;
    case SheetState::Uncertain: text = "lehet, hogy megérkezett"_w; break;
    case SheetState::Changed: text = "küldés óta módosult"_w; break;
    case SheetState::NotSent: text = "nem küldted el"_w; break;
    case SheetState::Errors: text = std::to_string(s.errors) + " hiba"; break;
    case SheetState::Review: text = "átnézendő"_w; break;
    case SheetState::Ready: text = "küldhető"_w; break;
  }
  // Errors always show, beside a state that is not about them.
  const bool other = s.state == SheetState::Sent || s.state == SheetState::Uncertain ||
                     s.state == SheetState::Changed || s.state == SheetState::Unknown || s.state == SheetState::NotSent;
  if (other && s.errors > 0) text += ", " + std::to_string(s.errors) + " hiba";
  if (!canSend && s.state != SheetState::Missing && s.state != SheetState::NotSent)
    text += std::string(", nem küldhető"_w);
  return text;
}

SendOffer OfferOf(const TurnStatus& s, const CharacterTurns& character) {
  using Kind = SendOffer::Kind;
  if (s.state == SheetState::Missing) return {Kind::NotSent, "nincs UL"};
  if (s.state == SheetState::Broken) return {Kind::NotSent, std::string("hibás fájl"_w)};
  if (!character.canSend)
    return {Kind::NotSent, character.cannotSend.empty() ? std::string("nincs jelszó"_w) : character.cannotSend};
  if (s.errors > 0) return {Kind::NotSent, std::to_string(s.errors) + " hiba"};
  switch (s.state) {
    case SheetState::Ready: return {Kind::Ticked, {}};
    case SheetState::Changed: return {Kind::Unticked, std::string("már elküldted"_w)};
    case SheetState::Review: return {Kind::Unticked, std::string("ugyanaz, mint az előző fordulóban"_w)};
    case SheetState::Unknown: return {Kind::Unticked, std::string("nem tudom, elment-e: "_w) + s.unknownWhy};
    case SheetState::Uncertain: return {Kind::NotSent, std::string("lehet, hogy megérkezett"_w)};
    case SheetState::Sent: return {Kind::NotSent, std::string("már elküldve"_w)};
    default: break;
  }
  return {Kind::NotSent, StateText(s, character.canSend)};
}

}  // namespace mv
