#include "core/Cp1250.h"

#include <gtest/gtest.h>

#include "tests/core/Cp1250Reference.h"

namespace mv {
namespace {

TEST(Cp1250, EveryDefinedByteMatchesTheReferenceConverter) {
  int undefined = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string expected = ReferenceToUtf8(static_cast<unsigned char>(b));
    if (expected.empty() && b != 0) {
      ++undefined;
      continue;
    }
    EXPECT_EQ(cp1250::ToUtf8(std::string(1, char(b))), b == 0 ? std::string(1, '\0') : expected) << "byte " << b;
  }
  EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, AllBytesRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += char(b);
  EXPECT_EQ(cp1250::FromUtf8(cp1250::ToUtf8(all)), all);
}

TEST(Cp1250, UndefinedBytesSurviveAsC1Controls) {
  for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
    const std::string utf8 = cp1250::ToUtf8(std::string(1, char(b)));
    EXPECT_EQ(utf8, std::string({char(0xC2), char(b)}));
    EXPECT_EQ(cp1250::FromUtf8(utf8), std::string(1, char(b)));
  }
}

TEST(Cp1250, EncodingReplacesWhatTheCodePageLacks) {
  struct Case {
    const char* utf8;
    std::string expected;
  } cases[] = {
      {"őŐűŰ", "\xF5\xD5\xFB\xDB"},
      {"€", "\x80"},
      {"日本", "??"},  // not in the code page
      {"a\xFF"
       "b",
       "a?b"},                  // malformed byte
      {"\xE2\x82", "??"},       // truncated sequence
      {"\xC0\x80", "??"},       // overlong NUL
      {"\xED\xA0\x80", "???"},  // surrogate
      {"😀x", "?x"},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1250::FromUtf8(c.utf8), c.expected) << c.utf8;
}

TEST(Cp1250, CompileTimeLiteralEqualsRuntimeConversion) {
  EXPECT_EQ(std::string("Ellenőrző szám"_w), cp1250::FromUtf8("Ellenőrző szám"));
  EXPECT_EQ("Ű"_w.size(), 1u);
}

TEST(Cp1250, HungarianLetterCase) {
  EXPECT_EQ(cp1250::Lower("ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"_w), std::string("árvíztűrő tükörfúrógép"_w));
  EXPECT_EQ(cp1250::Upper("árvíztűrő tükörfúrógép"_w), std::string("ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"_w));
  EXPECT_EQ(cp1250::Upper("ß×÷"_w), std::string("ß×÷"_w));  // no capitals
  EXPECT_EQ(cp1250::Lower("ŠŁŻ"_w), std::string("šłż"_w));
}

}  // namespace
}  // namespace mv
