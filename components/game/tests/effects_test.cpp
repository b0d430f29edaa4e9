// The game's particle effects over a small hospital whose store holds effect files: pools, the
// current effect, turning, detaching from actors, the per-frame advance and the reset.
#include <gtest/gtest.h>

#include <cmath>

#include "effects.h"
#include "environment_fixture.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "tesk/game_slots.h"

namespace gametest {

namespace {

using tesk::game::EffectSlot;

// "pop" is over 0.5 s after its start; "glow" goes on until stopped; "twice" loads twice; the
// second system of "broken" is of a newer version.
std::string EffectInstances() {
  std::string instances;
  for (const char* name : {"pop", "glow", "twice", "broken"})
    instances += std::string(instances.empty() ? "" : ",\n") + R"({"path": "Root:FX:)" + name +
                 R"(.peffect", "class": "RTStoredData", "peffect": ")" + name + R"(.json"})";
  return instances;
}

const std::filesystem::path& EffectPack() {
  static const std::filesystem::path pack = BuildPack(
      HospitalDescription(EffectInstances()),
      {{"pop.json", R"({"systems": [{"emitter": "burst 4\nlife 0.5 0.5", "look": "size 0.2 0.2"}]})"},
       {"glow.json", R"({"systems": [{"emitter": "rate 10\nlife 1 1"}]})"},
       {"twice.json", R"({"systems": [{"emitter": "rate 10\nlife 1 1"}]})"},
       {"broken.json", R"({"systems": [{"emitter": "burst 1"}, {"emitter": "burst 1", "version": 1542}]})"}});
  return pack;
}

class Effects : public EnvironmentTest {
 protected:
  std::filesystem::path Store() const override { return EffectPack(); }
  // Before the store is built: kivopack makes the effect files with the root's components.
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTParticleSystem", "RTPartMan", "RTStoredData", "RTBMPImage"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    EnvironmentTest::InstallMore(host);
  }
  void SetUp() override {
    EnvironmentTest::SetUp();
    tesk::game::GamePrivateData& game = record();
    ASSERT_TRUE(tesk::game::FXStartup(game));
    ASSERT_TRUE(tesk::game::LoadParticleEffect(game, u"pop", 1));
    ASSERT_TRUE(tesk::game::LoadParticleEffect(game, u"glow", 2));
    ASSERT_TRUE(tesk::game::LoadParticleEffect(game, u"twice", 1));
    ASSERT_TRUE(tesk::game::LoadParticleEffect(game, u"twice", 2));
    EXPECT_FALSE(tesk::game::LoadParticleEffect(game, u"missing", 1));
    EXPECT_EQ(Fx().effectCount, 7u) << "entry 0 and six effects";
  }

  tesk::game::EffectState& Fx() { return record().effects; }
  EffectSlot* Slot(uint32_t index) { return Fx().effectSlots[index]; }
  // FXPlay's result, or -1 when it failed.
  int32_t Play(const char16_t* name, RTFVector3D at = {1, 1, 1, 0}) {
    Cell result = NumberCell(99);
    return CallScript(tesk::game::kFXPlay, {TextCell(name), PointerCell(&at)}, &result) ? result.value.number
                                                                                          : -1 - 100 * result.value.number;
  }
  RTSuccess SetActive(int32_t index, int32_t* result = nullptr) {
    Cell cell = NumberCell(99);
    const RTSuccess set = CallScript(tesk::game::kFXSetActive, {NumberCell(index)}, &cell);
    if (result) *result = cell.value.number;
    return set;
  }
  RTSuccess Stop() { return CallScript(tesk::game::kFXStop); }
  void Update(float seconds) { tesk::game::UpdateEffects(record(), seconds); }
  bool Hangs(RTInstance parent, RTInstance node) {
    bool found = false;
    RTInstance child = nullptr;
    kivo::scene_node::GetFirstChild(parent, &child);
    while (child) {
      found = found || child == node;
      RTInstance next = nullptr;
      kivo::scene_node::GetNextSibling(child, &next);
      core().ReleaseInstance(nullptr, child);
      child = next;
    }
    return found;
  }
};

TEST_F(Effects, FXPlayBeforeAnyEnvironmentGivesZeroAndLeavesThePool) {
  EXPECT_EQ(Play(u"pop"), -1) << "failed with result 0";
  EXPECT_EQ(Slot(1)->active, 0u);
  EXPECT_EQ(Fx().activeEffects->count, 0u);
  EXPECT_EQ(Logged("FXAllocate()"), 0u);
  EXPECT_EQ(Logged("FXPlay(): there is no environment to play an effect in"), 1u);
}

TEST_F(Effects, APoolOfOneRefusesASecondPlayUntilItsManagerIsDone) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(Play(u"pop", {2, 1, 3, 0}), 1);
  EXPECT_EQ(Fx().currentEffect, Slot(1));
  const RTFMatrix4x4* world = nullptr;
  ASSERT_TRUE(kivo::scene_node::GetWorldMatrix(Slot(1)->node, &world));
  EXPECT_EQ(world->m[3][2], 3.0f) << "placed at once";
  EXPECT_TRUE(Hangs(record().rootNode, Slot(1)->node));
  EXPECT_EQ(Play(u"pop"), -1) << "failed with result 0";
  EXPECT_EQ(Logged("FXAllocate(): Couldn't allocate an effect of the type specified!"), 1u);
  EXPECT_EQ(Fx().currentEffect, nullptr);

  Update(10.0f);
  EXPECT_EQ(Slot(1)->restart, 0u) << "started";
  EXPECT_EQ(Slot(1)->active, 1u);
  Update(10.4f);
  EXPECT_EQ(Slot(1)->active, 1u);
  Update(10.6f);
  EXPECT_EQ(Slot(1)->active, 0u) << "its manager gave -1";
  EXPECT_EQ(Fx().activeEffects->count, 0u);
  EXPECT_EQ(Play(u"pop"), 1) << "free again";
}

TEST_F(Effects, AnUnreadableFileLeavesNoPoolAndNoSlots) {
  ASSERT_TRUE(Load());
  const uint32_t blocks = MemoryStats().first;
  EXPECT_FALSE(tesk::game::LoadParticleEffect(record(), u"broken", 3));
  EXPECT_EQ(Logged("File version is newer than reader!"), 1u);
  EXPECT_EQ(Fx().effectCount, 7u) << "the indices it took are given back";
  EXPECT_EQ(MemoryStats().first, blocks) << "its slots, instances and stream are released";
  EXPECT_EQ(Play(u"broken"), -1);
  EXPECT_EQ(Logged("FXAllocate(): Couldn't retrieve FX class specified!"), 1u);
  EXPECT_TRUE(tesk::game::LoadParticleEffect(record(), u"pop", 1));
  EXPECT_EQ(Slot(7)->index, 7u) << "the next pool takes the next index";
}

TEST_F(Effects, UnknownClassesAndClassesLoadedTwice) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(Play(u"nothing"), -1);
  EXPECT_EQ(Logged("FXAllocate(): Couldn't retrieve FX class specified!"), 1u);
  EXPECT_EQ(Play(u"twice"), 5) << "the later pool answers";
  EXPECT_EQ(Play(u"twice"), 6);
  EXPECT_EQ(Play(u"twice"), -1) << "the earlier pool is never asked";
}

TEST_F(Effects, FXSetActiveOutsideThePoolLeavesNoCurrentEffect) {
  ASSERT_TRUE(Load());
  int32_t result = 0;
  ASSERT_TRUE(SetActive(2, &result));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Fx().currentEffect, Slot(2));
  EXPECT_FALSE(SetActive(0, &result));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Logged("FXSetActive() -- attempting to use a NULL effect!"), 1u);
  EXPECT_FALSE(Stop());
  ASSERT_TRUE(SetActive(2));
  EXPECT_FALSE(SetActive(7, &result));
  EXPECT_EQ(Logged("FXSetActive() -- aiEffect is out of bounds!"), 1u);
  EXPECT_EQ(Fx().currentEffect, nullptr);
  EXPECT_FALSE(Stop());
}

TEST_F(Effects, TurningAndClearingTheRotation) {
  ASSERT_TRUE(Load());
  ASSERT_EQ(Play(u"glow", {4, 1, 2, 0}), 2);
  ASSERT_TRUE(CallScript(tesk::game::kFXRoll, {RealCell(90.0f)}));
  const RTFMatrix4x4* local = nullptr;
  ASSERT_TRUE(kivo::scene_node::GetLocalMatrix(Slot(2)->node, &local));
  EXPECT_NEAR(std::atan2(local->m[0][1], local->m[0][0]), 1.5707963, 1e-6);
  EXPECT_EQ(local->m[3][0], 4.0f);
  ASSERT_TRUE(CallScript(tesk::game::kFXYaw, {RealCell(30.0f)}));
  RTFMatrix4x4 marked = *local;
  marked.m[1][3] = 0.25f;  // a fourth float the clearing keeps
  ASSERT_TRUE(kivo::scene_node::SetLocalMatrix(Slot(2)->node, &marked));
  ASSERT_TRUE(CallScript(tesk::game::kFXClearRotation));
  ASSERT_TRUE(kivo::scene_node::GetLocalMatrix(Slot(2)->node, &local));
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) EXPECT_EQ(local->m[row][column], row == column ? 1.0f : 0.0f);
  EXPECT_EQ(local->m[1][3], 0.25f);
  EXPECT_EQ(local->m[3][0], 4.0f);
  EXPECT_EQ(local->m[3][2], 2.0f);
}

TEST_F(Effects, AfterFXActorRemoveTheEffectPlaysOnUnattached) {
  ASSERT_TRUE(Load());
  ASSERT_EQ(Play(u"glow"), 2);
  RTTeskActorWrapper* actor = reinterpret_cast<RTTeskActorWrapper*>(&record());  // only compared
  Slot(2)->attachedActor = actor;
  ASSERT_TRUE(kivo::CallMethod(game(), tesk::game::kLevel, tesk::game::kFXActorRemove, actor));
  EXPECT_EQ(Slot(2)->attachedActor, nullptr);
  EXPECT_EQ(Slot(2)->active, 1u);
  EXPECT_FALSE(Hangs(record().rootNode, Slot(2)->node));
}

TEST_F(Effects, AFaucetStartsAndStopsTheEffectAttachedToItsNode) {
  ASSERT_TRUE(Load());
  const int32_t sink = static_cast<int32_t>(record().sceneHandles->Issue(Node(u"sink01")));
  const int32_t cot = static_cast<int32_t>(record().sceneHandles->Issue(Node(u"cot01")));
  EXPECT_FALSE(CallScript(tesk::game::kStartFaucet, {NumberCell(sink)})) << "no effect hangs there yet";
  ASSERT_EQ(Play(u"glow"), 2);
  ASSERT_TRUE(CallScript(tesk::game::kFXAttachNode, {NumberCell(sink)}));
  EXPECT_TRUE(Hangs(Node(u"sink01"), Slot(2)->node));
  ASSERT_TRUE(Stop());
  ASSERT_TRUE(SetActive(3));
  ASSERT_TRUE(CallScript(tesk::game::kStartFaucet, {NumberCell(sink)}));
  EXPECT_EQ(Slot(2)->active, 1u);
  EXPECT_EQ(Slot(2)->restart, 1u);
  EXPECT_EQ(Fx().currentEffect, Slot(3)) << "the current effect stays";
  ASSERT_TRUE(CallScript(tesk::game::kStopFaucet, {NumberCell(sink)}));
  EXPECT_EQ(Slot(2)->active, 0u);
  EXPECT_FALSE(CallScript(tesk::game::kStopFaucet, {NumberCell(cot)}));
}

TEST_F(Effects, TheAdvanceStartsRemovesAndResetsInOrder) {
  ASSERT_TRUE(Load());
  ASSERT_EQ(Play(u"pop"), 1);
  ASSERT_EQ(Play(u"glow"), 2);
  ASSERT_EQ(Play(u"glow"), 3);
  Update(1.0f);
  Update(1.6f);  // "pop" ends: its link goes while the walk goes on
  EXPECT_EQ(Slot(1)->active, 0u);
  ASSERT_EQ(Fx().activeEffects->count, 2u);
  EXPECT_EQ(Fx().activeEffects->first->data, Slot(2));
  ASSERT_TRUE(tesk::game::FXResetAll(record()));
  EXPECT_EQ(Fx().activeEffects->count, 0u);
  EXPECT_EQ(Slot(3)->active, 0u);
  EXPECT_EQ(Fx().currentEffect, Slot(3)) << "the last effect stopped stays current";
  ASSERT_TRUE(SetActive(2));
  Slot(2)->restart = 0;
  ASSERT_TRUE(tesk::game::FXActivate(record()));
  EXPECT_EQ(Slot(2)->restart, 1u) << "the next advance starts it again";
}

}  // namespace

}  // namespace gametest
