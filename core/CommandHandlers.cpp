#include "core/CommandHandlers.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "core/IntegerText.h"

namespace mv {

std::optional<std::int32_t> HandlerContext::Int(int k) const { return ParseInteger(P(k)); }
std::int32_t HandlerContext::Value(int k) const { return IntOrZero(P(k)); }

bool HandlerContext::Valid(int k) const {
  const auto n = Int(k);
  return n && *n >= 1;
}

long long HandlerContext::Repeated(long long base) const {
  const std::int32_t repeat = Above().repeatCount;
  if (repeat == 0) return base;
  // Huge typed counts must not overflow: the cost saturates.
  const __int128 cost = static_cast<__int128>(repeat) * base;
  return static_cast<long long>(
      std::clamp<__int128>(cost, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max()));
}

std::string AttributeRaiseLine(int v, bool withSize) {
  if (InRange(v, 1, 6) || (withSize && v == 9)) return AttributeName(v) + " tulajdonságodat növeled"_w;
  if (InRange(v, 10, 34)) return AttributeName(v) + " harci kép. növeled"_w;
  if (InRange(v, 45, 74)) return AttributeName(v) + " szakért. növeled"_w;
  return {};
}

int HandlerContext::ListLines(int from, int shift, const std::function<std::string(int k)>& line) {
  int valid = 0;
  for (int k = from; k <= 6; ++k) {
    if (!Valid(k)) continue;
    D(k + shift) = line(k);
    ++valid;
  }
  return valid;
}

void HandlerTable::Add(std::string_view code, CommandHandler handler, CommandTraits traits) {
  const int number = CommandCatalogue::Lookup(code);
  if (number == CommandCatalogue::kUnknown) throw std::logic_error("handler for an unknown command code");
  entries_[std::size_t(number)] = CommandEntry{std::move(handler), traits.keepsTVP, std::move(traits.after)};
}

const CommandEntry* HandlerTable::ForNumber(int number) const {
  if (number < 1 || number > CommandCatalogue::kCount) return nullptr;
  const CommandEntry& e = entries_[std::size_t(number)];
  return e.handler ? &e : nullptr;
}

const HandlerTable& Handlers() {
  static const HandlerTable table = [] {
    HandlerTable t;
    RegisterItemCommands(t);
    RegisterBuildingMovementCommands(t);
    RegisterCombatProgramCommands(t);
    RegisterCharacterCommands(t);
    RegisterServantAllianceCommands(t);
    RegisterSpellPsiCommands(t);
    RegisterLearningCommands(t);
    RegisterHuntingTradeCommands(t);
    RegisterCombatBehaviourCommands(t);
    RegisterSackWasteCommands(t);
    return t;
  }();
  return table;
}

}  // namespace mv
