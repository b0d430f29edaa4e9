// Kind tests, properties and the component and class name queries.
#include <gtest/gtest.h>

#include "kivo/component_def.h"
#include "registry_host.h"

namespace {

using namespace regtest;

class Queries : public ClassTest {
 protected:
  void SetUp() override {
    ClassTest::SetUp();
    parent_ = registry_.Create(u"RTRegParent");
    child_ = registry_.Create(u"RTRegChild");
    grandchild_ = registry_.Create(u"RTRegGrandchild");
    sibling_ = registry_.Create(u"RTRegSibling");
    ASSERT_TRUE(parent_ && child_ && grandchild_ && sibling_);
  }

  CoreTable& core() { return registry_.core(); }

  RTInstance parent_ = nullptr;
  RTInstance child_ = nullptr;
  RTInstance grandchild_ = nullptr;
  RTInstance sibling_ = nullptr;
};

TEST_F(Queries, KindAndInstanceTests) {
  const struct {
    RTInstance instance;
    const char16_t* className;
    uint32_t kind;
    uint32_t instanceOf;
  } cases[] = {
      {grandchild_, u"RTRegGrandchild", 1, 1}, {grandchild_, u"rtregchild", 1, 0},
      {grandchild_, u"RTREGPARENT", 1, 0},     {grandchild_, u"RTComponent", 1, 0},
      {grandchild_, u"RTRegSibling", 0, 0},    {child_, u"RTRegGrandchild", 0, 0},
      {sibling_, u"RTRegChild", 0, 0},         {parent_, u"RTRegParent", 1, 1},
      {parent_, u"RTRegChild", 0, 0},          {child_, u"RTStream", 0, 0},
      {nullptr, u"RTRegParent", 0, 0},
  };
  for (const auto& c : cases) {
    const std::string what = Utf8(c.className) + (c.instance ? "" : " (null instance)");
    const RTComponentHandle handle = registry_.Handle(c.className);
    ASSERT_NE(handle, kNoComponent) << what;
    EXPECT_EQ(core().IsKindOf(nullptr, c.instance, handle), c.kind) << what;
    EXPECT_EQ(core().IsKindOfByName(nullptr, c.instance, c.className), c.kind) << what;
    EXPECT_EQ(core().IsInstanceOf(nullptr, c.instance, handle), c.instanceOf) << what;
    EXPECT_EQ(core().IsInstanceOfByName(nullptr, c.instance, c.className), c.instanceOf) << what;
  }
  registry_.Mark();
  EXPECT_EQ(core().IsKindOfByName(nullptr, grandchild_, u"RTRegNowhere"), 0u);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, grandchild_, u"RTRegNowhere"), 0u);
  EXPECT_EQ(core().IsKindOf(nullptr, grandchild_, kNoComponent), 0u);
  EXPECT_NE(registry_.NewLog().find("Cannot locate component: RTRegNowhere\n"), std::string::npos);
}

TEST_F(Queries, PropertyTableIsTheParentsThenTheClassesOwn) {
  const struct {
    RTInstance instance;
    std::vector<std::u16string> names;
  } cases[] = {
      {parent_, {u"Color", u"Size"}},
      {child_, {u"Color", u"Size", u"Weight"}},
      {grandchild_, {u"Color", u"Size", u"Weight", u"Height"}},
      {sibling_, {u"Color", u"Size"}},
  };
  for (const auto& c : cases) {
    RTPropertyRecord* table = nullptr;
    uint32_t count = 0;
    ASSERT_EQ(core().GetPropertyTable(nullptr, c.instance, &table, &count), kRTSuccess);
    ASSERT_EQ(count, c.names.size());
    for (uint32_t i = 0; i < count; ++i) {
      EXPECT_EQ(std::u16string(table[i].name), c.names[i]);
      RTPropertyRecord* found = nullptr;
      const std::u16string lower = [&] {
        std::u16string text = c.names[i];
        for (char16_t& unit : text) unit = unit >= u'A' && unit <= u'Z' ? unit + 32 : unit;
        return text;
      }();
      ASSERT_EQ(core().FindProperty(nullptr, c.instance, lower.c_str(), &found), kRTSuccess) << Utf8(lower);
      EXPECT_EQ(found, &table[i]) << Utf8(lower) << ": the record of the merged table";
    }
  }
  RTPropertyRecord* table = nullptr;
  uint32_t count = 0;
  core().GetPropertyTable(nullptr, grandchild_, &table, &count);
  EXPECT_EQ(table[3].typeCode, 0x0404u) << "records are copied whole";

  RTPropertyRecord* found = nullptr;
  EXPECT_EQ(core().FindProperty(nullptr, grandchild_, u"Colour", &found), kRTFailure);
  EXPECT_EQ(core().FindProperty(nullptr, parent_, u"Weight", &found), kRTFailure);
  EXPECT_EQ(core().FindProperty(nullptr, nullptr, u"Color", &found), kRTFailure);
  EXPECT_EQ(core().GetPropertyTable(nullptr, nullptr, &table, &count), kRTFailure);

  RTInstance component = registry_.Create(u"RTComponent");
  ASSERT_EQ(core().GetPropertyTable(nullptr, component, &table, &count), kRTSuccess);
  EXPECT_EQ(count, 0u);
}

TEST_F(Queries, ComponentCountAndNames) {
  const char16_t* const expected[] = {u"RTComponent",      u"RTMemoryStream", u"RTRegChild",   u"RTRegGrandchild",
                                      u"RTRegHollow",      u"RTRegHollowChild", u"RTRegParent", u"RTRegSibling",
                                      u"RTRegSignatures", u"RTStream"};
  uint32_t count = 0;
  ASSERT_EQ(core().GetComponentCount(nullptr, &count), kRTSuccess);
  ASSERT_EQ(count, std::size(expected));
  char16_t buffer[32];
  for (uint32_t i = 0; i < count; ++i) {
    ASSERT_EQ(core().GetComponentName(nullptr, i, buffer, 32), kRTSuccess) << i;
    EXPECT_EQ(std::u16string(buffer), expected[i]);
    EXPECT_EQ(registry_.Handle(expected[i]), i);
  }
  std::fill(std::begin(buffer), std::end(buffer), u'x');
  EXPECT_EQ(core().GetComponentName(nullptr, count, buffer, 32), kRTFailure) << "index equal to the count";
  EXPECT_EQ(buffer[0], 0);
  // The length must exceed the name's length.
  buffer[0] = u'x';
  EXPECT_EQ(core().GetComponentName(nullptr, 0, buffer, 11), kRTFailure);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(core().GetComponentName(nullptr, 0, buffer, 12), kRTSuccess);
  EXPECT_EQ(std::u16string(buffer), u"RTComponent");
}

TEST_F(Queries, ClassNameAndComponentOfAnInstance) {
  char16_t buffer[32];
  ASSERT_EQ(core().GetClassName(nullptr, grandchild_, buffer, 32), kRTSuccess);
  EXPECT_EQ(std::u16string(buffer), u"RTRegGrandchild");
  EXPECT_EQ(core().GetClassName(nullptr, grandchild_, buffer, 15), kRTFailure);
  EXPECT_EQ(core().GetClassName(nullptr, grandchild_, buffer, 16), kRTSuccess);
  EXPECT_EQ(core().GetClassName(nullptr, nullptr, buffer, 32), kRTFailure);

  RTComponentHandle handle = kNoComponent;
  ASSERT_EQ(core().GetComponentOfInstance(nullptr, sibling_, &handle), kRTSuccess);
  EXPECT_EQ(handle, registry_.Handle(u"RTRegSibling"));
  EXPECT_EQ(core().GetComponentOfInstance(nullptr, nullptr, &handle), kRTFailure);
}

TEST_F(Queries, ComponentHandleIgnoresCaseAndReportsAnUnknownClass) {
  const RTComponentHandle parent = registry_.Handle(u"RTRegParent");
  ASSERT_NE(parent, kNoComponent);
  for (const char16_t* name : {u"rtregparent", u"RTREGPARENT", u"rTrEgPaReNt"})
    EXPECT_EQ(registry_.Handle(name), parent) << Utf8(name);

  registry_.Mark();
  RTComponentHandle handle = 0;
  EXPECT_EQ(core().GetComponentHandle(nullptr, u"rtregnowhere", &handle), kRTFailure);
  EXPECT_EQ(handle, kNoComponent);
  EXPECT_NE(registry_.NewLog().find("Cannot locate component: rtregnowhere\n"), std::string::npos);
  EXPECT_EQ(core().GetComponentHandle(nullptr, u"RTRegParent", nullptr), kRTFailure);
}

TEST_F(Queries, RootPathIsTheRegistryValue) {
  char16_t buffer[128];
  ASSERT_EQ(core().GetRootPath(nullptr, buffer, sizeof buffer), kRTSuccess);
  EXPECT_EQ(Utf8(buffer), registry_.host().root().string());
  EXPECT_EQ(core().GetRootPath(nullptr, buffer, 8), kRTFailure) << "a value longer than the buffer";
}

}  // namespace
