// The template object of a class as every new instance receives it: one pair of method-slot
// tables per class level, overrides written into the first tables of the levels above.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "fixtures/fixture_classes.h"
#include "kivo/support/component_calls.h"
#include "registry_host.h"

namespace {

using namespace regtest;
using namespace regfix;
using kivo::ComponentObject;
using kivo::LevelTable;
using kivo::SlotEntry;
using kivo::SlotTable;

constexpr uint32_t kComponentOwn = 0;           // RTComponent's own function at that slot
constexpr uint32_t kEmptySlot = 0xFFFFFFFFu;   // no function

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

class Templates : public ClassTest {
 protected:
  void SetUp() override {
    ClassTest::SetUp();
    // The most derived classes first, so that a parent's own tables are looked at after its
    // children have been built.
    for (const char16_t* name : {u"RTRegGrandchild", u"RTRegChild", u"RTRegSibling", u"RTRegHollowChild",
                                 u"RTRegHollow", u"RTRegParent", u"RTComponent"}) {
      RTInstance instance = registry_.Create(name);
      ASSERT_NE(instance, nullptr) << Utf8(name);
      objects_[name] = ComponentObject(instance);
    }
  }

  RTMethodFunc Entry(const std::u16string& className, uint32_t tableOffset, uint32_t slot) {
    return SlotEntry(LevelTable(objects_.at(className), tableOffset), slot);
  }
  SlotTable Table(const std::u16string& className, uint32_t tableOffset) {
    return LevelTable(objects_.at(className), tableOffset);
  }

  std::map<std::u16string, kivo::ObjectWord*> objects_;
};

TEST_F(Templates, EachLevelsTablesHoldTheExpectedFunctions) {
  const struct {
    const char16_t* className;
    uint32_t table;
    uint32_t slot;
    uint32_t code;
  } rows[] = {
      // Three levels of overrides: the lowest level wins in every level above it; second tables
      // keep each level's own function.
      {u"RTRegGrandchild", kComponentFirst, kComponentGetName, kGrandchildGetNameCode},
      {u"RTRegGrandchild", kComponentSecond, kComponentGetName, kComponentOwn},
      {u"RTRegGrandchild", kComponentFirst, kivo::component::kStreamOut, kComponentOwn},
      {u"RTRegGrandchild", kParentFirst, kParentMyMethod, kGrandchildMyMethodCode},
      {u"RTRegGrandchild", kParentFirst, kParentOther, kParentOtherCode},
      {u"RTRegGrandchild", kParentFirst, kParentShared, kParentSharedCode},
      {u"RTRegGrandchild", kParentSecond, kParentMyMethod, kParentMyMethodCode},
      {u"RTRegGrandchild", kChildFirst, kChildMyMethod, kGrandchildMyMethodCode},
      {u"RTRegGrandchild", kChildFirst, kChildShared, kChildSharedCode},
      {u"RTRegGrandchild", kChildSecond, kChildMyMethod, kChildMyMethodCode},
      {u"RTRegGrandchild", kGrandchildFirst, kGrandchildMyMethod, kGrandchildMyMethodCode},
      {u"RTRegGrandchild", kGrandchildFirst, kGrandchildGetName, kGrandchildGetNameCode},
      {u"RTRegGrandchild", kGrandchildSecond, kGrandchildGetName, kGrandchildGetNameCode},
      // The child's "mymethod" replaces the parent's MyMethod; its Shared, declared without the
      // override flag, does not replace the parent's.
      {u"RTRegChild", kComponentFirst, kComponentGetName, kComponentOwn},
      {u"RTRegChild", kParentFirst, kParentMyMethod, kChildMyMethodCode},
      {u"RTRegChild", kParentFirst, kParentOther, kParentOtherCode},
      {u"RTRegChild", kParentFirst, kParentShared, kParentSharedCode},
      {u"RTRegChild", kParentSecond, kParentMyMethod, kParentMyMethodCode},
      {u"RTRegChild", kChildFirst, kChildMyMethod, kChildMyMethodCode},
      {u"RTRegChild", kChildFirst, kChildShared, kChildSharedCode},
      {u"RTRegChild", kChildSecond, kChildShared, kChildSharedCode},
      // The sibling sees its own override and none of the child's.
      {u"RTRegSibling", kParentFirst, kParentMyMethod, kParentMyMethodCode},
      {u"RTRegSibling", kParentFirst, kParentOther, kSiblingOtherCode},
      {u"RTRegSibling", kParentSecond, kParentOther, kParentOtherCode},
      {u"RTRegSibling", kSiblingFirst, kSiblingOther, kSiblingOtherCode},
      {u"RTRegSibling", kSiblingSecond, kSiblingOther, kSiblingOtherCode},
      // An override reaches across a level without methods.
      {u"RTRegHollowChild", kParentFirst, kParentShared, kHollowChildSharedCode},
      {u"RTRegHollowChild", kParentFirst, kParentMyMethod, kParentMyMethodCode},
      {u"RTRegHollowChild", kParentSecond, kParentShared, kParentSharedCode},
      {u"RTRegHollowChild", kHollowFirst, 0x00, kEmptySlot},
      {u"RTRegHollowChild", kHollowChildFirst, kHollowChildShared, kHollowChildSharedCode},
      {u"RTRegHollowChild", kHollowChildSecond, kHollowChildShared, kHollowChildSharedCode},
      // The parent's own tables, built before its children, are untouched by their overrides.
      {u"RTRegParent", kComponentFirst, kComponentGetName, kComponentOwn},
      {u"RTRegParent", kParentFirst, kParentMyMethod, kParentMyMethodCode},
      {u"RTRegParent", kParentFirst, kParentOther, kParentOtherCode},
      {u"RTRegParent", kParentFirst, kParentShared, kParentSharedCode},
      {u"RTRegParent", kParentSecond, kParentMyMethod, kParentMyMethodCode},
  };
  std::set<RTMethodFunc> componentFunctions;
  for (uint32_t slot : {0x00u, 0x04u, 0x0Cu, 0x10u}) componentFunctions.insert(Entry(u"RTComponent", 0, slot));

  for (const auto& row : rows) {
    const RTMethodFunc entry = Entry(row.className, row.table, row.slot);
    const std::string where = Utf8(row.className) + " table " + Hex(row.table) + " slot " + Hex(row.slot);
    if (row.code == kEmptySlot) {
      EXPECT_EQ(entry, nullptr) << where;
    } else if (row.code == kComponentOwn) {
      EXPECT_EQ(entry, Entry(u"RTComponent", row.table, row.slot)) << where;
    } else if (entry == nullptr || componentFunctions.count(entry)) {
      ADD_FAILURE() << where << ": no fixture method";
    } else {
      EXPECT_EQ(reinterpret_cast<FixtureMethod>(entry)(nullptr), row.code) << where;
    }
  }
}

TEST_F(Templates, EachClassHasItsOwnCopiesOfItsAncestorsTables) {
  for (uint32_t table : {kComponentFirst, kComponentSecond, kParentFirst, kParentSecond}) {
    std::set<SlotTable> tables;
    for (const char16_t* name : {u"RTRegGrandchild", u"RTRegChild", u"RTRegSibling", u"RTRegParent"})
      tables.insert(Table(name, table));
    EXPECT_EQ(tables.size(), 4u) << "table " << Hex(table);
  }
  EXPECT_NE(Table(u"RTRegGrandchild", kChildFirst), Table(u"RTRegChild", kChildFirst));
  // Instances share their class's tables: a second child holds the same ones.
  RTInstance second = registry_.Create(u"RTRegChild");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(ComponentObject(second), objects_.at(u"RTRegChild"));
  for (uint32_t table : {kParentFirst, kParentSecond, kChildFirst, kChildSecond})
    EXPECT_EQ(LevelTable(ComponentObject(second), table), Table(u"RTRegChild", table));
}

TEST_F(Templates, LevelWithoutMethodsKeepsTheAncestorsOwnTables) {
  EXPECT_EQ(Table(u"RTRegHollowChild", kHollowFirst), Table(u"RTRegHollow", kHollowFirst));
  EXPECT_EQ(Table(u"RTRegHollowChild", kHollowSecond), Table(u"RTRegHollow", kHollowSecond));
  EXPECT_NE(Table(u"RTRegHollowChild", kParentFirst), Table(u"RTRegHollow", kParentFirst));
}

TEST_F(Templates, ConstructHooksRunParentsFirst) {
  const auto trace = [this](const char16_t* name) {
    return reinterpret_cast<uintptr_t>(kivo::Word(objects_.at(name), kTraceWord));
  };
  EXPECT_EQ(trace(u"RTRegGrandchild"), 0x123u);
  EXPECT_EQ(trace(u"RTRegChild"), 0x12u);
  EXPECT_EQ(trace(u"RTRegSibling"), 0x1u);
  EXPECT_EQ(trace(u"RTRegParent"), 0x1u);
}

}  // namespace
