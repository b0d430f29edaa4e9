// Counted strings: shared by counting, grown in place only for their one holder, and plain texts
// (native code's and the compiler's) accepted wherever a string is shared or released.
#include <gtest/gtest.h>

#include <string>

#include "compiler/core_records.h"
#include "kivo/support/hash_table.h"
#include "tests/compiler_fixture.h"
#include "vm/counted_string.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

class CountedStringTest : public varno::testing::CompilerTest {};

uint32_t PlainHash(const char16_t* text) {
  uint32_t hash = 0;
  kivo::HashWideString(text, &hash);
  return hash;
}

TEST_F(CountedStringTest, OnlyTheOneHolderGrowsAStringAndItsHashFollows) {
  char16_t* text = StringMake(u"ab");
  char16_t* shared = StringShare(text);
  EXPECT_EQ(shared, text) << "sharing counts, it does not copy";
  EXPECT_FALSE(StringSoleHolder(text));
  StringRelease(shared);
  ASSERT_TRUE(StringSoleHolder(text));
  EXPECT_EQ(StringHash(text), PlainHash(u"ab"));
  std::u16string expected = u"ab";
  for (int i = 0; i < 40; ++i) {  // past several capacities
    text = StringAppend(text, u"cd");
    ASSERT_NE(text, nullptr);
    expected += u"cd";
  }
  EXPECT_EQ(std::u16string(text), expected);
  EXPECT_EQ(StringLength(text), expected.size());
  EXPECT_EQ(StringHash(text), PlainHash(expected.c_str())) << "the cached hash is the grown text's";
  StringRelease(text);
}

TEST_F(CountedStringTest, PlainTextsAreCopiedWhenSharedAndFreedWhenReleased) {
  const auto before = MemoryStats();
  char16_t* plain = CopyText(u"native");
  char16_t* counted = StringShare(plain);
  ASSERT_NE(counted, nullptr);
  EXPECT_NE(counted, plain);
  EXPECT_EQ(Utf8(counted), "native");
  EXPECT_FALSE(StringSoleHolder(plain)) << "a plain text is never changed in place";
  EXPECT_TRUE(StringSoleHolder(counted));
  StringRelease(plain);
  StringRelease(counted);
  StringRelease(nullptr);
  EXPECT_EQ(StringShare(nullptr), nullptr);
  EXPECT_EQ(MemoryStats(), before);
}

TEST_F(CountedStringTest, NeverAssignedStringsShareOneText) {
  char16_t* first = StringUnassigned();
  char16_t* second = StringUnassigned();
  EXPECT_EQ(first, second);
  EXPECT_EQ(Utf8(first), ".!p@@p!.");
  StringRelease(first);
  StringRelease(second);
  StringShutdown();
}

}  // namespace
