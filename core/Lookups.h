// Numbers typed in orders turned into names, and the Hungarian word forms the
// descriptions need.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/CharacterFields.h"
#include "core/DataList.h"

namespace mv {

// A number a lookup could not name (it gave a fallback text instead).
struct LookupMiss {
  enum class Kind { Item, Monster, Spell, Character, Alliance };
  Kind kind;
  std::string typed;
  bool operator==(const LookupMiss&) const = default;
};

class Lookups {
 public:
  // raidCost: the TVP of a raid, which the character's data holds.
  explicit Lookups(const ReferenceLists& lists, int raidCost = kDefaultRaidCost) : lists_(lists), raidCost_(raidCost) {}

  const ReferenceLists& lists() const { return lists_; }
  int raidCost() const { return raidCost_; }

  // Each takes a parameter text; a text that is not an integer gives "".
  std::string ItemName(std::string_view text) const;
  std::string MonsterName(std::string_view text) const;
  std::string SpellName(std::string_view text) const;
  std::string CharacterName(std::string_view text) const;
  std::string AllianceName(std::string_view text) const;

  // While set, every fallback is noted there (the whole-sheet check).
  void SetMissLog(std::vector<LookupMiss>* log) const { misses_ = log; }
  // While set, every name a list gave for a number is noted there (the search).
  void SetFoundLog(std::vector<std::string>* log) const { found_ = log; }

 private:
  std::string Missed(LookupMiss::Kind kind, std::string_view typed, std::string fallback) const;
  std::string Found(std::string_view name, std::string_view typed) const;
  std::string FromList(const DataList& list, std::string_view text, std::string_view suffix,
                       LookupMiss::Kind kind) const;

  const ReferenceLists& lists_;
  int raidCost_;
  mutable std::vector<LookupMiss>* misses_ = nullptr;
  mutable std::vector<std::string>* found_ = nullptr;
};

// Name of an attribute that combat-program conditions test; "" when unknown.
std::string_view AttributeConditionName(int id);

// Hungarian capital of one letter; anything else (accented capitals
// included) becomes a blank.
char HungarianCapital(char c);

// Third-person possessive of the last word: "kard" -> "kardja".
std::string PossessiveForm(std::string_view text);

}  // namespace mv
