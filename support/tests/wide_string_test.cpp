#include "kivo/support/wide_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "host/core_host.h"

namespace {

using namespace kivo;
using WideString = tesk::testing::StartedCore;

TEST_F(WideString, EqualNoCaseLooksAtLowBytesAndFoldsOnlyAsciiCapitals) {
  const struct {
    const char16_t* a;
    const char16_t* b;
    int result;
  } cases[] = {
      {u"StreamOut", u"STREAMOUT", 0},
      {u"Root", u"RootX", 1},
      {u"", u"", 0},
      {u"[", u"{", 1},            // only A-Z fold
      {u"\u00C4", u"\u00E4", 1},  // Latin-1 letters are not folded
      {u"\u0141", u"a", 0},       // only the low byte 0x41 ('A') counts
      {u"x\u0100y", u"X", 0},     // a unit with low byte 0 ends the text
      {u"abc", u"abd", 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WideStrEqualNoCase(c.a, c.b), c.result) << std::string(c.a, c.a + WideStrLen(c.a)).c_str();
}

TEST_F(WideString, LengthCopyAndConcatenation) {
  EXPECT_EQ(WideStrLen(nullptr), 0u);
  EXPECT_EQ(WideStrLen(u"Root"), 4u);

  char16_t buffer[16] = u"stale";
  EXPECT_EQ(WideStrCopy(buffer, nullptr), buffer);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(WideStrCopy(nullptr, u"x"), nullptr);
  WideStrCopy(buffer, u"Root");
  WideStrCat(buffer, u":Tesk");
  EXPECT_EQ(std::u16string(buffer), u"Root:Tesk");

  EXPECT_TRUE(WideStrCopyBounded(buffer, 5, u"abcd"));
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  EXPECT_FALSE(WideStrCopyBounded(buffer, 4, u"abcd"));
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(WideString, CompareAndFind) {
  EXPECT_EQ(WideStrCompare(u"abc", u"abc"), 0);
  EXPECT_LT(WideStrCompare(u"ab", u"abc"), 0);
  EXPECT_GT(WideStrCompare(u"\u00E9", u"z"), 0);
  const char16_t* text = u"Root:Tesk:Assets";
  EXPECT_EQ(WideStrFind(text, u"Tesk"), text + 5);
  EXPECT_EQ(WideStrFind(text, u"tesk"), nullptr);
  EXPECT_EQ(WideStrFind(text, u""), text);
}

TEST_F(WideString, NarrowingKeepsLowBytesAndWideningIsLatin1) {
  char narrow[8];
  EXPECT_STREQ(WideStrToNarrow(u"Root", narrow), "Root");
  char16_t wide[8];
  EXPECT_EQ(std::u16string(WideFromNarrow("caf\xE9", wide)), u"caf\u00E9");
  EXPECT_EQ(WideStrUpperChar(u'a'), u'A');
  EXPECT_EQ(WideStrUpperChar(u'\u00E9'), u'\u00C9');
  EXPECT_EQ(WideStrUpperChar(u'1'), u'1');
}

TEST_F(WideString, NumbersFromText) {
  const struct {
    const char16_t* text;
    int32_t value;
  } integers[] = {
      {u"  42", 42}, {u"-17", -17}, {u"+8x", 8}, {u"abc", 0}, {u"", 0},
      {u"99999999999", INT32_MAX}, {u"-99999999999", INT32_MIN}, {u"-2147483648", INT32_MIN},
  };
  for (const auto& c : integers) EXPECT_EQ(WideStrToInt(c.text), c.value);
  EXPECT_DOUBLE_EQ(WideStrToFloat(u"3.5"), 3.5);
  EXPECT_DOUBLE_EQ(WideStrToFloat(u" -2e3"), -2000.0);
  EXPECT_DOUBLE_EQ(WideStrToFloat(u"x"), 0.0);
}

TEST_F(WideString, NumbersToText) {
  const struct {
    int32_t value;
    int radix;
    const char16_t* text;
  } cases[] = {
      {255, 16, u"ff"}, {-5, 10, u"-5"}, {-1, 16, u"ffffffff"}, {0, 2, u"0"},
      {INT32_MIN, 10, u"-2147483648"}, {INT32_MIN, 2, u"10000000000000000000000000000000"}, {7, 1, u""},
  };
  for (const auto& c : cases) {
    char16_t buffer[kWideIntTextUnits];
    EXPECT_EQ(std::u16string(WideStrFromInt(c.value, buffer, c.radix)), c.text) << c.value << " radix " << c.radix;
  }
}

TEST_F(WideString, DupMakesACoreArrayOfLengthPlusOne) {
  for (const char16_t* text : {static_cast<const char16_t*>(nullptr), u"", u"abc"}) {
    char16_t* copy = nullptr;
    ASSERT_EQ(WideStrDup(text, &copy), kRTSuccess);
    uint32_t count = 0;
    EXPECT_EQ(core().ArrayGetCount(nullptr, copy, &count), kRTSuccess);
    EXPECT_EQ(count, WideStrLen(text) + 1);
    EXPECT_EQ(std::u16string(copy), text ? text : u"");
    core().ArrayFree(nullptr, copy);
  }
}

}  // namespace
