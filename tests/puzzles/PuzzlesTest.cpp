// The riddle and valley calculators, the number formats and the item
// formatter.
#include <gtest/gtest.h>

#include "core/Cp1250.h"
#include "puzzles/ItemFormatter.h"
#include "puzzles/NumberFormat.h"
#include "puzzles/Riddles.h"
#include "puzzles/lvrejtveny.h"

namespace mv {
namespace {

TEST(NumberFormatTest, GeneralFormatAndBankersRounding) {
  const struct {
    long double value;
    const char* general;
    const char* rounded;
  } cases[] = {
      {5, "5", "5"},
      {0.5L, "0,5", "0"},
      {1.5L, "1,5", "2"},
      {2.5L, "2,5", "2"},
      {3.5L, "3,5", "4"},
      {-0.5L, "-0,5", "0"},
      {-2.5L, "-2,5", "-2"},
      {0, "0", "0"},
      {1.0L / 3, "0,333333333333333", "0"},
      {100, "100", "100"},
      {1e20L, "1E20", "100000000000000000000"},
      {123456789012345.0L, "123456789012345", "123456789012345"},
      {0.0001L, "0,0001", "0"},
      {1e-7L, "1E-7", "0"},
      {27.3239544735163L, "27,3239544735163", "27"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value, ','), c.general) << (double)c.value;
    EXPECT_EQ(FormatRounded(c.value), c.rounded) << (double)c.value;
  }
  EXPECT_EQ(FormatGeneral(2.5L, '.'), "2.5");
}

TEST(RiddlesTest, TheFiveCalculators) {
  EXPECT_EQ(WalkingDistance("3", "4", "90", ','), "5");
  EXPECT_EQ(WalkingDistance("3", "4", "180", ','), "1");
  EXPECT_EQ(WalkingDistance("3", "4", "", ','), "");
  EXPECT_EQ(WalkingDistance("3", "x", "90", ','), "");

  const std::string_view rows[3][3] = {{"1", "1", "5"}, {"1", "2", "8"}, {"1", "1", "5"}};
  EXPECT_EQ(Miglands(rows, "2", "3", ','), "13");
  const std::string_view parallel[3][3] = {{"1", "1", "5"}, {"2", "2", "8"}, {"1", "1", "5"}};
  EXPECT_EQ(Miglands(parallel, "2", "3", ','), std::nullopt);
  const std::string_view zero[3][3] = {{"1", "1", "5"}, {"1", "0", "8"}, {"1", "1", "5"}};
  EXPECT_EQ(Miglands(zero, "2", "3", ','), "");

  EXPECT_EQ(HungryMonsters("2", "3", "12", "4", "5", ','), "40");
  EXPECT_EQ(Offspring("1", "1", "6", ','), "2");
  EXPECT_EQ(Offspring("1", "-5", "-6", ','), "3 vagy 2");
  EXPECT_EQ(cp1250::ToUtf8(*Offspring("1", "5", "-6", ',')), "nincs megoldás");
  EXPECT_EQ(Offspring("1", "1", "-6", ','), std::nullopt);
  // 4AC past 64 bits: the discriminant is negative, the field keeps its text.
  EXPECT_EQ(Offspring("2000000000", "-1", "-2000000000", ','), std::nullopt);

  const std::string_view system[2][3] = {{"1", "1", "3"}, {"1", "-1", "1"}};
  EXPECT_EQ(LinearSystem(system, ','), (std::pair<FieldResult, FieldResult>{"2", "1"}));
  const std::string_view singular[2][3] = {{"1", "1", "3"}, {"2", "2", "1"}};
  EXPECT_EQ(LinearSystem(singular, ','), (std::pair<FieldResult, FieldResult>{std::nullopt, std::nullopt}));
  // Products that would wrap 32 bits stay exact.
  EXPECT_EQ(HungryMonsters("100000", "100000", "20000000", "100000", "100000", ','), "20000000");
}

TEST(ValleyTest, TheFourCalculators) {
  const auto cheese = Cheese("100", "40", "40", ',');
  ASSERT_TRUE(cheese);
  EXPECT_EQ(cheese->exact.substr(0, 5), "27,32");
  EXPECT_EQ(cheese->rounded, "27");
  EXPECT_EQ(Cheese("100", "x", "40", ',')->exact, "0");

  EXPECT_EQ(Shells("10", ',')->exact, "4");
  EXPECT_EQ(Shells("11", ',')->exact.substr(0, 7), "4,21699");  // about 4.217
  EXPECT_EQ(Shells("11", ',')->rounded, "4");
  EXPECT_EQ(Shells("-1", ','), std::nullopt);

  const auto water = Reservoir("9", "12", "15", "3", "50", "", ',');
  ASSERT_TRUE(water);
  EXPECT_EQ(water->exact, "600");
  EXPECT_EQ(Reservoir("9", "12", "15", "3", "0", "5", ','), std::nullopt);
  EXPECT_EQ(Reservoir("3", "3", "30", "3", "50", "5", ','), std::nullopt);  // no triangle

  const SpiceAnswer spice = Spices("2", "3", "13", "1", "1", "5", ',');
  EXPECT_EQ(spice.first.exact, "2");
  EXPECT_EQ(spice.second.exact, "3");
  const SpiceAnswer same = Spices("2", "2", "10", "1", "1", "5", ',');
  EXPECT_EQ(same.first.exact, "0");
  EXPECT_EQ(same.second.rounded, "0");
}

TEST(ItemFormatterTest, FamilyAndKindGiveNumberAndLevel) {
  DataList random{1000, {}};
  for (int p = 0; p < 450; ++p) random.names.push_back("targy" + std::to_string(p));
  ReferenceLists lists;
  lists.randomItems = random;
  const Lookups lookups(lists);
  const auto families = FormatterFamilies();
  ASSERT_FALSE(families.empty());
  EXPECT_EQ(cp1250::ToUtf8(families.front()), "Az erő");
  for (const auto& f : families) EXPECT_NE(f, "ismeretlen");

  FormattedItem first = FormatItem(families.front(), "targy0", random, lookups);
  EXPECT_EQ(first.number, 1450);
  EXPECT_EQ(cp1250::ToUtf8(first.level), "1. szintű tárgy.");
  EXPECT_EQ(first.label, lookups.ItemName("1450"));
  EXPECT_EQ(FormatItem(families.front(), "targy16", random, lookups).number, 1466);
  FormattedItem last = FormatItem(families.back(), "targy449", random, lookups);
  EXPECT_EQ(last.number, 44649);
  EXPECT_EQ(cp1250::ToUtf8(last.level), "15. szintű relikvia.");
}

}  // namespace
}  // namespace mv
