// The skin's stream: its bytes and a round trip of every field, the rows each older version holds,
// the root's matrices, damaged streams refused with the skin unchanged, and a tree read anew under
// kept chains and a hierarchy view.
#include <optional>
#include <string>
#include <vector>

#include "kivo/support/matrix.h"
#include "skin_fixture.h"

namespace {

using namespace skintest;
using namespace kivo;
using tesk::testing::StreamBytes;

// Every field of a bone record, as the tests write and expect them.
struct BoneRecord {
  std::u16string name{};
  RTFMatrix4x4 inverseBind = Translation(-1, -2, -3);
  float arcMin = 10, arcMax = 200, coneLength = 0.75f;
  uint32_t dof = 2;
  RTFVector3D sweep = V(0.1f, 0.2f, 0.3f);
  float radiusA = 0.4f, radiusB = 0.6f, twistMin = -20, twistMax = 25;
  RTFVector3D pivot = V(0.5f, 0.25f, 0.125f);
  RTFMatrix4x4 restLocal = TurnZ(30, V(1, 0, 0));
  std::vector<Influence> influences{};
  uint32_t children = 0;
};

void Matrix(StreamBytes& bytes, const RTFMatrix4x4& m) {
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) bytes.F32(m.m[row][column]);
}

void Vector(StreamBytes& bytes, const RTFVector3D& v) { bytes.F32(v.x).F32(v.y).F32(v.z); }

// The record as a stream of the version holds it: the rows from the version's own on.
void WriteBone(StreamBytes& bytes, uint32_t version, const BoneRecord& b) {
  const uint32_t rows[] = {2816, 2560, 2304, 2048, 1792, 1536};
  bool in = false;
  const auto row = [&](uint32_t v) { return in = in || v == version; };
  bytes.Wide(b.name);
  Matrix(bytes, b.inverseBind);
  if (row(rows[0])) bytes.F32(b.arcMin).F32(b.arcMax);
  if (row(rows[1])) bytes.F32(b.coneLength);
  if (row(rows[2])) {
    bytes.U32(b.dof);
    Vector(bytes, b.sweep);
    bytes.F32(b.radiusA).F32(b.radiusB).F32(b.twistMin).F32(b.twistMax);
  }
  if (row(rows[3])) Vector(bytes, b.pivot);
  if (row(rows[4])) bytes.F32(0).F32(0).F32(0).F32(0).F32(0).F32(0);
  if (row(rows[5])) Matrix(bytes, b.restLocal);
  bytes.U32(static_cast<uint32_t>(b.influences.size()));
  for (const Influence& i : b.influences) bytes.U32(i.vertex);
  for (const Influence& i : b.influences) bytes.F32(i.weight);
  bytes.U32(b.children);
}

void ExpectMatrix(const RTFMatrix4x4& actual, const RTFMatrix4x4& expected, const char* what) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(actual.m[i][j], expected.m[i][j]) << what << " " << i << "," << j;
}

const RTFMatrix4x4 kZero{};
const std::vector<RTFVector3D> kVertices = {V(0, 0, 0), V(1, 0, 0), V(0, 1, 0)};
const std::vector<RTFVector3D> kNormals = {V(0, 0, 1), V(0, 0, 1), V(0, 0, 1)};

class SkinStream : public SkinTest {
 protected:
  // A skin of three vertices with normals and a material, so that its mesh part can be written.
  RTInstance WritableSkin() {
    RTInstance skin = NewSkin(kVertices, kNormals);
    EXPECT_EQ(poly_model::SetMaterialList(skin, &material_, 1), kRTSuccess);
    return skin;
  }
  // The mesh part of such a skin, written by a mesh of the same lists and material.
  std::string MeshPart() {
    RTInstance mesh = NewMesh();
    EXPECT_EQ(poly_model::SetVectorListF(mesh, kVertices.data(), 3), kRTSuccess);
    EXPECT_EQ(poly_model::SetNormalListF(mesh, kNormals.data(), 3), kRTSuccess);
    EXPECT_EQ(poly_model::SetMaterialList(mesh, &material_, 1), kRTSuccess);
    return StreamedOut(mesh);
  }
  // A stream of the version up to its tree: "Root" over the child over "Leaf", each with
  // influences.
  std::string Tree(uint32_t version, const BoneRecord& child) {
    StreamBytes bytes;
    bytes.Raw(mesh_).U32(version);
    WriteBone(bytes, version, BoneRecord{.name = u"Root", .influences = {{0, 1}}, .children = 1});
    WriteBone(bytes, version, child);
    WriteBone(bytes, version, BoneRecord{.name = u"Leaf", .influences = {{2, 1}}});
    return bytes.bytes();
  }
  // The settings of a 2816 stream and one chain of the links.
  static std::string ChainPart(const std::u16string& name, const std::vector<std::u16string>& links) {
    StreamBytes bytes;
    bytes.F32(5).U32(7).F32(0.01f).U32(1).Wide(name).U32(static_cast<uint32_t>(links.size()));
    for (const std::u16string& link : links) bytes.Wide(link);
    return bytes.bytes();
  }
  // The whole stream of the version; 2816 holds the chain "Arm" from "Leaf" up to "Root".
  std::string ThreeBones(uint32_t version, const BoneRecord& child) {
    return Tree(version, child) + (version == 2816 ? ChainPart(u"Arm", {u"Leaf", u"Child", u"Root"}) : "");
  }
  static BoneRecord Child() {
    return BoneRecord{.name = u"Child", .influences = {{1, 0.5f}, {2, 0.5f}}, .children = 1};
  }

  void SetUp() override {
    SkinTest::SetUp();
    material_ = NewMaterial();
    mesh_ = MeshPart();
  }

  RTInstance material_ = nullptr;
  std::string mesh_;
};

TEST_F(SkinStream, WritesItsKnownBytesAndRoundTripsEveryField) {
  RTInstance source = WritableSkin();
  RTBoneNode* root = AddBone(source, u"Root", nullptr, Identity(), Identity(), {{0, 1}});
  const BoneRecord c = Child();
  RTBoneNode* child = nullptr;
  const std::vector<uint32_t> indices = {1, 2};
  const std::vector<float> weights = {0.5f, 0.5f};
  ASSERT_EQ(bone_model::AddNode(source, u"Child", &c.inverseBind, &c.restLocal, 2, indices.data(), weights.data(),
                                &c.pivot, c.coneLength, root, &child),
            kRTSuccess);
  ASSERT_EQ(bone_model::SetIKTSConstraints(source, child, &c.sweep, c.radiusA, c.radiusB, c.arcMax, c.arcMin,
                                           c.twistMin, c.twistMax, c.dof),
            kRTSuccess);
  const BoneRecord leaf{.name = u"Leaf", .influences = {{2, 1}}};
  RTBoneNode* leafBone = AddBone(source, u"Leaf", child, leaf.restLocal, leaf.inverseBind, leaf.influences);
  ASSERT_EQ(bone_model::SetIKTSConstraints(source, leafBone, &leaf.sweep, leaf.radiusA, leaf.radiusB, leaf.arcMin,
                                           leaf.arcMax, leaf.twistMin, leaf.twistMax, leaf.dof),
            kRTSuccess);
  ASSERT_EQ(bone_model::SetIKDamper(source, 5), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKIterations(source, 7), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKGoalDistance(source, 0.01f), kRTSuccess);
  int32_t chain = -1;
  ASSERT_EQ(bone_model::CreateIKChain(source, u"Root", u"Leaf", u"Arm", &chain), kRTSuccess);
  const RTFMatrix4x4 target = Translation(1, 1, 1);
  ASSERT_EQ(bone_model::SetIKTarget(source, &target, chain), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKChainActive(source, 1, chain), kRTSuccess);

  // Root and leaf were made by AddNode: radius B 1, no pivot, cone length 0.
  BoneRecord rootRecord{.name = u"Root",
                        .inverseBind = Identity(),
                        .arcMin = 0,
                        .arcMax = 360,
                        .coneLength = 0,
                        .dof = 3,
                        .sweep = V(0, 0, 0),
                        .radiusA = 1,
                        .radiusB = 1,
                        .twistMin = -30,
                        .twistMax = 30,
                        .pivot = V(0, 0, 0),
                        .restLocal = Identity(),
                        .influences = {{0, 1}},
                        .children = 1};
  BoneRecord leafRecord = leaf;
  leafRecord.coneLength = 0;
  leafRecord.pivot = V(0, 0, 0);
  StreamBytes expected;
  expected.Raw(mesh_).U32(2816);
  WriteBone(expected, 2816, rootRecord);
  WriteBone(expected, 2816, c);
  WriteBone(expected, 2816, leafRecord);
  expected.Raw(ChainPart(u"Arm", {u"Leaf", u"Child", u"Root"}));
  const std::string written = StreamedOut(source);
  ASSERT_EQ(written, expected.bytes());

  RTInstance copy = WritableSkin();
  ASSERT_EQ(StreamIn(copy, written), kRTSuccess) << host_.DebugLog();
  EXPECT_EQ(StreamedOut(copy), written);
  RTBoneNode* read = nullptr;
  ASSERT_EQ(bone_model::GetNode(copy, u"Child", &read), kRTSuccess);
  EXPECT_EQ(read->coneSampleCount, 32u) << "DOF 2: 0.6 x 20 + 20 samples of the ring";
  ExpectMatrix(read->customMatrix, c.restLocal, "custom = rest local");
  RTBool active = 1;
  RTFMatrix4x4 readTarget = target;
  const char16_t *rootName = nullptr, *endName = nullptr, *name = nullptr;
  ASSERT_EQ(bone_model::GetIKChain(copy, &rootName, &endName, &name, &active, 0), kRTSuccess);
  EXPECT_EQ(std::u16string(name), u"Arm");
  EXPECT_EQ(std::u16string(rootName), u"Root");
  EXPECT_EQ(std::u16string(endName), u"Leaf");
  EXPECT_EQ(active, 0u) << "chains come back inactive";
  ASSERT_EQ(bone_model::GetIKTarget(copy, &readTarget, 0), kRTSuccess);
  ExpectMatrix(readTarget, kZero, "target");
}

// Each version enters the bone record at its own row; a version of none of the rows reads none.
TEST_F(SkinStream, OlderVersionsEnterTheRecordAtTheirRow) {
  const struct {
    uint32_t version;
    int firstRow;  // 0 arcs, 1 cone length, 2 limits, 3 pivot, 4 spares, 5 rest local, 6 none
  } cases[] = {{2816, 0}, {2560, 1}, {2304, 2}, {2048, 3}, {1792, 4}, {1536, 5}, {2000, 6}};
  const BoneRecord c = Child();
  for (const auto& k : cases) {
    SCOPED_TRACE(k.version);
    RTInstance skin = WritableSkin();
    AddBone(skin, u"Root", AddBone(skin, u"Old", nullptr, Identity(), Identity()), Identity(), Identity());
    ASSERT_EQ(bone_model::SetIKDamper(skin, 1.5f), kRTSuccess);
    ASSERT_EQ(bone_model::SetIKIterations(skin, 3), kRTSuccess);
    ASSERT_EQ(StreamIn(skin, ThreeBones(k.version, c)), kRTSuccess) << host_.DebugLog();

    RTBoneNode *bone = nullptr, *root = nullptr;
    ASSERT_EQ(bone_model::GetNode(skin, u"Child", &bone), kRTSuccess);
    EXPECT_EQ(bone->arcMin, k.firstRow <= 0 ? c.arcMin : 0);
    EXPECT_EQ(bone->arcMax, k.firstRow <= 0 ? c.arcMax : 360);
    EXPECT_EQ(bone->coneLength, k.firstRow <= 1 ? c.coneLength : 0);
    const bool limits = k.firstRow <= 2;
    EXPECT_EQ(bone->dof, limits ? c.dof : 3);
    ExpectNear(bone->sweepOffset, limits ? c.sweep : V(0, 0, 0), 0);
    EXPECT_EQ(bone->radiusA, limits ? c.radiusA : 1.0f);
    EXPECT_EQ(bone->radiusB, limits ? c.radiusB : 0.1f) << "radius B of a bone read from a stream";
    EXPECT_EQ(bone->twistMin, limits ? c.twistMin : -30);
    EXPECT_EQ(bone->twistMax, limits ? c.twistMax : 30);
    ExpectNear(bone->pivot, k.firstRow <= 3 ? c.pivot : V(0, 0, 0), 0);
    const bool rest = k.firstRow <= 5;
    ExpectMatrix(bone->restLocal, rest ? c.restLocal : kZero, "rest local");
    ExpectMatrix(bone->customMatrix, rest ? c.restLocal : Identity(), "custom");
    RTFMatrix4x4 inverseRest = c.restLocal;
    Mat4InvertRigid(&inverseRest);
    ExpectMatrix(bone->inverseRestLocal, rest ? inverseRest : kZero, "inverse rest local");
    ExpectMatrix(bone->inverseBind, c.inverseBind, "inverse bind");
    EXPECT_EQ(bone->influenceCount, 2u);

    ASSERT_EQ(bone_model::GetRootNode(skin, &root), kRTSuccess);
    ExpectMatrix(root->inverseBind, Identity(), "the root's inverse bind");
    ExpectMatrix(root->restLocal, Identity(), "the root's rest local");
    ExpectMatrix(root->customMatrix, Identity(), "the root's custom matrix");

    float damper = 0;
    int32_t iterations = 0, chains = -1;
    bone_model::GetIKDamper(skin, &damper);
    bone_model::GetIKIterations(skin, &iterations);
    bone_model::GetIKChainsCount(skin, &chains);
    EXPECT_EQ(damper, k.version == 2816 ? 5 : 1.5f) << "older streams keep the settings";
    EXPECT_EQ(iterations, k.version == 2816 ? 7 : 3);
    EXPECT_EQ(chains, k.version == 2816 ? 1 : 0);
  }
}

TEST_F(SkinStream, DamagedStreamsAreRefusedWithTheSkinUnchanged) {
  const BoneRecord c = Child();
  BoneRecord strayIndex = c;
  strayIndex.influences = {{1, 0.5f}, {3, 0.5f}};
  BoneRecord manyChildren = c;
  manyChildren.children = 1000;
  const std::string tree = Tree(2816, c);
  const std::string valid = ThreeBones(2816, c);
  std::string deep = mesh_ + StreamBytes().U32(2000).bytes();
  for (int level = 0; level <= 256; ++level) {
    StreamBytes bone;
    WriteBone(bone, 2000, BoneRecord{.name = u"b", .children = 1});
    deep += bone.bytes();
  }
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"a newer version", mesh_ + StreamBytes().U32(2817).bytes() + valid.substr(mesh_.size() + 4),
       "the stream holds no skin of version 2816 or older"},
      {"an influence at the vertex count", ThreeBones(2816, strayIndex),
       "influence 1 of bone \"Child\" names vertex 3 of 3"},
      {"a child count beyond the bytes left", ThreeBones(2816, manyChildren),
       "the child count 1000 of bone \"Child\" is larger than the stream"},
      {"a chain of one link", tree + ChainPart(u"Arm", {u"Leaf"}), "chain \"Arm\" has 1 links, not at least 2"},
      {"a link naming no bone", tree + ChainPart(u"Arm", {u"Leaf", u"Elbow"}),
       "link 1 of chain \"Arm\" names no bone: \"Elbow\""},
      {"links that skip a bone", tree + ChainPart(u"Arm", {u"Leaf", u"Root"}),
       "the links of chain \"Arm\" do not run from a bone up through its ancestors"},
      {"a link count beyond the bytes left",
       tree + StreamBytes().F32(5).U32(7).F32(0).U32(1).Wide(u"Arm").U32(99).bytes(),
       "the link count 99 of chain \"Arm\" is larger than the stream"},
      {"a chain count beyond the bytes left", tree + StreamBytes().F32(5).U32(7).F32(0).U32(50).bytes(),
       "the chain count 50 is larger than the stream"},
      {"a tree deeper than 256 bones", deep, "the tree is deeper than 256 bones"},
      {"settings cut short", tree + StreamBytes().F32(5).bytes(), "the IK settings are cut short"},
      {"a record cut short", valid.substr(0, mesh_.size() + 4 + 30), "the record of bone \"Root\" is cut short"},
  };
  RTInstance skin = WritableSkin();
  ASSERT_EQ(StreamIn(skin, valid), kRTSuccess) << host_.DebugLog();
  const std::string before = StreamedOut(skin);
  RTBoneNode* root = nullptr;
  bone_model::GetRootNode(skin, &root);
  for (const auto& k : cases) {
    EXPECT_EQ(StreamIn(skin, k.bytes), kRTFailure) << k.what;
    EXPECT_TRUE(Logged(k.message)) << k.what << "\n" << host_.DebugLog();
    RTBoneNode* now = nullptr;
    bone_model::GetRootNode(skin, &now);
    EXPECT_EQ(now, root) << k.what;
    EXPECT_EQ(StreamedOut(skin), before) << k.what;
  }
}

// A tree read anew under a hierarchy view and kept chains: the view is built again, the chains are
// found again by their bones' names, and a chain the new tree cannot hold is dropped.
TEST_F(SkinStream, ATreeReadAnewRebuildsTheViewAndFindsKeptChainsAgain) {
  RTInstance skin = WritableSkin();
  ASSERT_EQ(StreamIn(skin, ThreeBones(2816, Child())), kRTSuccess);
  BoneHierarchyNode* view = nullptr;
  ASSERT_EQ(bone_model::GetHierarchy(skin, &view), kRTSuccess);
  ASSERT_EQ(StreamIn(skin, ThreeBones(2560, Child())), kRTSuccess);
  ASSERT_EQ(StreamIn(skin, ThreeBones(2560, Child())), kRTSuccess);

  RTBoneNode *root = nullptr, *leaf = nullptr, *link = nullptr;
  bone_model::GetRootNode(skin, &root);
  bone_model::GetNode(skin, u"Leaf", &leaf);
  ASSERT_EQ(bone_model::GetHierarchy(skin, &view), kRTSuccess);
  EXPECT_EQ(view->bone, root);
  ASSERT_EQ(view->childCount, 1u);
  EXPECT_EQ(std::u16string(view->children[0]->bone->name), u"Child");
  ASSERT_EQ(bone_model::GetIKChainLink(skin, 0, &link, 0), kRTSuccess);
  EXPECT_EQ(link, leaf) << "the chain runs through the new tree";

  // A solve of the kept chain over the new bones.
  RTInstance motion = NewMotion();
  AddNode(motion, u"Leaf",
          AddNode(motion, u"Child", AddNode(motion, u"Root", nullptr, Identity()), Translation(1, 0, 0)),
          Translation(1, 0, 0));
  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
  const RTFMatrix4x4 target = Translation(1, 1, 0);
  ASSERT_EQ(bone_model::SetIKTarget(skin, &target, 0), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKChainActive(skin, 1, 0), kRTSuccess);
  EXPECT_EQ(bone_model::Deform(skin, motion), kRTSuccess);

  BoneRecord renamed = Child();
  renamed.name = u"Forearm";
  ASSERT_EQ(StreamIn(skin, ThreeBones(2560, renamed)), kRTSuccess);
  EXPECT_TRUE(Logged("chain \"Arm\" no longer runs through the skin's bones; it is dropped"));
  int32_t chains = -1;
  bone_model::GetIKChainsCount(skin, &chains);
  EXPECT_EQ(chains, 0);
}

// The mesh part of a deformed skin holds its bind pose, not the pose of its last Deform.
TEST_F(SkinStream, ADeformedSkinWritesItsBindPose) {
  RTInstance skin = WritableSkin();
  ASSERT_EQ(StreamIn(skin, ThreeBones(2816, Child())), kRTSuccess);
  const std::string before = StreamedOut(skin);
  RTInstance motion = NewMotion();
  AddNode(motion, u"Leaf",
          AddNode(motion, u"Child", AddNode(motion, u"Root", nullptr, Translation(0, 4, 0)), TurnZ(30)), Identity());
  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin, motion), kRTSuccess);
  ASSERT_NE(Vertices(skin)[0].y, kVertices[0].y);
  EXPECT_EQ(StreamedOut(skin), before);
}

}  // namespace
