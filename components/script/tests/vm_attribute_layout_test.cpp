// Laid-out attribute tables against tables of named entries: the same declarations (and entries
// added by name afterwards) are found and listed in the same order, which snapshots write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/compiler_fixture.h"
#include "vm/attribute_layout.h"
#include "vm/attribute_table.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

class AttributeLayoutTest : public varno::testing::CompilerTest {
 protected:
  static std::vector<std::string> Listed(const AttributeTable* table) {
    std::vector<std::string> names;
    AttributeForEach(table, [&](const AttributeEntry* entry) { names.push_back(Utf8(entry->name)); });
    return names;
  }
};

TEST_F(AttributeLayoutTest, ALaidOutTableFindsAndListsAsATableOfNamedEntries) {
  // With 7 buckets "a" and "h" share one, as do "b" and "i"; "x2" is added twice.
  const std::vector<std::u16string> declared = {u"a", u"b", u"h", u"count", u"i", u"x2", u"x2"};
  const std::vector<std::u16string> added = {u"h", u"later", u"b2"};
  AttributeTable* named = nullptr;
  ASSERT_EQ(AttributeTableFactory(7, &named), kRTSuccess);
  std::vector<LayoutDeclaration> declarations;
  for (const std::u16string& name : declared) {
    ASSERT_EQ(AttributeAddLazy(named, name.c_str(), nullptr), kRTSuccess);
    declarations.push_back({name.c_str(), nullptr});
  }
  AttributeLayout* layout = AttributeLayoutMake(7, declarations);
  ASSERT_NE(layout, nullptr);
  AttributeTable* laid = nullptr;
  ASSERT_EQ(AttributeTableFromLayout(layout, &laid), kRTSuccess);
  AttributeLayoutRelease(layout);
  EXPECT_EQ(Listed(laid), Listed(named));
  for (const std::u16string& name : added) {
    ASSERT_EQ(AttributeAddLazy(named, name.c_str(), nullptr), kRTSuccess);
    ASSERT_EQ(AttributeAddLazy(laid, name.c_str(), nullptr), kRTSuccess);
  }
  EXPECT_EQ(Listed(laid), Listed(named));
  EXPECT_EQ(AttributeCount(laid), AttributeCount(named));
  // The newest entry of a name is the one found, in both.
  for (const char16_t* key : {u"H", u"X2", u"LATER", u"COUNT", u"MISSING"}) {
    const AttributeEntry* inNamed = AttributeFind(named, key);
    const AttributeEntry* inLaid = AttributeFind(laid, key);
    ASSERT_EQ(inNamed == nullptr, inLaid == nullptr) << Utf8(key);
    if (!inNamed) continue;
    std::vector<const AttributeEntry*> order[2];
    AttributeForEach(named, [&](const AttributeEntry* entry) { order[0].push_back(entry); });
    AttributeForEach(laid, [&](const AttributeEntry* entry) { order[1].push_back(entry); });
    const auto place = [](const std::vector<const AttributeEntry*>& entries, const AttributeEntry* entry) {
      for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == entry) return i;
      }
      return entries.size();
    };
    EXPECT_EQ(place(order[1], inLaid), place(order[0], inNamed)) << Utf8(key);
  }
  AttributeTableDestroy(named);
  AttributeTableDestroy(laid);
}

}  // namespace
