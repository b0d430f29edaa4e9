// RTTeskSkin: posed by the motion player of the node it is drawn for, its bones drawn under the
// node's world matrix; drawn as it stands without a player; its stream.
#include <algorithm>
#include <string>

#include "host/stream_bytes.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/skin/tesk_skin_calls.h"
#include "skin_fixture.h"
#include "software_rasterizer.h"

namespace {

using namespace skintest;
using namespace kivo;
using Lines = std::vector<std::string>;

const std::string kNodeWorld = "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1]) -> 1";
const std::string kModelSpace = "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]) -> 1";

class TeskSkin : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    if (HasFatalFailure()) return;
    window_.Open(host_);
    skin_ = NewSkin({V(0, 0, 0)}, {}, tesk_skin::kClassName);
    const RTFMatrix4x4 identity = Identity();
    AddBone(skin_, u"Root", nullptr, identity, identity, {{0, 1}});
    ASSERT_EQ(bone_model::SetRenderBone(skin_, 1), kRTSuccess);
  }
  void TearDown() override {
    window_.Close();
    SkinTest::TearDown();
  }

  // A game node at x = 5 whose player plays a motion that lifts the root by 1.
  RTInstance PlayingNode() {
    RTInstance motion = NewMotion();
    AddNode(motion, u"Root", nullptr, Translation(0, 1, 0));
    player_ = New(articulated::kClassName);
    RTInstance player = player_;
    uint32_t index = 0;
    EXPECT_EQ(rigid::AppendMotion(player, motion, &index), kRTSuccess);
    EXPECT_EQ(rigid::SetPlaying(player, 1), kRTSuccess);
    RTInstance node = Node(tesk_scene_node::kClassName);
    EXPECT_EQ(tesk_scene_node::SetAnimator(node, player), kRTSuccess);
    return node;
  }
  RTInstance Node(const char16_t* className) {
    RTInstance node = New(className);
    const RTFMatrix4x4 placement = Translation(5, 0, 0);
    EXPECT_EQ(scene_node::SetLocalMatrix(node, &placement), kRTSuccess);
    return node;
  }
  // The calls of one draw of the skin for the node.
  Lines Drawn(RTInstance node) {
    RTSceneNodeEntityFrameInformation frame{};
    frame.node = node;
    frame.rasterizer = window_.rasterizer();
    window_.StartRecording();
    EXPECT_EQ(renderable::ProcessFrame(skin_, 40, &frame), kRTSuccess);
    return window_.Recorded();
  }

  tesk::testing::OffscreenWindow window_;
  RTInstance skin_ = nullptr;
  RTInstance player_ = nullptr;  // the player of the last PlayingNode
};

TEST_F(TeskSkin, IsPosedByItsNodesPlayerAndItsBonesLieOnTheNode) {
  const Lines lines = Drawn(PlayingNode());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], kNodeWorld) << "the bones are drawn under the node's world matrix";
  EXPECT_EQ(lines[1], kModelSpace);
  const auto pops = std::count(lines.begin(), lines.end(), "PopWorldMatrix() -> 1");
  const auto second = std::find(lines.begin() + 2, lines.end(), "PopWorldMatrix() -> 1") + 1;
  ASSERT_NE(second, lines.end());
  EXPECT_EQ(*second, "PopWorldMatrix() -> 1") << "the node's matrix goes once the bones are drawn";
  EXPECT_EQ(*(second + 1), kNodeWorld) << "then the mesh draws itself under it";
  EXPECT_EQ(pops, 3);
  ExpectNear(Vertices(skin_)[0], V(0, 1, 0), 0);
}

TEST_F(TeskSkin, PlacesTheNodesItsPlayerCarriesOnTheBonesAsPosed) {
  RTInstance node = PlayingNode();
  RTBoneNode* root = nullptr;
  ASSERT_EQ(bone_model::GetNode(skin_, u"Root", &root), kRTSuccess);
  RTInstance hand = New(tesk_scene_node::kClassName);
  RTInstance held = New(tesk_scene_node::kClassName);
  const RTFMatrix4x4 offset = Translation(0, 0, 2);
  ASSERT_EQ(articulated::AttachNode(player_, root, &offset, hand), kRTSuccess);
  ASSERT_EQ(articulated::AttachNode(player_, root, &offset, held), kRTSuccess);
  EXPECT_EQ(RefCount(held), 2u);
  ASSERT_EQ(articulated::DetachNode(player_, root, held), kRTSuccess);
  EXPECT_EQ(RefCount(held), 1u);
  EXPECT_EQ(articulated::DetachNode(player_, root, held), kRTFailure) << "attached no more";
  EXPECT_EQ(articulated::AttachNode(player_, nullptr, &offset, held), kRTFailure);
  EXPECT_EQ(articulated::AttachNode(player_, root, &offset, NewMaterial()), kRTFailure) << "no scene node";

  Drawn(node);
  const RTFMatrix4x4* placement = nullptr;
  ASSERT_EQ(scene_node::GetLocalMatrix(hand, &placement), kRTSuccess);
  ExpectNear(TranslationOf(*placement), V(0, 1, 2));  // the offset on the lifted bone
  const RTFMatrix4x4* still = nullptr;
  ASSERT_EQ(scene_node::GetLocalMatrix(held, &still), kRTSuccess);
  ExpectNear(TranslationOf(*still), V(0, 0, 0));
}

TEST_F(TeskSkin, TakesTheBoneTurnOfThePlayerItPosesForAndOnlyWhileItDoes) {
  RTInstance other = PlayingNode();
  RTInstance turned = PlayingNode();
  RTBoneNode* root = nullptr;
  ASSERT_EQ(bone_model::GetNode(skin_, u"Root", &root), kRTSuccess);
  const RTFMatrix4x4 turn = Translation(0, 0, 3);
  ASSERT_EQ(articulated::SetBoneTurn(player_, root, &turn), kRTSuccess);
  Drawn(turned);
  ExpectNear(Vertices(skin_)[0], V(0, 0, 3), 0);
  RTBool custom = 1;
  ASSERT_EQ(bone_model::GetCustom(skin_, root, &custom), kRTSuccess);
  EXPECT_EQ(custom, 0) << "the shared skin is left as the motion poses it";
  Drawn(other);  // another character's player has no turn
  ExpectNear(Vertices(skin_)[0], V(0, 1, 0), 0);
  ASSERT_EQ(articulated::SetBoneTurn(player_, nullptr, nullptr), kRTSuccess);
  Drawn(turned);  // the turn taken away
  ExpectNear(Vertices(skin_)[0], V(0, 1, 0), 0);
  RTBool active = 1;
  RTFMatrix4x4 target;
  EXPECT_EQ(articulated::GetReach(player_, 0, &active, &target), kRTFailure) << "a chain it was never given";
  ASSERT_EQ(articulated::SetReachActive(player_, 0, 1), kRTSuccess);
  ASSERT_EQ(articulated::GetReach(player_, 0, &active, &target), kRTSuccess);
  EXPECT_EQ(active, 1);
  EXPECT_EQ(target.m[0][0], 1.0f) << "at the identity until given a target";
}

// A plain scene node, a game node without a player, and one whose "player" is of another class.
TEST_F(TeskSkin, WithoutAPlayerItDrawsItsListsAsTheyStand) {
  RTInstance strange = Node(tesk_scene_node::kClassName);
  ASSERT_EQ(tesk_scene_node::SetAnimator(strange, NewMaterial()), kRTSuccess);
  for (RTInstance node : {Node(tesk_scene_node::kClassName), Node(scene_node::kClassName), strange}) {
    const Lines lines = Drawn(node);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], kNodeWorld);
    EXPECT_EQ(std::find(lines.begin(), lines.end(), kModelSpace), lines.end()) << "no bones";
    ExpectNear(Vertices(skin_)[0], V(0, 0, 0), 0);
  }
}

TEST_F(TeskSkin, StreamsTheSkinsBodyAndAVersionOfItsOwn) {
  RTInstance material = NewMaterial();
  ASSERT_EQ(poly_model::SetMaterialList(skin_, &material, 1), kRTSuccess);
  RTInstance plain = NewSkin({V(0, 0, 0)});
  ASSERT_EQ(poly_model::SetMaterialList(plain, &material, 1), kRTSuccess);
  const RTFMatrix4x4 identity = Identity();
  AddBone(plain, u"Root", nullptr, identity, identity, {{0, 1}});
  const std::string written = StreamedOut(skin_);
  ASSERT_EQ(written, StreamedOut(plain) + tesk::testing::StreamBytes().U32(1).bytes());

  RTInstance copy = NewSkin({}, {}, tesk_skin::kClassName);
  ASSERT_EQ(StreamIn(copy, written), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy), written);
  std::string newer = written;
  newer[newer.size() - 4] = 2;
  EXPECT_EQ(StreamIn(copy, newer), kRTFailure);
  EXPECT_TRUE(Logged("RTTeskSkin::StreamIn(): the stream holds no version of 1 or older"));
  EXPECT_EQ(StreamedOut(copy), written);
}

}  // namespace
