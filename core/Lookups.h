// Numbers typed in orders turned into names, and the Hungarian word forms the
// descriptions need.
#pragma once

#include <string>
#include <string_view>

#include "core/DataList.h"

namespace mv {

class Lookups {
 public:
  explicit Lookups(const ReferenceLists& lists) : lists_(lists) {}

  // Each takes a parameter text; a text that is not an integer gives "".
  std::string ItemName(std::string_view text) const;
  std::string MonsterName(std::string_view text) const;
  std::string SpellName(std::string_view text) const;
  std::string CharacterName(std::string_view text) const;
  std::string AllianceName(std::string_view text) const;

  const ReferenceLists& Lists() const { return lists_; }

 private:
  const ReferenceLists& lists_;
};

// Name of an attribute that combat-program conditions test; "" when unknown.
std::string_view AttributeConditionName(int id);

// Hungarian capital of one letter; anything else (accented capitals
// included) becomes a blank.
char HungarianCapital(char c);

// Third-person possessive of the last word: "kard" -> "kardja".
std::string PossessiveForm(std::string_view text);

}  // namespace mv
