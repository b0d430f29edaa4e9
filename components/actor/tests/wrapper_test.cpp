// Actor wrappers: what the factory builds, the hand effect of the first wrapper, Create and Destroy
// as the script and the game see them, failed constructions, the player's body and the script
// arguments.
#include <cmath>
#include <string>
#include <vector>

#include "articulated_state.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "platform/utf.h"
#include "rigid_state.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_fixture.h"

namespace {

using namespace actortest;
using namespace kivo;
namespace calls = kivo::actor;

class Wrappers : public WrapperTest {
 protected:
  InstanceRef Named(const std::string& path) {
    InstanceRef found;
    const std::u16string wide = platform::FromUtf8(path);
    core().GetInstanceByName(nullptr, wide.c_str(), found.out(), 0);
    return found;
  }
  std::vector<RTInstance> ChildNodes(RTInstance node) {
    std::vector<RTInstance> children;
    RTInstance child = nullptr;
    scene_node::GetFirstChild(node, &child);
    while (child) {
      children.push_back(child);
      RTInstance next = nullptr;
      scene_node::GetNextSibling(child, &next);
      core().ReleaseInstance(nullptr, child);
      child = next;
    }
    return children;
  }
  uint32_t StateWord(RTInstance node) {
    uint32_t word = 0;
    EXPECT_EQ(tesk_scene_node::GetStateWord(node, &word), kRTSuccess);
    return word;
  }
  // The bone each node is attached to, in the order attached.
  std::vector<std::pair<RTInstance, RTBoneNode*>> Attachments(const RTTeskActorWrapper* wrapper) {
    std::vector<std::pair<RTInstance, RTBoneNode*>> attached;
    for (const articulated::Attachment& a : articulated::StateOf(wrapper->Animator)->attachments)
      attached.emplace_back(a.node.get(), a.bone);
    return attached;
  }
  RTBoneNode* Bone(RTInstance skin, const char16_t* name) {
    RTBoneNode* bone = nullptr;
    EXPECT_EQ(bone_model::GetNode(skin, name, &bone), kRTSuccess);
    return bone;
  }
  // The core's live blocks (the heap bytes move with the size the instance tree last gave an array
  // of children).
  uint32_t LiveBlocks() { return MemoryStats().first; }
  // Two wrappers made and destroyed, so that every library and stored instance the next ones use
  // is loaded, the hand effect is taken, and the quad tree keeps spare links for two filed nodes.
  void WarmUp() {
    int objects[2] = {};
    for (int& object : objects) ASSERT_EQ(Create(&object, u"Doctor"), kRTSuccess);
    for (int& object : objects) ASSERT_EQ(Destroy(&object), kRTSuccess);
    GameCalls();
  }
};

TEST_F(Wrappers, TheFactoryBuildsTheNodesThePlayerWithEveryMotionAndTheDefaults) {
  int doctor = 0, other = 0;
  ASSERT_EQ(Create(&doctor, u"Doctor"), kRTSuccess);
  ASSERT_EQ(Create(&other, u"Doctor"), kRTSuccess);
  const RTTeskActorWrapper* w = WrapperOf(&doctor);
  ASSERT_NE(w, nullptr);

  EXPECT_EQ(StateWord(w->RootNode), 0x79u);
  for (RTInstance node : {w->BodyNode, w->MountNode, w->CarryNode, w->LeftHandNode, w->RightHandNode})
    EXPECT_EQ(StateWord(node), 0x59u);
  EXPECT_EQ(ChildNodes(w->RootNode), (std::vector<RTInstance>{w->BodyNode, w->MountNode}));
  EXPECT_EQ(ChildNodes(w->MountNode), (std::vector<RTInstance>{w->CarryNode}));
  EXPECT_EQ(ChildNodes(w->BodyNode), (std::vector<RTInstance>{w->HandEmitterNode, w->LeftHandNode, w->RightHandNode}));
  InstanceRef entity, animator;
  ASSERT_EQ(scene_node::GetEntity(w->BodyNode, entity.out()), kRTSuccess);
  ASSERT_EQ(tesk_scene_node::GetAnimator(w->BodyNode, animator.out()), kRTSuccess);
  EXPECT_EQ(entity.get(), w->Skin);
  EXPECT_EQ(w->Skin, Named(std::string(kSkinFolder) + "Doctor").get());
  EXPECT_EQ(animator.get(), w->Animator);
  EXPECT_EQ(w->HeadRender, Named("Root:HeadRenders:Doctor.tga").get());
  void* owner = nullptr;
  ASSERT_EQ(tesk_scene_node::GetScriptObject(w->BodyNode, &owner), kRTSuccess);
  EXPECT_EQ(owner, &doctor);
  EXPECT_EQ(w->ScriptObject, &doctor);

  const rigid::RigidState& player = *rigid::StateOf(w->Animator);
  ASSERT_EQ(player.motions.size(), tesk::testing::kMotionTableSize);
  for (uint32_t i = 0; i < player.motions.size(); ++i)
    EXPECT_EQ(player.motions[i].get(), Named(kMotionFolder + std::string(kMotionTable[i])).get()) << i;
  EXPECT_EQ(player.current, 0u);
  EXPECT_EQ(player.looping, 1u);
  EXPECT_EQ(player.playing, 1u);
  EXPECT_EQ(player.tween, 0.1f);
  const uint32_t motions[] = {w->MotionWalk,        w->MotionIdle,   w->MotionDie,   w->MotionWheelchair,
                              w->MotionWheelchairB, w->MotionSignal, w->MotionCarry, w->MotionWalk2};
  EXPECT_EQ(std::vector<uint32_t>(std::begin(motions), std::end(motions)),
            (std::vector<uint32_t>{0, 1, 2, 64, 65, 66, 77, 83}));

  EXPECT_EQ(w->SlowingDistance, 1.1f);
  EXPECT_EQ(w->MaxSteering, 20.0f) << "stored as given, not per sub-step";
  EXPECT_EQ(w->SteeringConstraint, 120.0f);
  EXPECT_EQ(w->Radius, 0.3f);
  EXPECT_EQ(w->PaddedRadius, 0.35f);
  EXPECT_EQ(w->VehicleMode, 10u);
  EXPECT_EQ(w->AvoidPriority, -1);
  EXPECT_EQ(w->ArrivalTolerance, 0.05f);
  EXPECT_EQ(w->Mass * w->InverseMass, 1.0f);
  EXPECT_EQ(w->NeighbourhoodRadius, 3.0f);
  EXPECT_EQ(w->Frame.m[3][3] * w->Frame.m[0][0], 1.0f);
  EXPECT_EQ(std::u16string(w->SkinName), u"Doctor");
  EXPECT_EQ(w->Visible * w->CanMove * w->LookAtEnabled, 1u);
  EXPECT_EQ(w->TargetActorIndex, -1);
  EXPECT_NE(w->SpineBone, nullptr);
  EXPECT_EQ(w->LeftArmChain, 0);
  EXPECT_EQ(w->RightArmChain, 1);
  EXPECT_NE(w->ExtendedBVNode, nullptr);
  EXPECT_EQ(WrapperOf(&other)->Serial, w->Serial + 1);

  // Another node finds the root node through the quad tree.
  InstanceRef near;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, tesk_scene_node::kClassName, near.out(), 0, 1), kRTSuccess);
  const RTFVector3D at{0.5f, 0, 0.5f, 0};
  ASSERT_EQ(scene_node::SetTranslation(near.get(), &at), kRTSuccess);
  ASSERT_EQ(tesk::scene_tree::QTAddNode(tree(), near.get()), kRTSuccess);
  List* found = nullptr;
  ASSERT_EQ(tesk::scene_tree::QTQueryRadius(tree(), near.get(), 1.0f, &found), kRTSuccess);
  ListLink* link = nullptr;
  EXPECT_EQ(ListFind(found, w->RootNode, &link, nullptr), kRTSuccess);
  EXPECT_EQ(tesk::scene_tree::QTRemoveNode(tree(), near.get()), kRTSuccess);
}

TEST_F(Wrappers, TheFirstWrapperCarriesTheHandEffectAndTheOthersHandsFollowTheBones) {
  int first = 0, second = 0, third = 0;
  ASSERT_EQ(Create(&first, u"Doctor"), kRTSuccess);
  const RTTeskActorWrapper* w = WrapperOf(&first);
  ASSERT_NE(w->HandEmitterNode, nullptr);
  InstanceRef system;
  ASSERT_EQ(scene_node::GetEntity(w->HandEmitterNode, system.out()), kRTSuccess);
  EXPECT_EQ(system.get(), w->HandParticleSystem);
  const RTParticle* particles = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(particle_system::GetParticles(w->HandParticleSystem, &particles, &count), kRTSuccess);
  ASSERT_EQ(count, particle_system::kParticleCount) << "started";
  for (uint32_t i = 0; i < count; ++i) {
    const RTParticle& p = particles[i];
    EXPECT_TRUE(p.start >= 0 && p.start <= 1000) << p.start;
    EXPECT_NEAR(p.colour.r, 0.04f + 0.2f * (p.colour.b - 0.2f), 1e-6f) << "one draw tints every channel";
    EXPECT_NEAR(p.colour.g, 0.08f + 0.4f * (p.colour.b - 0.2f), 1e-6f);
    EXPECT_EQ(p.velocity.y, 0.0f);
    EXPECT_LE(std::hypot(p.velocity.x, p.velocity.z), 0.5f + 1e-6f);
    EXPECT_TRUE(p.size >= 0.0f && p.size <= 0.05f);
    EXPECT_EQ(p.position.x + p.position.y + p.position.z, 0.0f);
    EXPECT_EQ(p.gravity[1], 9.8e-6f);
  }
  EXPECT_TRUE(Attachments(w).empty()) << "the first wrapper's hand nodes are not bound";

  ASSERT_EQ(Create(&second, u"Doctor"), kRTSuccess);
  const RTTeskActorWrapper* next = WrapperOf(&second);
  EXPECT_EQ(next->HandEmitterNode, nullptr);
  EXPECT_EQ(ChildNodes(next->BodyNode), (std::vector<RTInstance>{next->LeftHandNode, next->RightHandNode}));
  EXPECT_EQ(Attachments(next),
            (std::vector<std::pair<RTInstance, RTBoneNode*>>{{next->RightHandNode, Bone(next->Skin, u"Bip01 R Hand")},
                                                             {next->LeftHandNode, Bone(next->Skin, u"Bip01 L Hand")}}));

  ASSERT_EQ(calls::ResetStates(controller()), kRTSuccess);
  ASSERT_EQ(Create(&third, u"Doctor"), kRTSuccess);
  EXPECT_NE(WrapperOf(&third)->HandEmitterNode, nullptr) << "the effect comes again";

  int more[7] = {};
  for (int& object : more) ASSERT_EQ(Create(&object, u"Doctor"), kRTSuccess);
  int32_t chains = 0;
  ASSERT_EQ(bone_model::GetIKChainsCount(w->Skin, &chains), kRTSuccess);
  EXPECT_EQ(chains, 2) << "ten actors of one skin share its two arm chains";
  EXPECT_EQ(WrapperOf(&more[6])->RightArmChain, 1);
}

TEST_F(Wrappers, CreateTwiceMakesOneWrapper) {
  int object = 0;
  ASSERT_EQ(Create(&object, u"Doctor"), kRTSuccess);
  const RTTeskActorWrapper* made = WrapperOf(&object);
  EXPECT_EQ(Create(&object, u"Nurse"), kRTSuccess);
  EXPECT_EQ(WrapperOf(&object), made);
  EXPECT_EQ(GameCalls(), (std::vector<std::string>{"AddActor()", "AddNode()"}));
  EXPECT_EQ(Alive(articulated::kClassName), 1u);
  List* actors = nullptr;
  ASSERT_EQ(tesk::game::call::GetActorList(game(), &actors), kRTSuccess);
  EXPECT_EQ(actors->count, 1u);
}

// A construction that fails, early (no such skin) or late (the hand effect on a skin without hand
// bones), leaves nothing behind, and the effect waits for the next wrapper.
TEST_F(Wrappers, AFailedConstructionReportsItselfAndLeavesNothingBehind) {
  WarmUp();
  ASSERT_EQ(calls::ResetStates(controller()), kRTSuccess);
  int object = 0;
  for (const char16_t* skin : {u"Foo", u"Stump"}) ASSERT_EQ(Create(&object, skin), kRTFailure);
  const uint32_t blocks = LiveBlocks();
  const uint32_t nodes = Alive(tesk_scene_node::kClassName);
  for (const char16_t* skin : {u"Foo", u"Stump"}) {
    EXPECT_EQ(Create(&object, skin), kRTFailure);
    EXPECT_EQ(WrapperOf(&object), nullptr);
    EXPECT_EQ(LiveBlocks(), blocks) << platform::ToUtf8(skin);
    EXPECT_EQ(Alive(tesk_scene_node::kClassName), nodes);
    EXPECT_EQ(Alive(particle_system::kClassName), 0u);
  }
  EXPECT_EQ(Logged("TeskActor.Initialize (Foo) -- FAILED"), 2u);
  EXPECT_EQ(Logged("TeskActor.Initialize (Stump) -- FAILED"), 2u);
  EXPECT_TRUE(GameCalls().empty());
  ASSERT_EQ(Create(&object, u"Doctor"), kRTSuccess);
  EXPECT_NE(WrapperOf(&object)->HandEmitterNode, nullptr) << "the effect went to the next wrapper";
  int stump = 0;
  ASSERT_EQ(Create(&stump, u"Stump"), kRTSuccess) << "without the effect, a skin needs no hands";
  EXPECT_TRUE(Attachments(WrapperOf(&stump)).empty());
}

TEST_F(Wrappers, AMissingHeadImageIsReportedAndTheActorHasNoHead) {
  int nurse = 0;
  ASSERT_EQ(Create(&nurse, u"Nurse"), kRTSuccess);
  EXPECT_EQ(WrapperOf(&nurse)->HeadRender, nullptr);
  EXPECT_EQ(Logged("Create(). Can't retrieve the head render!"), 1u);
}

TEST_F(Wrappers, InitPlayerCSwapsTheBodyForThePlayersAndBindsItsHands) {
  int doctor = 0, other = 0;
  ASSERT_EQ(Create(&doctor, u"Doctor"), kRTSuccess);
  RTTeskActorWrapper* w = WrapperOf(&doctor);
  const RTInstance skin = w->Skin;
  EXPECT_EQ(calls::InitPlayerC(controller(), w), kRTFailure) << "the game has no player body";

  InstanceRef handless = Named("Root:Bodies:Handless");
  ASSERT_EQ(tesk::game_standin::SetPlayerEntity(game(), handless.get()), kRTSuccess);
  EXPECT_EQ(calls::InitPlayerC(controller(), w), kRTFailure);
  InstanceRef drawn;
  ASSERT_EQ(scene_node::GetEntity(w->BodyNode, drawn.out()), kRTSuccess);
  EXPECT_EQ(drawn.get(), skin) << "a body without both hands is refused";
  EXPECT_EQ(w->Skin, skin);

  InstanceRef body = Named("Root:Bodies:Player");
  ASSERT_EQ(tesk::game_standin::SetPlayerEntity(game(), body.get()), kRTSuccess);
  drawn.Reset();
  const uint32_t held = RefCount(body.get());
  ASSERT_EQ(calls::InitPlayerC(controller(), w), kRTSuccess);
  EXPECT_EQ(RefCount(body.get()), held + 3) << "the body node's, the wrapper's and the hooks' keeper's";
  ASSERT_EQ(scene_node::GetEntity(w->BodyNode, drawn.out()), kRTSuccess);
  EXPECT_EQ(drawn.get(), body.get());
  EXPECT_EQ(w->Skin, body.get());
  EXPECT_EQ(Attachments(w),
            (std::vector<std::pair<RTInstance, RTBoneNode*>>{{w->RightHandNode, Bone(body.get(), u"Bip01 R Hand")},
                                                             {w->LeftHandNode, Bone(body.get(), u"Bip01 L Hand")}}));
  renderable::DrawHook hook = nullptr;
  InstanceRef context;
  ASSERT_EQ(renderable::GetPostDrawHook(body.get(), &hook, context.out()), kRTSuccess);
  EXPECT_NE(hook, nullptr);
  EXPECT_EQ(context.get(), controller());
  EXPECT_EQ(kivo::CallMethod(controller(), calls::kLevel, calls::kInitPlayer, &other), kRTFailure) << "no wrapper";
  EXPECT_EQ(kivo::CallMethod(controller(), calls::kLevel, calls::kInitPlayer, &doctor), kRTSuccess);
  ASSERT_EQ(tesk::game_standin::SetPlayerEntity(game(), nullptr), kRTSuccess);
}

TEST_F(Wrappers, DestroyLetsTheGameAndTheOtherActorsGoOfTheWrapperAndGivesBackWhatItMade) {
  WarmUp();
  EXPECT_EQ(Alive(particle_system::kClassName), 0u) << "the first wrapper's hand effect went with it";
  int going = 0, staying = 0;
  ASSERT_EQ(Create(&staying, u"Doctor"), kRTSuccess);
  GameCalls();
  const uint32_t blocks = LiveBlocks();
  const uint32_t nodes = Alive(tesk_scene_node::kClassName);
  const uint32_t players = Alive(articulated::kClassName);
  const InstanceRef skin = Named(std::string(kSkinFolder) + "Doctor");
  const InstanceRef head = Named("Root:HeadRenders:Doctor.tga");
  const uint32_t skinHeld = RefCount(skin.get()), headHeld = RefCount(head.get());
  ASSERT_EQ(Create(&going, u"Doctor"), kRTSuccess);
  RTTeskActorWrapper* gone = WrapperOf(&going);
  RTTeskActorWrapper* other = WrapperOf(&staying);
  other->TargetActor = gone;
  for (List* list : {other->NeighbourList, other->NeighbourList, other->FreeNeighbourList})
    ASSERT_EQ(ListAppend(list, gone), kRTSuccess);
  GameCalls();

  ASSERT_EQ(Destroy(&going), kRTSuccess);
  EXPECT_EQ(GameCalls(),
            (std::vector<std::string>{"RemoveActor()", "RemoveNode()", "RemovePatientC()", "FXActorRemove()"}));
  EXPECT_EQ(WrapperOf(&going), nullptr);
  EXPECT_EQ(other->TargetActor, nullptr);
  EXPECT_EQ(other->NeighbourList->count, 0u);
  EXPECT_EQ(other->FreeNeighbourList->count, 0u);
  EXPECT_EQ(LiveBlocks(), blocks);
  EXPECT_EQ(RefCount(skin.get()), skinHeld);
  EXPECT_EQ(RefCount(head.get()), headHeld);
  EXPECT_EQ(Alive(tesk_scene_node::kClassName), nodes);
  EXPECT_EQ(Alive(articulated::kClassName), players);
  EXPECT_EQ(Destroy(&going), kRTFailure) << "no wrapper any more";
}

// The meshes keep no hook whose context is gone.
TEST_F(Wrappers, AControllerThatGoesTakesItsHooksOffTheSkins) {
  const InstanceRef skin = Named(std::string(kSkinFolder) + "Doctor");
  InstanceRef other = NewController();
  int object = 0;
  Cell skinName = Text(u"Doctor"), result{};
  ASSERT_EQ(kivo::CallMethod(other.get(), calls::kLevel, calls::kCreate, reinterpret_cast<varno::RTVarnoSymbol*>(&object), 1u,
                             &skinName, &result, nullptr),
            kRTSuccess);
  renderable::DrawHook hook = nullptr;
  InstanceRef context;
  ASSERT_EQ(renderable::GetPreDrawHook(skin.get(), &hook, context.out()), kRTSuccess);
  EXPECT_EQ(context.get(), other.get());
  context.Reset();
  ASSERT_EQ(kivo::CallMethod(other.get(), calls::kLevel, calls::kDestroy, static_cast<void*>(&object)), kRTSuccess);
  other.Reset();
  for (auto get : {renderable::GetPreDrawHook, renderable::GetPostDrawHook}) {
    ASSERT_EQ(get(skin.get(), &hook, context.out()), kRTSuccess);
    EXPECT_EQ(hook, nullptr);
    EXPECT_EQ(context.get(), nullptr);
  }
}

TEST_F(Wrappers, MissingOrMistypedArgumentsAnswerZeroAndChangeNothing) {
  int object = 0;
  const Cell mistyped[] = {Number(7), Real(1.0f)};
  for (const Cell& cell : mistyped) EXPECT_EQ(Call(calls::kCreate, &object, {cell}), kRTFailure);
  EXPECT_EQ(Call(calls::kCreate, &object, {}), kRTFailure);
  EXPECT_EQ(WrapperOf(&object), nullptr);
  EXPECT_TRUE(GameCalls().empty());
  EXPECT_EQ(Alive(articulated::kClassName), 0u);
}

}  // namespace
