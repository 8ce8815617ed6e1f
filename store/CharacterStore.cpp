#include "store/CharacterStore.h"

#include <algorithm>

#include "core/Cp1250.h"
#include "core/IntegerText.h"

namespace mv {
namespace {

constexpr std::string_view kIndex = "Karakterek";

bool IsSpecialKey(std::string_view key) {
  const std::string upper = cp1250::Upper(key);
  return upper == "BETOLT" || upper == "UTOLSO" || upper == "ALAPERTELMEZETT";
}

}  // namespace

bool IsValidCharacterNumberText(std::string_view text) {
  return text.empty() || (text.size() <= kCharacterNumberDigits && IsDecimalDigits(text));
}

CharacterFields FieldsOf(const CharacterRecord& r) {
  return {r.number, r.account, r.password, r.name, r.description, r.diet, r.raidCost};
}

CharacterRecord RecordOf(const CharacterFields& c, DeliveryForm delivery) {
  return {c.number, c.account, c.password, c.name, c.description, c.diet, delivery, c.raidCost};
}

std::string_view DeliveryFormText(DeliveryForm form) {
  switch (form) {
    case DeliveryForm::Base64: return "Base64";
    case DeliveryForm::Base64Printed: return "Base64 + nyomtatva";
    case DeliveryForm::Uuencode: return "Uuencode";
    case DeliveryForm::UuencodePrinted: return "Uuencode + nyomtatva";
    case DeliveryForm::PrintedOnly: return "Nyomtatva";
    case DeliveryForm::None: break;
  }
  return "Semmi";
}

DeliveryForm DeliveryFormFromText(std::string_view text) {
  for (int i = 1; i <= 5; ++i)
    if (text == DeliveryFormText(DeliveryForm(i))) return DeliveryForm(i);
  return DeliveryForm::None;
}

std::string CharacterListItem(std::string_view name, std::string_view number) {
  return std::string(name) + " (#" + std::string(number) + ")";
}

std::string KeyOfListItem(std::string_view item) {
  // The whole number, so that entries of other lengths act on their own section.
  const auto close = item.rfind(')');
  const auto open = close == std::string_view::npos ? close : item.rfind("(#", close);
  if (open == std::string_view::npos) return {};
  return std::string(item.substr(open + 2, close - open - 2));
}

int RaidCostFromText(std::string_view text) {
  const auto value = ParseInteger(text);
  if (!value) return kDefaultRaidCost;
  return std::clamp(*value, kMinRaidCost, kMaxRaidCost);
}

namespace {

constexpr std::string_view kBudgetKey = "TVPKeret";
constexpr std::string_view kOldBudgetTurnKey = "TVPKeretFordulo";

std::optional<long long> BudgetAmount(std::string_view amount) {
  const auto value = ParseInteger(amount);
  if (!value || *value < 0 || !IsDecimalDigits(amount)) return std::nullopt;
  return *value;
}

std::string BudgetKey(std::string_view turn) { return std::string(kBudgetKey) + std::string(turn); }

}  // namespace

std::optional<long long> ReadTvpBudget(const IniFile& ini, std::string_view key, std::string_view turn) {
  if (!ValidTurn(turn)) return std::nullopt;
  const IniFile::SteadyRead steady(ini);
  if (ini.Has(key, BudgetKey(turn))) return BudgetAmount(ini.Read(key, BudgetKey(turn)));
  if (ini.Read(key, kOldBudgetTurnKey) == turn) return BudgetAmount(ini.Read(key, kBudgetKey));
  return std::nullopt;
}

bool WriteTvpBudget(IniFile& ini, std::string_view key, std::string_view turn, std::string_view amount) {
  if (!ValidTurn(turn)) return true;
  std::vector<IniChange> changes;
  {
    const IniFile::SteadyRead steady(ini);
    const std::string oldTurn = ini.Read(key, kOldBudgetTurnKey);
    if (ini.Has(key, kBudgetKey) || !oldTurn.empty()) {
      // The older pair becomes its turn's own key, unless that turn has one.
      if (ValidTurn(oldTurn) && oldTurn != turn && !ini.Has(key, BudgetKey(oldTurn)))
        changes.push_back(IniChange::Set(key, BudgetKey(oldTurn), ini.Read(key, kBudgetKey)));
      changes.push_back(IniChange::EraseKey(key, kBudgetKey));
      changes.push_back(IniChange::EraseKey(key, kOldBudgetTurnKey));
    }
  }
  changes.push_back(amount.empty() ? IniChange::EraseKey(key, BudgetKey(turn))
                                   : IniChange::Set(key, BudgetKey(turn), amount));
  return ini.Apply(changes);
}

std::optional<long long> SheetBudget(IniFile& ini, std::string_view key, std::string_view turn) {
  if (key.empty() || !CharacterStore(ini).IsStored(key)) return std::nullopt;
  return ReadTvpBudget(ini, key, turn);
}

std::string StartupCharacterKey(const IniFile& ini) {
  const std::string choice = cp1250::Upper(ini.Read(kIndex, "Betolt"));
  if (choice == "UTOLSO") return ini.Read(kIndex, "Utolso");
  if (choice == "ALAPERTELMEZETT") return ini.Read(kIndex, "Alapertelmezett");
  return {};
}

void ShowCharacter(ShownCharacter& shown, OrderDocument& document, std::string_view key,
                   const CharacterRecord& record) {
  shown.key = std::string(key);
  shown.fields = FieldsOf(record);
  shown.deliveryForm = record.delivery;
  document.EditFields([&](SheetFields& f) { f.delivery = record.delivery; });
}

std::vector<std::string> CharacterStore::ListItems() const {
  const IniFile::SteadyRead steady(ini_);
  std::vector<std::string> items;
  for (const auto& [key, value] : ini_.Entries(kIndex)) {
    if (IsSpecialKey(key)) continue;
    items.push_back(CharacterListItem(ini_.Read(value, "Karakternév"_w), value));
  }
  std::sort(items.begin(), items.end());
  return items;
}

CharacterRecord CharacterStore::Load(std::string_view key) const {
  const IniFile::SteadyRead steady(ini_);
  CharacterRecord r;
  r.number = ini_.Read(key, "Karakterszám"_w);
  r.account = ini_.Read(key, "Számlaszám"_w);
  r.password = ini_.Read(key, "Jelszó"_w);
  r.name = ini_.Read(key, "Karakternév"_w);
  r.description = ini_.Read(key, "Karakterleírás"_w);
  r.diet = ini_.Read(key, "Étrend"_w);
  r.delivery = DeliveryFormFromText(ini_.Read(key, "Küldési forma"_w));
  r.raidCost = RaidCostFromText(ini_.Read(key, "Portya"));
  return r;
}

bool CharacterStore::Save(const CharacterRecord& r) {
  const std::string& n = r.number;
  std::vector<IniChange> changes{IniChange::Set(kIndex, n, n)};
  const std::pair<std::string_view, std::string> keys[] = {
      {"Karakterszám"_w, n},
      {"Számlaszám"_w, r.account},
      {"Jelszó"_w, r.password},
      {"Karakternév"_w, r.name},
      {"Karakterleírás"_w, r.description},
      {"Étrend"_w, r.diet},
      {"ELL", std::string("1900:villám:1901:gránitbőr"_w)},
      {"Küldési forma"_w, std::string(DeliveryFormText(r.delivery))},
      {"Portya", std::to_string(std::clamp(r.raidCost, kMinRaidCost, kMaxRaidCost))},
  };
  for (const auto& [key, value] : keys) changes.push_back(IniChange::Set(n, key, value));
  return ini_.Apply(changes);
}

bool CharacterStore::Delete(std::string_view key) {
  std::vector<IniChange> changes{IniChange::EraseSection(key)};
  for (const auto& [entry, value] : ini_.Entries(kIndex)) {
    if (value == key && !IsSpecialKey(entry)) {
      changes.push_back(IniChange::EraseKey(kIndex, entry));
      break;
    }
  }
  return ini_.Apply(changes);
}

bool CharacterStore::IsStored(std::string_view key) const {
  for (const auto& [entry, value] : ini_.Entries(kIndex))
    if (value == key && !IsSpecialKey(entry)) return true;
  return false;
}

std::optional<std::filesystem::path> NotesPath(const std::filesystem::path& dir, std::string_view number) {
  if (number.empty() || !IsValidCharacterNumberText(number)) return std::nullopt;
  return dir / (std::string(number) + ".jzt");
}

}  // namespace mv
