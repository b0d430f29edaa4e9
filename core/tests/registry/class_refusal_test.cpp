// A class whose definition is refused when its library is loaded: the library is unloaded again,
// the creation fails, and a later creation starts from scratch.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fixtures/fixture_classes.h"
#include "registry_host.h"

namespace {

using namespace regtest;

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// RTRegBroken registered while sound; its definition is broken only for the loads under test.
class Refusal : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv(regfix::kBrokenFieldVariable);
    ASSERT_EQ(registry_.Start(), kRTSuccess);
    ASSERT_NE(registry_.Handle(u"RTRegBroken"), kNoComponent);
  }
  void TearDown() override {
    unsetenv(regfix::kBrokenFieldVariable);
    EXPECT_EQ(registry_.Stop(), 0) << "core memory blocks left at shutdown";
  }

  // Two creations under the broken definition: both fail with the expected message, and the
  // library is not left loaded. Then the sound definition loads and works.
  void ExpectRefusedTwiceThenLoaded(const char* broken, const std::string& message) {
    setenv(regfix::kBrokenFieldVariable, broken, 1);
    registry_.Mark();
    EXPECT_EQ(registry_.Create(u"RTRegBroken"), nullptr) << broken;
    EXPECT_FALSE(IsFixtureLoaded("RTRegBroken")) << broken;
    EXPECT_EQ(registry_.Create(u"RTRegBroken"), nullptr) << broken;
    EXPECT_FALSE(IsFixtureLoaded("RTRegBroken")) << broken;
    EXPECT_EQ(Occurrences(registry_.NewLog(), message + "\n"), 2u) << broken << "\n" << registry_.NewLog();

    unsetenv(regfix::kBrokenFieldVariable);
    RTInstance instance = registry_.Create(u"RTRegBroken");
    ASSERT_NE(instance, nullptr) << broken;
    auto ping = reinterpret_cast<regfix::FixtureMethod>(
        kivo::SlotEntry(kivo::LevelTable(kivo::ComponentObject(instance), 0x08), 0x00));
    EXPECT_EQ(ping(instance), regfix::kBrokenPingCode) << broken;
  }

  std::string Refused(const std::string& problem) const {
    return "Cannot load component: " + registry_.ModulePath("RTRegBroken.so") +
           ". The definition is refused: " + problem + ".";
  }

  RegistryHost registry_{"RTRegBroken", "RTRegParent"};
};

TEST_F(Refusal, RefusedRecordUnloadsTheLibraryAndLoadsCleanlyLater) {
  ExpectRefusedTwiceThenLoaded("vendorName", "Missing Field: RTComponentDef.fpVendorName");
}

TEST_F(Refusal, MissingParentClass) {
  ExpectRefusedTwiceThenLoaded("parentMissing", "Cannot locate component: RTRegNowhere");
}

TEST_F(Refusal, ClassThatIsItsOwnParent) {
  ExpectRefusedTwiceThenLoaded("parentSelf", Refused("its parent classes lead back to itself"));
}

TEST_F(Refusal, ObjectSmallerThanItsParents) {
  ExpectRefusedTwiceThenLoaded("objectSmaller", Refused("its object is smaller than its parent's"));
}

TEST_F(Refusal, TablePointerOutsideTheObject) {
  ExpectRefusedTwiceThenLoaded("tableOutside",
                               Refused("its method-slot table pointers do not lie in its own words of the object"));
}

TEST_F(Refusal, TablePointerInsideTheParentsObject) {
  ExpectRefusedTwiceThenLoaded("tableInParent", Refused("its method-slot table pointers lie inside its parent's object"));
}

TEST_F(Refusal, MethodSlotOutsideItsTable) {
  ExpectRefusedTwiceThenLoaded("slotOutside", Refused("the slot of method Ping lies outside its method-slot table"));
}

TEST_F(Refusal, ObjectTooLargeForTheCore) {
  ExpectRefusedTwiceThenLoaded("objectHuge", Refused("its object or method-slot table is too large"));
}

TEST_F(Refusal, SlotTableTooLargeForTheCore) {
  ExpectRefusedTwiceThenLoaded("tableHuge", Refused("its object or method-slot table is too large"));
}

TEST_F(Refusal, NoMethodTable) { ExpectRefusedTwiceThenLoaded("noMethodTable", Refused("it has no method table")); }

// The parent loaded for a refused class is given back: nothing else uses it, so it is unloaded.
TEST_F(Refusal, ParentLoadedForARefusedClassIsUnloadedAgain) {
  ASSERT_FALSE(IsFixtureLoaded("RTRegParent"));
  ExpectRefusedTwiceThenLoaded("smallerThanRegParent", Refused("its object is smaller than its parent's"));
  EXPECT_FALSE(IsFixtureLoaded("RTRegParent"));
}

}  // namespace
