#include "platform/utf.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf, ConvertsBothWaysIncludingSurrogatePairs) {
  const std::u16string text = u"Caf\u00E9 \u20AC \U0001F600";
  const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
  EXPECT_EQ(platform::ToUtf8(text), utf8);
  EXPECT_EQ(platform::FromUtf8(utf8), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(platform::ToUtf8(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(platform::FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(platform::FromUtf8("\xC3"), u"\uFFFD") << "truncated sequence";
  EXPECT_EQ(platform::FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong encoding";
}

}  // namespace
