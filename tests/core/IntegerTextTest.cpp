#include "core/IntegerText.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(IntegerText, Syntax) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"0", 0},
      {"12", 12},
      {"  12", 12},
      {"+7", 7},
      {"-7", -7},
      {"$1F", 31},
      {"x10", 16},
      {"X10", 16},
      {"0x10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", std::int32_t(-2147483648LL)},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"12 ", std::nullopt},
      {"12a", std::nullopt},
      {"vált", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"- 1", std::nullopt},
      {"1.5", std::nullopt},
      {"\t1", std::nullopt},
      {"0X10", std::nullopt},  // only a small x after the zero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(IntOrZero(c.text), c.value.value_or(0)) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace mv
