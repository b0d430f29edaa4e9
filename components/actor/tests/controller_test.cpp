// The controller's construction on a fixture pack: what its record holds, the motions of the table
// (shared by every controller of the library), a pack without one motion or font, and a
// controller whose construction failed.
#include <algorithm>
#include <string>

#include "actor_fixture.h"
#include "actor_state.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/timer/timer_calls.h"

namespace {

using namespace actortest;
using kivo::InstanceRef;
namespace calls = kivo::actor;
using tesk::actor::ActorControllerData;

ActorControllerData* RecordOf(RTInstance actor) {
  return kivo::StateIn<ActorControllerData>(actor, calls::kStateWord);
}

size_t TimesInTable(const std::string& name) {
  return static_cast<size_t>(std::count(std::begin(kMotionTable), std::end(kMotionTable), name));
}

class Controller : public ActorTest {
 protected:
  RTInstance Singleton(const char16_t* className) {
    InstanceRef found;
    core().GetFirstInstanceByString(nullptr, className, found.out(), 0, nullptr);
    return found.get();
  }
  RTInstance Named(const char16_t* path) {
    InstanceRef found;
    core().GetInstanceByName(nullptr, path, found.out(), 0);
    return found.get();
  }
};

TEST_F(Controller, HoldsItsSingletonsFontsListsAndDefaults) {
  InstanceRef actor = NewController();
  const ActorControllerData* record = RecordOf(actor.get());
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->timer, Singleton(kivo::timer::kClassName));
  EXPECT_EQ(record->rasterizer, rasterizer());
  EXPECT_EQ(record->script, Singleton(u"RTVarno"));
  EXPECT_EQ(record->nameFont, Named(u"Root:Fonts:Verdana"));
  EXPECT_EQ(record->largeFont, Named(u"Root:Fonts:Verdana19"));
  for (const kivo::List* list : {record->actorList, record->routeScratch, record->vehicles}) {
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 0u);
  }
  EXPECT_EQ(record->game, nullptr);
  EXPECT_EQ(record->vm, nullptr);
  EXPECT_EQ(record->meshFolder, nullptr) << "the pack has no mesh folder";
  EXPECT_EQ(record->vehicleMovementFree, 1u);
  EXPECT_EQ(record->debug, 0u);
  RTComponentHandle skinClass = kNoComponent;
  ASSERT_EQ(core().GetComponentHandle(nullptr, u"RTTeskSkin", &skinClass), kRTSuccess);
  EXPECT_EQ(record->skinClass, skinClass);
}

TEST_F(Controller, LoadsEveryMotionOfTheTableOncePerIndex) {
  InstanceRef actor = NewController();
  for (const char* name : kMotionTable)
    EXPECT_EQ(HeldReferences(kMotionFolder + std::string(name)), static_cast<int>(TimesInTable(name))) << name;
  EXPECT_EQ(HeldReferences(kMotionFolder + std::string("GNMSTND1")), 2) << "indices 1 and 44";
  actor.Reset();
  for (const char* name : kMotionTable) EXPECT_EQ(HeldReferences(kMotionFolder + std::string(name)), 0) << name;
}

TEST_F(Controller, ControllersShareOneSetOfMotionsReleasedWithTheLast) {
  const std::string walk = kMotionFolder + std::string("walk");
  InstanceRef first = NewController();
  InstanceRef second = NewController();
  ASSERT_NE(RecordOf(second.get()), nullptr);
  EXPECT_EQ(HeldReferences(walk), 1);
  first.Reset();
  EXPECT_EQ(HeldReferences(walk), 1);
  uint32_t texture = 7;
  EXPECT_EQ(calls::RetrieveHead(second.get(), u"SMITH", 0, &texture), kRTFailure) << "the shared cache is empty";
  EXPECT_EQ(texture, 0u);
  second.Reset();
  EXPECT_EQ(HeldReferences(walk), 0);
}

TEST_F(Controller, PropertiesStartAtTheirDefaultsAndEachKeepsItsOwnValue) {
  InstanceRef actor = NewController();
  RTPropertyRecord* table = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(core().GetPropertyTable(nullptr, actor.get(), &table, &count), kRTSuccess);
  const struct {
    const char16_t* name;
    float start;
  } expected[] = {{calls::kLateralGain, 0.0f},          {calls::kBrakingGain, 0.2f},
                  {calls::kLateralSlowingMin, 0.0f},    {calls::kLateralSlowingMax, 1.0f},
                  {calls::kWheelchairWheelBlend, 0.2f}, {calls::kGurneyWheelBlend, 0.18f},
                  {calls::kActorAvoidanceGain, 1.5f}};
  ASSERT_EQ(count, std::size(expected));
  using Getter = RTSuccess (*)(RTInstance, float*);
  using Setter = RTSuccess (*)(RTInstance, const float*);
  const auto get = [&](uint32_t i) {
    float value = -1;
    EXPECT_EQ(reinterpret_cast<Getter>(table[i].getter)(actor.get(), &value), kRTSuccess);
    return value;
  };
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(std::u16string(table[i].name), expected[i].name);
    EXPECT_EQ(table[i].typeCode, calls::kFloatPropertyType);
    EXPECT_EQ(get(i), expected[i].start);
  }
  float blend = 0.75f;
  ASSERT_EQ(reinterpret_cast<Setter>(table[4].setter)(actor.get(), &blend), kRTSuccess);
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(get(i), i == 4 ? 0.75f : expected[i].start);
}

TEST_F(Controller, RetrieveHeadRefusesUnknownAndOverlongKeys) {
  InstanceRef actor = NewController();
  const std::u16string overlong(200, u'A');
  for (const char16_t* key : {u"NOBODY", overlong.c_str(), static_cast<const char16_t*>(nullptr)}) {
    uint32_t texture = 7;
    EXPECT_EQ(calls::RetrieveHead(actor.get(), key, 1, &texture), kRTFailure);
    EXPECT_EQ(texture, 0u);
  }
}

// A pack without one instance the construction needs.
struct Missing {
  const char* path;
  bool motion;
};

class MissingFromThePack : public ActorTest, public ::testing::WithParamInterface<Missing> {
 protected:
  std::string LeftOut() const override { return GetParam().path; }
};

// The first attempt loads the component libraries and fetches stored instances, which stay; the
// second must end where the first did.
TEST_P(MissingFromThePack, FailsConstructionAndLeavesNothingBehind) {
  const auto attempt = [&] {
    InstanceRef actor = NewController();
    EXPECT_EQ(RecordOf(actor.get()), nullptr);
    uint32_t texture = 7;
    EXPECT_EQ(calls::RetrieveHead(actor.get(), u"SMITH", 0, &texture), kRTFailure);
    EXPECT_EQ(texture, 0u);
  };
  attempt();
  const std::string message = ") (RTTeskActor) Cannot load motion: " + std::string(GetParam().path) + "\n";
  EXPECT_EQ(Logged("Cannot load motion"), GetParam().motion ? 1u : 0u);
  EXPECT_EQ(Logged(message), GetParam().motion ? 1u : 0u);
  const auto stats = MemoryStats();
  const uint32_t rasterizerCount = RefCount(rasterizer());
  attempt();
  EXPECT_EQ(MemoryStats(), stats);
  EXPECT_EQ(RefCount(rasterizer()), rasterizerCount);
  for (const char* name : kMotionTable) {
    const std::string path = kMotionFolder + std::string(name);
    if (path != GetParam().path) {
      EXPECT_EQ(HeldReferences(path), 0) << path;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    OneLeftOut, MissingFromThePack,
    ::testing::Values(Missing{"Root:Characters:Assets:Motions:DrProto_walk", true},
                      Missing{"Root:Characters:Assets:Motions:DrProto_GNMSTND1", true},
                      Missing{"Root:Characters:Assets:Motions:DrProto_GNMFlNCHFT", true},
                      Missing{"Root:Characters:Assets:Motions:DrProto_PILOT_SIG3", true},
                      Missing{"Root:Fonts:Verdana", false}, Missing{"Root:Fonts:Verdana19", false}));

}  // namespace
