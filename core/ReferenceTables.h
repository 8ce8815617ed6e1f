// The game's constant name tables, addressed by the numbers typed in orders.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

// Names by number; a number without an entry reads as an empty text.
class NameTable {
 public:
  NameTable(int first, std::initializer_list<std::string_view> names);
  NameTable(std::initializer_list<std::pair<int, std::string_view>> entries);

  std::string_view operator[](int number) const;
  // True when the number has a (non-empty) entry.
  bool Has(int number) const { return !(*this)[number].empty(); }
  int Last() const { return first_ + int(names_.size()) - 1; }
  int Count() const;

 private:
  int first_ = 0;
  std::vector<std::string_view> names_;
};

struct ItemFamily {
  std::string_view name;  // used as possessor: "Az erő" kardja
  int base;               // first item number of the family
};

namespace tables {
const NameTable& BuildingNames();        // 1..77
const NameTable& DestinationNames();     // 1..30, 19 empty
const NameTable& SurfaceSearchNames();   // 1..4
const NameTable& SpecializationNames();  // 1..10
const NameTable& FightModeNames();       // 1..8
const NameTable& AttributeNames();       // 1..34, 45..74, 100..105, 200..211
const NameTable& TargetSelectorNames();  // 0..19
// Diets 1..9 and clans 10..18 are one run of numbers.
const NameTable& DietAndClanNames();
const NameTable& PsiAttackNames();     // 128..133
const NameTable& PsiTechniqueNames();  // 0..4
const NameTable& ServantNames();       // 1..704

inline constexpr int kItemFamilyCount = 96;
// Family 1..96; the name is empty outside that range.
ItemFamily ItemFamilyOf(int family);
}  // namespace tables

}  // namespace mv
