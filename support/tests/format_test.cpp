#include "kivo/support/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using kivo::Format;

TEST(Format, Conversions) {
  const char16_t* nullText = nullptr;
  const struct {
    std::u16string actual;
    std::u16string expected;
  } cases[] = {
      {Format(u"(%d) %s", 12, u"text"), u"(12) text"},
      {Format(u"%d|%i", -7, INT32_MIN), u"-7|-2147483648"},
      {Format(u"%u", -1), u"4294967295"},
      {Format(u"%u", int64_t{-1}), u"18446744073709551615"},
      {Format(u"%d", uint64_t{5000000000}), u"5000000000"},
      {Format(u"%x %X 0x%04X", 255, 255, 0x1a), u"ff FF 0x001A"},
      {Format(u"%05d|%+d|%+d|% d", 42, 5, -5, 3), u"00042|+5|-5| 3"},
      {Format(u"%-5d|%5d|%-6s|%6s", 1, 2, "ab", u"cd"), u"1    |    2|ab    |    cd"},
      {Format(u"%.2f|%f|%.0f|%08.3f", 3.14159, 1.5, 2.5, -1.25), u"3.14|1.500000|2|-001.250"},
      {Format(u"%c%c", u'Z', 0x41), u"ZA"},
      {Format(u"100%%"), u"100%"},
      {Format(u"%s|%s|%.3s", "caf\xE9", nullText, u"abcdef"), u"caf\u00E9|(null)|abc"},
      {Format(u"%s and %s", 7, 2.5f), u"7 and 2.500000"},
      {Format(u"%d", 3.9), u"3"},
      {Format(u"%d %d", 1), u"1 "},
      {Format(u"%d", 1, 2), u"1"},
      {Format(u"%ld %lu", 3, 4u), u"3 4"},
      {Format(u"%s", std::u16string(u"owned")), u"owned"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.actual, c.expected) << std::string(c.expected.begin(), c.expected.end());
}

TEST(Format, BoundedOutputTruncatesAndTerminates) {
  char16_t buffer[5];
  EXPECT_FALSE(kivo::FormatTo(buffer, 5, u"%s", u"abcdefgh"));
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  EXPECT_TRUE(kivo::FormatTo(buffer, 5, u"%d", 1234));
  EXPECT_EQ(std::u16string(buffer), u"1234");
  EXPECT_FALSE(kivo::FormatTo(buffer, 0, u"x"));
}

}  // namespace
