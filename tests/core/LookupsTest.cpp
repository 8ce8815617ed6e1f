#include "core/Lookups.h"

#include <gtest/gtest.h>

#include "core/Cp1250.h"

namespace mv {
namespace {

std::string W(const char* utf8) { return cp1250::FromUtf8(utf8); }

class LookupsTest : public ::testing::Test {
 protected:
  LookupsTest() : names(lists) {
    lists.items.names.assign(1000, "");
    lists.items.names[0] = W("Tőr");
    lists.items.names[999] = W("Utolsó");
    lists.randomItems.names.assign(450, "");
    lists.randomItems.names[0] = "kard";
    lists.randomItems.names[15] = "pajzs";
    lists.monsters.names = {"Ork", ""};
    lists.spells.names = {W("Tűzgolyó")};
    lists.characters.names = {"Aldo", ""};
    lists.alliances.names = {""};
  }
  ReferenceLists lists;
  Lookups names;
};

TEST_F(LookupsTest, ItemNameBranches) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"1", "Tőr (#1)"},
      {"2", "2. tárgy"},
      {"1000", "Utolsó (#1000)"},
      {"1001", "ismeretlen kard (#1001)"},  // group of 15 starting at 0
      {"1015", "pajzs (#1015)"},
      {"1016", "ismeretlen pajzs (#1016)"},
      {"1450", "Az erő kardja (#1450)"},
      {"1451", "1451. tárgy"},  // group 0 gives no family item word
      {"1466", "Az erő ismeretlen pajzsa (#1466)"},
      {"1464", "káosztárgy (#1464)"},
      {"44649", "káosztárgy (#44649)"},
      {"44650", "44650. tárgy"},
      {"0", "0. tárgy"},
      {"-5", "-5. tárgy"},
      {"$5AA", "Az erő kardja (#$5AA)"},
      {"abc", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1250::ToUtf8(names.ItemName(c.text)), c.expected) << c.text;
}

TEST_F(LookupsTest, ItemNameWithEmptyLists) {
  ReferenceLists none;
  Lookups bare(none);
  EXPECT_EQ(cp1250::ToUtf8(bare.ItemName("1")), "1. tárgy");
  EXPECT_EQ(cp1250::ToUtf8(bare.ItemName("1001")), "1001. tárgy");
  EXPECT_EQ(cp1250::ToUtf8(bare.ItemName("1450")), "1450. tárgy");
  EXPECT_EQ(cp1250::ToUtf8(bare.ItemName("1464")), "káosztárgy (#1464)");
}

TEST_F(LookupsTest, NumberedListsHaveNoFallbackOutsideTheList) {
  struct Case {
    std::string (Lookups::*lookup)(std::string_view) const;
    const char* text;
    const char* expected;
  } cases[] = {
      {&Lookups::MonsterName, "1", "Ork (#1)"},
      {&Lookups::MonsterName, "2", "2. torzszülött"},
      {&Lookups::MonsterName, "3", ""},
      {&Lookups::MonsterName, "0", ""},
      {&Lookups::MonsterName, "x", ""},
      {&Lookups::SpellName, "10", "Tűzgolyó (#10)"},
      {&Lookups::SpellName, "9", ""},
      {&Lookups::CharacterName, "2000", "Aldo (#2000)"},
      {&Lookups::CharacterName, "2001", "2001. karakter"},
      {&Lookups::CharacterName, "1999", ""},
      {&Lookups::AllianceName, "15000", "15000. szövetség"},
      {&Lookups::AllianceName, "15001", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1250::ToUtf8((names.*c.lookup)(c.text)), c.expected) << c.text;
}

TEST(PossessiveForm, Endings) {
  struct Case {
    const char* word;
    const char* expected;
  } cases[] = {
      {"kard", "kardja"},
      {"kötél", "kötele"},
      {"acél", "acélja"},
      {"bak", "bakja"},
      {"íj", "íjja"},
      {"öv", "öve"},
      {"amulett", "amulettje"},
      {"album", "albuma"},
      {"gyűrű", "gyűrűje"},
      {"erő", "erője"},
      {"nagy", "nagya"},
      {"hegy", "hegye"},
      {"bagoly", "bagolyja"},
      {"hely", "helyje"},
      {"kapa", "kapája"},
      {"kefe", "keféje"},
      {"tű", "tűje"},
      {"kalap", "kalapja"},
      {"kép", "képje"},
      {"kosár", "kosára"},
      {"kör", "köre"},
      {"pergamen", "pergamene"},
      {"show", "show"},
      {"a", "ája"},
      {"KARD", "KARDja"},
      {"Nagy kard", "Nagy kardja"},
      {"kard  ", "kardja"},
      {"", ""},
      {"   ", ""},
      {"lánc", "lánca"},
      {"sisak", "sisakja"},
      {"csizma", "csizmája"},
      {"pálca", "pálcája"},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1250::ToUtf8(PossessiveForm(W(c.word))), c.expected) << c.word;
}

TEST(HungarianCapital, Letters) {
  EXPECT_EQ(HungarianCapital('a'), 'A');
  EXPECT_EQ(HungarianCapital('Z'), 'Z');
  EXPECT_EQ(HungarianCapital("ő"_w[0]), "Ő"_w[0]);
  EXPECT_EQ(HungarianCapital("ű"_w[0]), "Ű"_w[0]);
  EXPECT_EQ(HungarianCapital("Á"_w[0]), ' ');  // accented capitals are not letters here
  EXPECT_EQ(HungarianCapital("ä"_w[0]), ' ');
  EXPECT_EQ(HungarianCapital('5'), ' ');
}

TEST(AttributeConditionName, KnownAndUnknown) {
  EXPECT_EQ(AttributeConditionName(80), "támadás"_w);
  EXPECT_EQ(AttributeConditionName(328), "legnagyobb végtag szakértelem"_w);
  EXPECT_TRUE(AttributeConditionName(82).empty());
  EXPECT_TRUE(AttributeConditionName(0).empty());
}

}  // namespace
}  // namespace mv
