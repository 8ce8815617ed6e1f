// What a command handler sees of the row it interprets, and the table that
// maps command numbers to handlers. Each handler group lives in its own file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/ReferenceTables.h"
#include "core/TextJoin.h"
#include "core/UL.h"

namespace mv {

class HandlerContext {
 public:
  HandlerContext(const OrderSheet& sheet, int row, RowStates& states, const Lookups& lookups, RowResult& result)
      : sheet_(sheet), row_(row), states_(states), lookups_(lookups), result_(result) {}

  int Row() const { return row_; }

  // Parameter k = 1..6 as typed.
  const std::string& P(int k) const { return sheet_.Param(row_, k); }
  std::optional<std::int32_t> Int(int k) const;
  std::int32_t Value(int k) const;  // 0 when not an integer
  // An integer of at least 1: what most parameters need to count.
  bool Valid(int k) const;

  // Description line n = 1..8.
  std::string& D(int n) { return result_.panel.lines.at(std::size_t(n - 1)); }

  void SetTVP(std::string_view text) { result_.tvp = text; }
  void SetTVP(long long value) { SetTVP(std::to_string(value)); }
  void SetKNO(std::string_view text) { result_.kno = text; }
  void SetKNO(long long value) { SetKNO(std::to_string(value)); }
  // The cost of `base` for one execution, times the repeat count of an ism
  // row directly above.
  long long Repeated(long long base) const;

  RowFlags& State() { return states_[row_]; }
  const RowFlags& Above() const { return states_[row_ - 1]; }
  const RowFlags& StateOf(int row) const { return states_[row]; }

  const Lookups& Names() const { return lookups_; }
  std::string Item(int k) const { return Names().ItemName(P(k)); }
  std::string Character(int k) const { return Names().CharacterName(P(k)); }
  std::string Spell(int k) const { return Names().SpellName(P(k)); }
  std::string Monster(int k) const { return Names().MonsterName(P(k)); }
  std::string Alliance(int k) const { return Names().AllianceName(P(k)); }

  // A cost typed as parameter k: its text alone, its value times a repeat.
  std::string RepeatedParameter(int k) const {
    return Above().repeatCount == 0 ? P(k) : std::to_string(Repeated(Value(k)));
  }
  // The description caption (LabelParancs), which a few orders rename.
  std::string& Caption() { return result_.panel.command; }

  // Base cost for one execution, times the repeat count above.
  void SetTVPRepeated(long long base) { SetTVP(Repeated(base)); }
  void SetKNORepeated(long long base) { SetKNO(Repeated(base)); }
  // The row's TVP as it stands (the cell as typed, for the nine codes the
  // frame leaves alone).
  const std::string& TVPCell() const { return result_.tvp; }
  // "0" becomes "vált" (a cost the game decides); other texts stay.
  void TVPZeroToVariable() {
    if (TVPCell() == "0") SetTVP("vált"_w);
  }

  // "N db <line>": the count of parameter k in front of a line (only when the
  // line holds something, if asked).
  void PrefixCount(int k, int line, bool onlyWhenFilled) {
    if (!Valid(k) || (onlyWhenFilled && D(line).empty())) return;
    D(line) = P(k) + " db "_w + D(line);
  }

  // The list pattern: every valid Pk (k = from..6) writes line k + shift
  // with line(k); returns how many were valid.
  int ListLines(int from, int shift, const std::function<std::string(int k)>& line);

  int RaidCost() const { return lookups_.raidCost(); }
  const std::vector<std::string>& Potions() const { return lookups_.lists().potions; }

 private:
  const OrderSheet& sheet_;
  int row_;
  RowStates& states_;
  const Lookups& lookups_;
  RowResult& result_;
};

using CommandHandler = std::function<void(HandlerContext&)>;

// Small helpers of the handler groups.
inline bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }
inline std::string Named(const DataList& table, int v) { return std::string(table[v]); }
inline std::string AttributeName(int v) { return Named(tables::AttributeNames(), v); }
// "<attribute> tulajdonságodat / harci kép. / szakért. növeled" for the basic
// attributes (and the size, 9, when `withSize`), body abilities and skills;
// empty for any other number.
std::string AttributeRaiseLine(int v, bool withSize);

// A command's entry: its handler and what the frame does around it.
struct CommandEntry {
  CommandHandler handler;
  // The frame leaves the TVP cell as it stands; the handler decides.
  bool keepsTVP = false;
  // Runs after the handler (the potion hint of "h").
  CommandHandler after;
};

struct CommandTraits {
  bool keepsTVP = false;
  CommandHandler after;
};
inline const CommandTraits kKeepsTVP{true, nullptr};

class HandlerTable {
 public:
  // Registers the entry of a catalogue code.
  void Add(std::string_view code, CommandHandler handler, CommandTraits traits = {});
  const CommandEntry* ForNumber(int number) const;  // null when none

 private:
  std::array<CommandEntry, CommandCatalogue::kCount + 1> entries_{};
};

// The complete table, filled once by the groups below.
const HandlerTable& Handlers();

void RegisterItemCommands(HandlerTable& table);
void RegisterBuildingMovementCommands(HandlerTable& table);
void RegisterCombatProgramCommands(HandlerTable& table);
void RegisterCharacterCommands(HandlerTable& table);
void RegisterServantAllianceCommands(HandlerTable& table);
void RegisterSpellPsiCommands(HandlerTable& table);
void RegisterLearningCommands(HandlerTable& table);
void RegisterHuntingTradeCommands(HandlerTable& table);
void RegisterCombatBehaviourCommands(HandlerTable& table);
void RegisterSackWasteCommands(HandlerTable& table);

}  // namespace mv
