// The scene node stand-ins: placement, translation and world transform, child nodes, the entity,
// the obstacle box, the state word and quad item, and their streams (first-version node streams
// still read); and RTRenderable's defaults.
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"
#include "scene_test.h"

namespace {

using namespace scenetest;
using namespace kivo;

std::string Floats(const RTFMatrix4x4& m) {
  std::string bytes;
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) bytes.append(reinterpret_cast<const char*>(&m.m[row][column]), 4);
  return bytes;
}

RTFMatrix4x4 Translation(float x, float y, float z) {
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  Mat4SetTranslation(&m, At(x, y, z));
  return m;
}

// The obstacle part of a node stream: no box, or the flag and the corners; and the modifier part
// of a node without modifiers.
const std::string kNoBox(1, '\0');
const std::string kNoModifiers(4, '\0');
// The bytes of an RTSceneNode's part of an RTTeskSceneNode stream without entity, box or modifiers.
constexpr size_t kBareNodePart = 4 + 64 + 4 + 1 + 4;
std::string Box(RTFVector3D min, RTFVector3D max) {
  return std::string(1, '\1') + Vector(min.x, min.y, min.z) + Vector(max.x, max.y, max.z);
}

class SceneNodes : public SceneTest {
 protected:
  RTFVector3D WorldPosition(RTInstance node) {
    const RTFMatrix4x4* world = nullptr;
    EXPECT_EQ(scene_node::GetWorldMatrix(node, &world), kRTSuccess);
    return world ? At(world->m[3][0], world->m[3][1], world->m[3][2]) : At(-1, -1, -1);
  }
  std::vector<std::u16string> ChildNodes(RTInstance node) {
    std::vector<std::u16string> names;
    RTInstance child = nullptr;
    EXPECT_EQ(scene_node::GetFirstChild(node, &child), kRTSuccess);
    while (child) {
      names.push_back(NameOf(child));
      RTInstance next = nullptr;
      EXPECT_EQ(scene_node::GetNextSibling(child, &next), kRTSuccess);
      core().ReleaseInstance(nullptr, child);
      child = next;
    }
    return names;
  }
  // A plain RTSceneNode (no derived level's part in its stream) at the identity placement.
  InstanceRef MakePlainNode() {
    InstanceRef node;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, scene_node::kClassName, node.out(), 0, 1), kRTSuccess);
    return node;
  }
  // *has, and the corners when it is 1.
  RTBool ObstacleBox(RTInstance node, RTFVector3D* min, RTFVector3D* max) {
    RTBool has = 9;
    EXPECT_EQ(scene_node::GetObstacleBox(node, &has, min, max), kRTSuccess);
    return has;
  }
};

TEST_F(SceneNodes, TheWorldMatrixIsThePlacementTimesTheParentMatrix) {
  InstanceRef node = MakeNode(u"Arm", At(1, 2, 3));
  EXPECT_TRUE(Same(WorldPosition(node.get()), At(1, 2, 3))) << "the identity parent at the start";
  RTFMatrix4x4 parent;
  Mat4RotationY(&parent, kHalfPi);
  Mat4SetTranslation(&parent, At(10, 0, 0));
  ASSERT_EQ(scene_node::ApplyParentMatrix(node.get(), &parent), kRTSuccess);
  const RTFVector3D world = WorldPosition(node.get());
  EXPECT_NEAR(world.x, 10 + 3, 1e-5f);  // (1, 2, 3) turned about y: x' = z, z' = -x
  EXPECT_NEAR(world.z, -1, 1e-5f);
  const RTFMatrix4x4 moved = Translation(0, 0, 5);
  ASSERT_EQ(scene_node::SetLocalMatrix(node.get(), &moved), kRTSuccess);
  EXPECT_NEAR(WorldPosition(node.get()).x, 15, 1e-5f) << "a new placement keeps the parent";

  const RTFMatrix4x4* inverse = nullptr;
  const RTFMatrix4x4* worldMatrix = nullptr;
  ASSERT_EQ(scene_node::GetInverseWorldMatrix(node.get(), &inverse), kRTSuccess);
  ASSERT_EQ(scene_node::GetWorldMatrix(node.get(), &worldMatrix), kRTSuccess);
  RTFMatrix4x4 product;
  Mat4Multiply(*worldMatrix, *inverse, &product);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(product.m[i][j], i == j ? 1.0f : 0.0f, 1e-5f);
  RTFMatrix4x4 flat;
  std::memset(&flat, 0, sizeof flat);
  ASSERT_EQ(scene_node::SetLocalMatrix(node.get(), &flat), kRTSuccess);
  EXPECT_EQ(scene_node::GetInverseWorldMatrix(node.get(), &inverse), kRTFailure) << "no inverse";
}

TEST_F(SceneNodes, ATranslationReplacesRowThreeAndKeepsTheRest) {
  InstanceRef node = MakePlainNode();
  RTFMatrix4x4 turned;
  Mat4RotationY(&turned, 0.5f);
  turned.m[3][3] = 7;  // a translation row that is not (x, y, z, 1) yet
  ASSERT_EQ(scene_node::SetLocalMatrix(node.get(), &turned), kRTSuccess);
  const RTFMatrix4x4 parent = Translation(10, 0, 0);
  ASSERT_EQ(scene_node::ApplyParentMatrix(node.get(), &parent), kRTSuccess);
  const RTFVector3D to = At(1, 2, 3);
  ASSERT_EQ(scene_node::SetTranslation(node.get(), &to), kRTSuccess);

  const RTFMatrix4x4* local = nullptr;
  ASSERT_EQ(scene_node::GetLocalMatrix(node.get(), &local), kRTSuccess);
  RTFMatrix4x4 expected = turned;
  Mat4SetTranslation(&expected, to);
  EXPECT_EQ(std::memcmp(local, &expected, sizeof expected), 0);
  EXPECT_EQ(local->m[3][3], 1.0f);
  EXPECT_TRUE(Same(WorldPosition(node.get()), At(11, 2, 3))) << "the world matrix follows";
  EXPECT_EQ(scene_node::SetTranslation(node.get(), nullptr), kRTFailure);
}

// Yaw turns about the vertical after the pitch: a node pitched down by a quarter turn keeps its z
// axis's height whichever way it faces, and the angles read back as they were set.
TEST_F(SceneNodes, EulerAnglesPitchAboutTheNodeAndYawAboutTheVertical) {
  InstanceRef node = MakePlainNode();
  const RTFVector3D translation = At(1, 2, 3);
  ASSERT_EQ(scene_node::SetTranslation(node.get(), &translation), kRTSuccess);
  struct Case {
    float pitch;
    float yaw;
    float roll;
  };
  for (const Case& c : {Case{-0.7853982f, 0.0f, 0.0f}, Case{-0.7853982f, 1.5707964f, 0.0f},
                        Case{-0.7853982f, 3.0f, 0.0f}, Case{-0.5f, -2.0f, 0.25f}, Case{0.3f, 1.0f, -1.0f}}) {
    ASSERT_EQ(scene_node::SetEulerAngles(node.get(), c.pitch, c.yaw, c.roll), kRTSuccess);
    const RTFMatrix4x4* local = nullptr;
    ASSERT_EQ(scene_node::GetLocalMatrix(node.get(), &local), kRTSuccess);
    EXPECT_NEAR(local->m[2][1], -std::sin(c.pitch), 1e-6f) << c.yaw;
    EXPECT_NEAR(local->m[2][0], std::cos(c.pitch) * std::sin(c.yaw), 1e-6f) << c.yaw;
    EXPECT_EQ(local->m[3][1], 2.0f) << "the translation stays";
    float pitch = 9, yaw = 9, roll = 9;
    ASSERT_EQ(scene_node::GetEulerAngles(node.get(), &pitch, &yaw, &roll), kRTSuccess);
    EXPECT_NEAR(pitch, c.pitch, 1e-5f);
    EXPECT_NEAR(yaw, c.yaw, 1e-5f);
    EXPECT_NEAR(roll, c.roll, 1e-5f);
  }
}

TEST_F(SceneNodes, KeepAnObstacleBoxUntilItIsTakenAway) {
  InstanceRef node = MakePlainNode();
  RTFVector3D min = At(9, 9, 9), max = At(9, 9, 9);
  EXPECT_EQ(ObstacleBox(node.get(), &min, &max), 0u);
  EXPECT_TRUE(Same(min, At(9, 9, 9)) && Same(max, At(9, 9, 9))) << "no corners without a box";

  const RTFVector3D low = At(-1, 0, -2), high = At(1, 2, 2);
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, &high), kRTSuccess);
  const RTFVector3D flat = At(-1, 0, -2);  // min = max on every axis is a box
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &flat, &flat), kRTSuccess);
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, &high), kRTSuccess);
  const struct {
    const char* what;
    RTFVector3D min;
  } refused[] = {{"x", At(2, 0, -2)},
                 {"y", At(-1, 3, -2)},
                 {"z", At(-1, 0, 3)},
                 {"NaN", At(std::numeric_limits<float>::quiet_NaN(), 0, -2)}};
  for (const auto& c : refused) {
    EXPECT_EQ(scene_node::SetObstacleBox(node.get(), &c.min, &high), kRTFailure) << c.what;
    ASSERT_EQ(ObstacleBox(node.get(), &min, &max), 1u) << c.what;
    EXPECT_TRUE(Same(min, low) && Same(max, high)) << c.what << ": the box is kept";
  }
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, nullptr), kRTSuccess);
  EXPECT_EQ(ObstacleBox(node.get(), &min, &max), 0u) << "a null corner takes the box away";
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, &high), kRTSuccess);
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), nullptr, &high), kRTSuccess);
  EXPECT_EQ(ObstacleBox(node.get(), &min, &max), 0u);
}

TEST_F(SceneNodes, StreamTheirObstacleBoxAndReadAFirstVersionStreamWithoutOne) {
  InstanceRef node = MakePlainNode();
  const RTFVector3D low = At(-1, 0, -2), high = At(1, 2, 2);
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, &high), kRTSuccess);
  const std::string withBox = U32(2) + Floats(Translation(0, 0, 0)) + WString(u"") + Box(low, high);
  EXPECT_EQ(StreamedOut(node.get()), U32(3) + withBox.substr(4) + kNoModifiers);

  InstanceRef copy = MakePlainNode();
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(withBox).get()), kRTSuccess);
  RTFVector3D min{}, max{};
  ASSERT_EQ(ObstacleBox(copy.get(), &min, &max), 1u);
  EXPECT_TRUE(Same(min, low) && Same(max, high));

  const std::string first = U32(1) + Floats(Translation(4, 5, 6)) + WString(u"");
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(first).get()), kRTSuccess);
  EXPECT_EQ(ObstacleBox(copy.get(), &min, &max), 0u) << "a first-version node carries no box";
  EXPECT_EQ(StreamedOut(copy.get()), U32(3) + Floats(Translation(4, 5, 6)) + WString(u"") + kNoBox + kNoModifiers);
}

TEST_F(SceneNodes, RefuseADamagedObstacleBoxWhole) {
  InstanceRef node = MakePlainNode();
  const RTFVector3D low = At(-1, 0, -2), high = At(1, 2, 2);
  ASSERT_EQ(scene_node::SetObstacleBox(node.get(), &low, &high), kRTSuccess);
  const std::string before = StreamedOut(node.get());
  const std::string head = U32(2) + Floats(Translation(7, 8, 9)) + WString(u"");
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"no box flag", head},
      {"a box flag other than 0 or 1", head + std::string(1, '\2')},
      {"a cut box", (head + Box(low, high)).substr(0, head.size() + 13)},
      {"a box whose minimum lies above its maximum", head + Box(high, low)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(component::StreamIn(node.get(), component::kStreamWhole, StreamOf(c.bytes).get()), kRTFailure) << c.what;
    EXPECT_EQ(StreamedOut(node.get()), before) << c.what << ": the placement and the box are kept";
  }
  EXPECT_EQ(Occurrences("RTSceneNode::StreamIn(): the node's stream is damaged; the node is left as it was"),
            std::size(cases));
}

TEST_F(SceneNodes, ChildNodesAreTheChildInstancesThatAreNodes) {
  InstanceRef body = MakeNode(u"Body", At(0, 0, 0));
  InstanceRef head = MakeNode(u"Head", At(0, 1, 0), body.get());
  InstanceRef note;
  ASSERT_EQ(core().CreateInstanceByString(body.get(), u"RTComponent", note.out(), 0, 1), kRTSuccess);
  InstanceRef plain;
  ASSERT_EQ(core().CreateInstanceByString(body.get(), scene_node::kClassName, plain.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, plain.get(), u"Hand"), kRTSuccess);
  EXPECT_EQ(ChildNodes(body.get()), (std::vector<std::u16string>{u"Head", u"Hand"}));
  EXPECT_TRUE(ChildNodes(head.get()).empty());
  EXPECT_EQ(RefCount(head.get()), 1u) << "every reference handed out came back";
}

TEST_F(SceneNodes, AddedNodesFollowTheChildInstancesAndMoveWhenAddedElsewhere) {
  InstanceRef body = MakeNode(u"Body", At(0, 0, 0));
  InstanceRef head = MakeNode(u"Head", At(0, 1, 0), body.get());
  InstanceRef left = MakeNode(u"Left", At(0, 0, 0));
  InstanceRef right = MakeNode(u"Right", At(0, 0, 0));
  ASSERT_EQ(scene_node::AddChild(body.get(), left.get()), kRTSuccess);
  ASSERT_EQ(scene_node::AddChild(body.get(), right.get()), kRTSuccess);
  EXPECT_EQ(scene_node::AddChild(body.get(), right.get()), kRTSuccess) << "added once";
  EXPECT_EQ(scene_node::AddChild(body.get(), head.get()), kRTSuccess) << "a child instance is one already";
  EXPECT_EQ(ChildNodes(body.get()), (std::vector<std::u16string>{u"Head", u"Left", u"Right"}));
  EXPECT_EQ(RefCount(left.get()), 2u);

  ASSERT_EQ(scene_node::AddChild(head.get(), left.get()), kRTSuccess);
  EXPECT_EQ(ChildNodes(body.get()), (std::vector<std::u16string>{u"Head", u"Right"}));
  EXPECT_EQ(ChildNodes(head.get()), (std::vector<std::u16string>{u"Left"}));
  EXPECT_EQ(RefCount(left.get()), 2u) << "moved with the reference it had";

  InstanceRef mesh;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, renderable::kClassName, mesh.out(), 0, 1), kRTSuccess);
  InstanceRef other = MakeNode(u"Other", At(0, 0, 0));
  InstanceRef foot = MakeNode(u"Foot", At(0, 0, 0), other.get());
  for (RTInstance refused : {static_cast<RTInstance>(nullptr), mesh.get(), body.get(), foot.get()})
    EXPECT_EQ(scene_node::AddChild(body.get(), refused), kRTFailure);
  EXPECT_EQ(scene_node::AddChild(left.get(), body.get()), kRTFailure) << "a node above it";
  EXPECT_EQ(ChildNodes(body.get()), (std::vector<std::u16string>{u"Head", u"Right"}));

  InstanceRef wrist = MakeNode(u"Wrist", At(0, 0, 0));
  ASSERT_EQ(scene_node::AddChild(body.get(), wrist.get()), kRTSuccess);
  ASSERT_EQ(scene_node::Detach(wrist.get()), kRTSuccess);
  EXPECT_EQ(RefCount(wrist.get()), 1u) << "the node it left gave its reference back";
  EXPECT_EQ(scene_node::Detach(wrist.get()), kRTSuccess) << "a node added to none stays as it is";
  EXPECT_EQ(scene_node::Detach(head.get()), kRTSuccess);
  EXPECT_EQ(ChildNodes(body.get()), (std::vector<std::u16string>{u"Head", u"Right"}))
      << "a child instance stays where the instance tree placed it";

  head.Reset();
  body.Reset();
  EXPECT_EQ(RefCount(left.get()), 1u) << "the node it was added to let go of it";
  EXPECT_EQ(RefCount(right.get()), 1u);
}

TEST_F(SceneNodes, AnAddedNodeReleasedByForceLeavesItsNode) {
  InstanceRef body = MakeNode(u"Body", At(0, 0, 0));
  InstanceRef hand = MakeNode(u"Hand", At(0, 0, 0));
  ASSERT_EQ(scene_node::AddChild(body.get(), hand.get()), kRTSuccess);
  ASSERT_EQ(core().ForceReleaseInstance(nullptr, hand.Take()), kRTSuccess);
  EXPECT_TRUE(ChildNodes(body.get()).empty());
}

TEST_F(SceneNodes, HoldTheirEntityAndStreamItsPath) {
  InstanceRef node = MakeNode(u"Lamp", At(1, 2, 3));
  InstanceRef folder = MakeFolder(u"Meshes");
  InstanceRef mesh;
  ASSERT_EQ(core().CreateInstanceByString(folder.get(), renderable::kClassName, mesh.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, mesh.get(), u"Bulb"), kRTSuccess);
  ASSERT_EQ(scene_node::SetEntity(node.get(), mesh.get()), kRTSuccess);
  EXPECT_EQ(RefCount(mesh.get()), 2u);

  const std::string expected =
      U32(3) + Floats(Translation(1, 2, 3)) + WString(u"Root:Meshes:Bulb") + kNoBox + kNoModifiers + U32(2) + U32(0) +
      WString(u"");
  EXPECT_EQ(StreamedOut(node.get()), expected) << "the node's part, then the state word's";

  InstanceRef copy = MakeNode(u"Copy", At(0, 0, 0));
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(expected).get()), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy.get()), expected);
  RTInstance entity = nullptr;
  ASSERT_EQ(scene_node::GetEntity(copy.get(), &entity), kRTSuccess);
  EXPECT_EQ(entity, mesh.get()) << "looked up by its path when asked for";
  core().ReleaseInstance(nullptr, entity);
  EXPECT_EQ(RefCount(mesh.get()), 3u);
  copy.Reset();
  ASSERT_EQ(scene_node::SetEntity(node.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(mesh.get()), 1u);
}

// At shutdown the core destroys Root's children last first, so the entity made after its node
// goes first; the node then lets go of an entity already destroyed, which must do no harm.
TEST_F(SceneNodes, AnEntityDestroyedBeforeItsNodeAtShutdownIsLetGoOfSafely) {
  RTInstance node = nullptr, bulb = nullptr;  // left to the shutdown
  ASSERT_EQ(core().CreateInstanceByString(nullptr, scene_node::kClassName, &node, 0, 1), kRTSuccess);
  ASSERT_EQ(core().CreateInstanceByString(nullptr, renderable::kClassName, &bulb, 0, 1), kRTSuccess);
  ASSERT_EQ(scene_node::SetEntity(node, bulb), kRTSuccess);
}

TEST_F(SceneNodes, KeepTheirStateWordAndQuadItem) {
  InstanceRef node = MakeNode(u"Walker", At(0, 0, 0));
  uint32_t word = 1;
  ASSERT_EQ(tesk_scene_node::GetStateWord(node.get(), &word), kRTSuccess);
  EXPECT_EQ(word, 0u);
  ASSERT_EQ(tesk_scene_node::SetStateWord(node.get(), 0x00050061), kRTSuccess);
  ASSERT_EQ(tesk_scene_node::GetStateWord(node.get(), &word), kRTSuccess);
  EXPECT_EQ((word & tesk_scene_node::kKindBits) >> tesk_scene_node::kKindShift, 6u);
  int item = 0;
  ASSERT_EQ(tesk_scene_node::SetQuadItem(node.get(), &item), kRTSuccess);
  void* back = nullptr;
  ASSERT_EQ(tesk_scene_node::GetQuadItem(node.get(), &back), kRTSuccess);
  EXPECT_EQ(back, &item);
  EXPECT_EQ(StreamedOut(node.get()).substr(kBareNodePart), U32(2) + U32(0x00050061) + WString(u""));
}

TEST_F(SceneNodes, HoldTheirAnimatorAndStreamItsPath) {
  InstanceRef node = MakeNode(u"Walker", At(0, 0, 0));
  InstanceRef folder = MakeFolder(u"Players");
  InstanceRef player;
  ASSERT_EQ(core().CreateInstanceByString(folder.get(), u"RTComponent", player.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, player.get(), u"Walk"), kRTSuccess);
  RTInstance held = player.get();
  ASSERT_EQ(tesk_scene_node::GetAnimator(node.get(), &held), kRTSuccess);
  EXPECT_EQ(held, nullptr);
  ASSERT_EQ(tesk_scene_node::SetAnimator(node.get(), player.get()), kRTSuccess);
  EXPECT_EQ(RefCount(player.get()), 2u);
  const std::string written = StreamedOut(node.get());
  EXPECT_EQ(written.substr(kBareNodePart), U32(2) + U32(0) + WString(u"Root:Players:Walk"));

  InstanceRef copy = MakeNode(u"Copy", At(0, 0, 0));
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(written).get()), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy.get()), written) << "the path kept until it is asked for";
  ASSERT_EQ(tesk_scene_node::GetAnimator(copy.get(), &held), kRTSuccess);
  EXPECT_EQ(held, player.get());
  core().ReleaseInstance(nullptr, held);
  EXPECT_EQ(RefCount(player.get()), 3u);

  // A stream of version 1 has no player: the copy lets its own go.
  const std::string older = written.substr(0, kBareNodePart) + U32(1) + U32(0);
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(older).get()), kRTSuccess);
  ASSERT_EQ(tesk_scene_node::GetAnimator(copy.get(), &held), kRTSuccess);
  EXPECT_EQ(held, nullptr);
  ASSERT_EQ(tesk_scene_node::SetAnimator(node.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(player.get()), 1u);
}

// Modifiers stream by their paths and are looked up when first asked for, ahead of those added
// since; a path that names nothing is reported and left out, a damaged modifier part refused.
TEST_F(SceneNodes, StreamTheirModifiersByPath) {
  InstanceRef node = MakePlainNode();
  InstanceRef folder = MakeFolder(u"Players");
  InstanceRef swing, sway;
  ASSERT_EQ(core().CreateInstanceByString(folder.get(), u"RTComponent", swing.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, swing.get(), u"Swing"), kRTSuccess);
  ASSERT_EQ(core().CreateInstanceByString(folder.get(), u"RTComponent", sway.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, sway.get(), u"Sway"), kRTSuccess);
  ASSERT_EQ(scene_node::AddModifier(node.get(), swing.get()), kRTSuccess);
  const std::string head = U32(3) + Floats(Translation(0, 0, 0)) + WString(u"") + kNoBox;
  const std::string written = head + U32(2) + WString(u"Root:Players:Swing") + WString(u"Root:Nowhere");
  ASSERT_EQ(component::StreamIn(node.get(), component::kStreamWhole, StreamOf(written).get()), kRTSuccess);
  EXPECT_EQ(RefCount(swing.get()), 1u) << "the streamed-in node let its own modifier go";
  EXPECT_EQ(StreamedOut(node.get()), written) << "the paths kept until they are asked for";
  ASSERT_EQ(scene_node::AddModifier(node.get(), sway.get()), kRTSuccess);
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(scene_node::GetModifierList(node.get(), &modifiers, &count), kRTSuccess);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(modifiers[0], swing.get());
  EXPECT_EQ(modifiers[1], sway.get());
  EXPECT_EQ(Occurrences("RTSceneNode: there is no modifier Root:Nowhere; the node goes without it"), 1u);
  EXPECT_EQ(StreamedOut(node.get()), head + U32(2) + WString(u"Root:Players:Swing") + WString(u"Root:Players:Sway"));

  const std::string before = StreamedOut(node.get());
  for (const std::string& damaged : {head + U32(5) + WString(u"Root:Players:Swing"), head + U32(1) + WString(u""),
                                     head + U32(1) + U32(40) + "ab"}) {
    EXPECT_EQ(component::StreamIn(node.get(), component::kStreamWhole, StreamOf(damaged).get()), kRTFailure);
    EXPECT_EQ(StreamedOut(node.get()), before);
  }
  node.Reset();
  EXPECT_EQ(RefCount(swing.get()), 1u);
  EXPECT_EQ(RefCount(sway.get()), 1u);
}

TEST_F(SceneNodes, ADamagedStreamLeavesTheNodeAsItWas) {
  InstanceRef node = MakeNode(u"Walker", At(4, 5, 6));
  ASSERT_EQ(tesk_scene_node::SetStateWord(node.get(), 0x70), kRTSuccess);
  const std::string before = StreamedOut(node.get());
  const std::string other = U32(1) + Floats(Translation(7, 8, 9)) + WString(u"") + U32(1) + U32(0x11);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a newer node", U32(4) + other.substr(4)},
      {"a cut matrix", other.substr(0, 40)},
      {"a cut path", U32(1) + Floats(Translation(7, 8, 9)) + U32(30) + "ab"},
      {"a newer state word", other.substr(0, other.size() - 8) + U32(3) + U32(0x11)},
      {"no state word", other.substr(0, other.size() - 4)},
      {"a cut player path", other.substr(0, other.size() - 8) + U32(2) + U32(0x11) + U32(20) + "ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(component::StreamIn(node.get(), component::kStreamWhole, StreamOf(c.bytes).get()), kRTFailure) << c.what;
    EXPECT_EQ(StreamedOut(node.get()), before) << c.what << ": the placement and the state word are kept";
  }
  EXPECT_EQ(component::StreamIn(node.get(), component::kStreamWhole, StreamOf(other).get()), kRTSuccess);
}

TEST_F(SceneNodes, ARenderableHasNothingToDraw) {
  InstanceRef renderable;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, renderable::kClassName, renderable.out(), 0, 1), kRTSuccess);
  RTFVector3D min = At(9, 9, 9), max = At(9, 9, 9);
  float radius = 9;
  RTBool alpha = 9;
  uint32_t stages = 0;
  ASSERT_EQ(renderable::GetBoundingBox(renderable.get(), &min, &max), kRTSuccess);
  ASSERT_EQ(renderable::GetBoundingSphere(renderable.get(), &radius), kRTSuccess);
  ASSERT_EQ(renderable::HasAlpha(renderable.get(), &alpha), kRTSuccess);
  ASSERT_EQ(renderable::GetStageCount(renderable.get(), &stages), kRTSuccess);
  EXPECT_TRUE(Same(min, At(0, 0, 0)) && Same(max, At(0, 0, 0)));
  EXPECT_EQ(radius, 0.0f);
  EXPECT_EQ(alpha, 0u);
  EXPECT_EQ(stages, 1u);
  EXPECT_EQ(renderable::ProcessFrame(renderable.get(), 0, nullptr), kRTSuccess);
  EXPECT_EQ(StreamedOut(renderable.get()), U32(1));
  EXPECT_EQ(component::StreamIn(renderable.get(), component::kStreamWhole, StreamOf(U32(2)).get()), kRTFailure);
  EXPECT_TRUE(Logged("RTRenderable::StreamIn(): the stream holds no version of 1 or older"));
}

}  // namespace
