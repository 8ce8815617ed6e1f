#include <set>

#include <gtest/gtest.h>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "core/ReferenceTables.h"

namespace mv {
namespace {

TEST(Catalogue, CodesAreUniqueLowerCaseLettersOfAtMostFour) {
  std::set<std::string_view> codes;
  for (int n = 1; n <= CommandCatalogue::kCount; ++n) {
    const Command& c = CommandCatalogue::ByNumber(n);
    EXPECT_TRUE(codes.insert(c.code).second) << c.code;
    EXPECT_FALSE(c.name.empty());
    ASSERT_GE(c.code.size(), 1u);
    EXPECT_LE(c.code.size(), 4u);
    for (char ch : c.code) EXPECT_TRUE(ch >= 'a' && ch <= 'z') << c.code;
  }
  EXPECT_EQ(codes.size(), 102u);
  EXPECT_EQ(CommandCatalogue::LongestCode(), 4);
}

TEST(Catalogue, LookupByCode) {
  struct Case {
    std::string_view code;
    int number;
  } cases[] = {
      {"a", 1},    {"be", 8},   {"BE", 8}, {"Be", 8},   {" be", 103},  {"be ", 103}, {"h", 22}, {"he", 23}, {"hf", 24},
      {"szl", 56}, {"szk", 57}, {"z", 80}, {"lcs", 81}, {"olcs", 102}, {"xyz", 103}, {"", 103}, {"m", 40},  {"szn", 58},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandCatalogue::Lookup(c.code), c.number) << c.code;
  EXPECT_TRUE(CommandCatalogue::IsKnownCommand("ISM"));
  EXPECT_FALSE(CommandCatalogue::IsKnownCommand(""));
}

TEST(Catalogue, SpotNames) {
  EXPECT_EQ(CommandCatalogue::ByNumber(1).name, "Átadás galetkinek"_w);
  EXPECT_EQ(CommandCatalogue::ByNumber(45).name, "Portyázás, Galetki kihívása"_w);
  EXPECT_EQ(CommandCatalogue::ByNumber(82).name, "Licitálás \"LCS\" tárgyra"_w);
  EXPECT_EQ(CommandCatalogue::ByNumber(98).name, "automatikus zsákbarakás"_w);
  EXPECT_EQ(CommandCatalogue::ByNumber(102).name, "Csapatolimpia"_w);
}

TEST(ReferenceTables, CountsAndRunEnds) {
  using namespace tables;
  struct Case {
    const DataList& table;
    int count, first, last;
    std::string_view firstName, lastName;
  } cases[] = {
      {BuildingNames(), 77, 1, 77, "Szövetségi barlang (#1)"_w, "Középiskola (#77)"_w},
      {DestinationNames(), 29, 1, 30, "a kereskedőhöz"_w, "a szövetségi arénába"_w},
      {SurfaceSearchNames(), 4, 1, 4, "torzszülött vadászat"_w, "a próbamester"_w},
      {SpecializationNames(), 10, 1, 10, "a klán kedvence"_w, "vezéregyéniség"_w},
      {FightModeNames(), 8, 1, 8, "Harc"_w, "Nem akarsz harcolni"_w},
      {AttributeNames(), 80, 1, 211, "Erő (#1)"_w, "Krono-érintés (#211)"_w},
      {TargetSelectorNames(), 20, 0, 19, "Legkisebb erősségű ellenfél"_w, "Legmagasabb ép-jű torzszülött"_w},
      {DietAndClanNames(), 18, 1, 18, "Zöldvérűek"_w, "Bárdok"_w},
      {PsiAttackNames(), 6, 128, 133, "Pszi csáp (#128)"_w, "Pszi acéltorony (#133)"_w},
      {PsiTechniqueNames(), 5, 0, 4, "A bolond technikája"_w, "A bagoly technikája"_w},
      {ServantNames(), 704, 1, 704, "Abrak"_w, "Zsír"_w},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.table.Count(), c.count) << c.firstName;
    EXPECT_EQ(c.table[c.first], c.firstName);
    EXPECT_EQ(c.table[c.last], c.lastName);
    EXPECT_TRUE(c.table[c.first - 1].empty());
    EXPECT_TRUE(c.table[c.last + 1].empty());
  }
}

TEST(ReferenceTables, GapsAndRunBoundaries) {
  using namespace tables;
  EXPECT_TRUE(DestinationNames()[19].empty());
  EXPECT_EQ(TargetSelectorNames()[4], "?");
  EXPECT_EQ(TargetSelectorNames()[15], "?");
  EXPECT_TRUE(AttributeNames()[7].empty());
  EXPECT_TRUE(AttributeNames()[8].empty());
  EXPECT_TRUE(AttributeNames()[35].empty());
  EXPECT_TRUE(AttributeNames()[99].empty());
  EXPECT_EQ(AttributeNames()[34], "Párbajozás (#34)"_w);
  EXPECT_EQ(AttributeNames()[45], "Csapdakészítés (#45)"_w);
  EXPECT_EQ(AttributeNames()[74], "Vitalitás (#74)"_w);
  EXPECT_EQ(AttributeNames()[100], "Mancs (#100)"_w);
  EXPECT_EQ(AttributeNames()[105], "Láb (#105)"_w);
  EXPECT_EQ(AttributeNames()[200], "Kontaktmérgezés (#200)"_w);
  EXPECT_EQ(AttributeNames()[28], "Ismeretlen szakértelem (#28)"_w);
  EXPECT_EQ(BuildingNames()[8], "Szellozorendszer (#8)"_w);
  EXPECT_EQ(DietAndClanNames()[9], "Vegetáriánusok"_w);
  EXPECT_EQ(DietAndClanNames()[10], "Halhatatlanok"_w);
}

TEST(ReferenceTables, ServantRunsAndDuplicates) {
  const DataList& s = tables::ServantNames();
  EXPECT_EQ(s[260], "Zsarátnok"_w);
  EXPECT_EQ(s[261], "Abdul"_w);
  EXPECT_EQ(s[230], "Titán"_w);
  EXPECT_EQ(s[647], "Titán"_w);
  EXPECT_EQ(s[328], "D`Artagnan"_w);
  EXPECT_EQ(s[421], "Övfény"_w);
}

TEST(ReferenceTables, ItemFamilies) {
  struct Case {
    int family;
    std::string_view name;
    int base;
  } cases[] = {
      {1, "Az erő"_w, 1450},     {64, "A zombi"_w, 29800}, {65, "ismeretlen", 30250},
      {78, "ismeretlen", 36100}, {79, "Thor", 36550},      {96, "Armageddon", 44200},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tables::ItemFamilyOf(c.family).name, c.name);
    EXPECT_EQ(tables::ItemFamilyOf(c.family).base, c.base);
  }
  EXPECT_TRUE(tables::ItemFamilyOf(0).name.empty());
  EXPECT_TRUE(tables::ItemFamilyOf(97).name.empty());
}

}  // namespace
}  // namespace mv
