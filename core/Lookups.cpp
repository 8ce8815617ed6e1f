#include "core/Lookups.h"

#include <algorithm>
#include <utility>

#include "core/Cp1250.h"
#include "core/IntegerText.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

std::string Numbered(std::string_view name, std::string_view typed) {
  std::string out(name);
  out += " (#";
  out += typed;
  out += ")";
  return out;
}

std::string Fallback(std::string_view typed, std::string_view suffix) {
  return std::string(typed) + std::string(suffix);
}

// "ismeretlen <first of the group of 15>" when that entry is within the list.
std::string UnknownOfGroup(const DataList& randomItems, long long r, bool groupZeroAllowed) {
  const long long g = r - r % 15;
  if ((g > 0 || groupZeroAllowed) && randomItems.HasIndex(g)) return "ismeretlen " + randomItems.At(g);
  return {};
}

}  // namespace

std::string Lookups::Missed(LookupMiss::Kind kind, std::string_view typed, std::string fallback) const {
  if (misses_) {
    const LookupMiss miss{kind, std::string(typed)};
    if (std::find(misses_->begin(), misses_->end(), miss) == misses_->end()) misses_->push_back(miss);
  }
  return fallback;
}

// Name from a numbered list, "N<suffix>" for a known number without a name,
// "" outside the list.
std::string Lookups::Found(std::string_view name, std::string_view typed) const {
  if (found_) found_->emplace_back(name);
  return Numbered(name, typed);
}

std::string Lookups::FromList(const DataList& list, std::string_view text, std::string_view suffix,
                              LookupMiss::Kind kind) const {
  const auto n = ParseInteger(text);
  if (!n) return {};
  const long long index = (long long)*n - list.firstNumber;
  if (!list.HasIndex(index)) return {};
  const std::string& name = list.At(index);
  return name.empty() ? Missed(kind, text, Fallback(text, suffix)) : Found(name, text);
}

std::string Lookups::ItemName(std::string_view text) const {
  const auto parsed = ParseInteger(text);
  if (!parsed) return {};
  const long long n = *parsed;
  constexpr auto kItem = LookupMiss::Kind::Item;
  const std::string notFound = Fallback(text, ". tárgy"_w);
  const DataList& randoms = lists_.randomItems;

  if (n >= 1 && n <= 1000) {
    const long long index = n - 1;
    if (lists_.items.HasIndex(index) && !lists_.items.At(index).empty()) return Found(lists_.items.At(index), text);
    return Missed(kItem, text, notFound);
  }
  if (n >= 1001 && n <= 1449) {
    const long long r = n - 1000;
    if (randoms.HasIndex(r) && !randoms.At(r).empty()) return Found(randoms.At(r), text);
    const std::string unknown = UnknownOfGroup(randoms, r, true);
    return Missed(kItem, text, unknown.empty() ? notFound : Numbered(unknown, text));
  }

  // Random items of a family: the family's name and the item's possessive.
  const long long family = (n - 1000) / 450;  // truncates toward zero, like div
  if (family < 1 || family > tables::kItemFamilyCount) return Missed(kItem, text, notFound);
  const ItemFamily info = tables::ItemFamilyOf(int(family));
  const long long r = n - info.base;
  std::string word;
  bool named = false;
  if (randoms.HasIndex(r) && !randoms.At(r).empty()) {
    word = randoms.At(r);
    named = true;
  } else {
    word = UnknownOfGroup(randoms, r, false);
  }
  if (r % 15 == 14) {
    word = "káosztárgy"_w;
    named = true;
  }

  if (word.empty()) return Missed(kItem, text, notFound);
  if (!named) Missed(kItem, text, {});
  if (word == "káosztárgy"_w) return Numbered(word, text);
  return Numbered(std::string(info.name) + " " + PossessiveForm(word), text);
}

std::string Lookups::MonsterName(std::string_view text) const {
  return FromList(lists_.monsters, text, ". torzszülött"_w, LookupMiss::Kind::Monster);
}
std::string Lookups::SpellName(std::string_view text) const {
  return FromList(lists_.spells, text, ". varázslat"_w, LookupMiss::Kind::Spell);
}
std::string Lookups::CharacterName(std::string_view text) const {
  return FromList(lists_.characters, text, ". karakter"_w, LookupMiss::Kind::Character);
}
std::string Lookups::AllianceName(std::string_view text) const {
  return FromList(lists_.alliances, text, ". szövetség"_w, LookupMiss::Kind::Alliance);
}

std::string_view AttributeConditionName(int id) {
  static const std::pair<int, std::string_view> kNames[] = {
      {80, "támadás"_w},
      {81, "védekezes"_w},
      {88, "hírnév"_w},
      {230, "meglepetésbol kezdi a csatát"_w},
      {231, "immunis az egy célpontra ható varázslatokra"_w},
      {232, "galetki nem képes megsebezni"_w},
      {233, "jelenlétében nem használható animáció"_w},
      {234, "immúnis az elemi varázslatokra"_w},
      {235, "immúnis a szellemi varázslatokra"_w},
      {236, "immúnis a nekromanta varázslatokra"_w},
      {237, "fizikailag eltalálhatatlan"_w},
      {238, "immúnis a buzre"_w},
      {239, "buzgyülladást okoz"_w},
      {240, "immúnis a roncsolásra"_w},
      {241, "legendás teremtmény"_w},
      {301, "ismert torzszülöttek száma"_w},
      {302, "ismert tárgyak száma"_w},
      {303, "ismert varázslatok száma"_w},
      {304, "klán"_w},
      {305, "táplálkozás"_w},
      {306, "hosiességpont"_w},
      {307, "legnagyobb lehelet"_w},
      {308, "legkisebb lehelet"_w},
      {309, "hányféle immunitása van"_w},
      {313, "legnagyobb a lehelet és a végtagméretek közül"_w},
      {314, "életkor"_w},
      {315, "legkisebb immunitas"_w},
      {316, "legmagasabb szintu támadó varázslat szintje"_w},
      {317, "legmagasabb szintu szolga szintje"_w},
      {318, "legmagasabb végtagra rakott harci képesség"_w},
      {321, "legkisebb végtagméret"_w},
      {322, "legkisebb végtagra rakott harci képesség"_w},
      {323, "legkisebb végtag szakértelem"_w},
      {327, "legnagyobb végtag méret"_w},
      {328, "legnagyobb végtag szakértelem"_w},
  };
  for (const auto& [number, name] : kNames)
    if (number == id) return name;
  return {};
}

char HungarianCapital(char c) {
  if (c >= 'a' && c <= 'z') return char(c - 32);
  if (c >= 'A' && c <= 'Z') return c;
  static const std::string_view kSmall = "áéíóőöúűü"_w;
  static const std::string_view kCapital = "ÁÉÍÓŐÖÚŰÜ"_w;
  const auto at = kSmall.find(c);
  return at == std::string_view::npos ? ' ' : kCapital[at];
}

std::string PossessiveForm(std::string_view text) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  const auto blank = trimmed.rfind(' ');
  const std::string_view before = blank == std::string_view::npos ? std::string_view{} : trimmed.substr(0, blank + 1);
  std::string word(blank == std::string_view::npos ? trimmed : trimmed.substr(blank + 1));
  if (word.empty()) return std::string(before);

  static const std::string_view kBackVowels = "AOUÁÓÚ"_w;
  static const std::string_view kFrontVowels = "EIÉÍŐÖŰÜ"_w;
  bool back = false, front = false;
  for (char c : word) {
    const char cap = HungarianCapital(c);
    if (cap == ' ') continue;
    back = back || kBackVowels.find(cap) != std::string_view::npos;
    front = front || kFrontVowels.find(cap) != std::string_view::npos;
  }

  const std::string end2 = cp1250::Upper(word.size() >= 2 ? std::string_view(word).substr(word.size() - 2) : word);
  const char last = HungarianCapital(word.back());
  auto lastIn = [last](std::string_view set) { return last != ' ' && set.find(last) != std::string_view::npos; };

  if (end2 == "ÉL"_w) {
    word.resize(word.size() - 2);
    word += back ? "élja"_w : "ele";
  } else if (end2 == "AK" || end2 == "ÍJ"_w) {
    word += "ja";
  } else if (end2 == "ÖV"_w) {
    word += "e";
  } else if (end2 == "TT" || end2 == "RŰ"_w || last == "Ő"_w[0]) {
    word += "je";
  } else if (end2 == "UM") {
    word += "a";
  } else if (end2 == "GY" || end2 == "NY") {
    word += back ? "a" : "e";
  } else if (end2 == "LY" || end2 == "TY") {
    word += back ? "ja" : "je";
  } else if (last == 'A') {
    word.pop_back();
    word += "ája"_w;
  } else if (last == 'E') {
    word.pop_back();
    word += "éje"_w;
  } else if (lastIn("BDFHIKMOPTUVXÁÉÍÓŐÖÚŰÜ"_w)) {
    word += back ? "ja" : "je";
  } else if (lastIn("CGJLNRSZ")) {
    word += back && !front ? "a" : "e";
  }
  return std::string(before) + word;
}

}  // namespace mv
