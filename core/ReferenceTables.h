// The game's constant name tables, addressed by the numbers typed in orders.
#pragma once

#include <string_view>

#include "core/DataList.h"

namespace mv {

struct ItemFamily {
  std::string_view name;  // used as possessor: "Az erő" kardja
  int base;               // first item number of the family
};

namespace tables {
const DataList& BuildingNames();        // 1..77
const DataList& DestinationNames();     // 1..30, 19 empty
const DataList& SurfaceSearchNames();   // 1..4
const DataList& SpecializationNames();  // 1..10
const DataList& FightModeNames();       // 1..8
const DataList& AttributeNames();       // 1..34, 45..74, 100..105, 200..211
const DataList& TargetSelectorNames();  // 0..19
// Diets 1..9 and clans 10..18 are one run of numbers.
const DataList& DietAndClanNames();
const DataList& PsiAttackNames();     // 128..133
const DataList& PsiTechniqueNames();  // 0..4
const DataList& ServantNames();       // 1..704

inline constexpr int kItemFamilyCount = 96;
// Family 1..96; the name is empty outside that range.
ItemFamily ItemFamilyOf(int family);
}  // namespace tables

}  // namespace mv
