// Skinning: the pose taken from a motion, the weighted sums of the bind pose, custom bones, a
// motion of the wrong shape, skins without bones or normals, and a Deform that allocates nothing.
#include <vector>

#include "kivo/support/matrix.h"
#include "kivo/support/parent_call.h"
#include "skin_fixture.h"

namespace {

using namespace skintest;
using namespace kivo;

RTFVector3D Skinned(const RTBoneNode& bone, const RTFVector3D& p, bool point) {
  RTFMatrix4x4 skinning;
  Mat4Multiply(bone.inverseBind, bone.worldMatrix, &skinning);
  RTFVector3D out{};
  if (point) {
    Mat4TransformPoint(skinning, p, &out);
  } else {
    Mat4RotateVector(skinning, p, &out);
  }
  return out;
}

void Accumulate(RTFVector3D& sum, float weight, const RTFVector3D& v) {
  sum.x += weight * v.x;
  sum.y += weight * v.y;
  sum.z += weight * v.z;
}

void ExpectExactly(const RTFVector3D& actual, const RTFVector3D& expected, const char* what) {
  EXPECT_EQ(actual.x, expected.x) << what;
  EXPECT_EQ(actual.y, expected.y) << what;
  EXPECT_EQ(actual.z, expected.z) << what;
}

const std::vector<RTFVector3D> kVertices = {V(1, 2, 3), V(-1, 0.5f, 2), V(0.25f, -3, 1)};
const std::vector<RTFVector3D> kNormals = {V(0, 0, 1), V(1, 0, 0), V(0, 1, 0)};

class Skinning : public SkinTest {
 protected:
  // "A" over "B": A's vertices 0 (0.3) and 1 (0.5), B's 0 (0.7), 1 (0.5) and 2 (1).
  void TwoBones() {
    skin_ = NewSkin(kVertices, kNormals);
    a_ = AddBone(skin_, u"A", nullptr, Identity(), Translation(-1, 0, 0), {{0, 0.3f}, {1, 0.5f}});
    b_ = AddBone(skin_, u"B", a_, Translation(2, 0, 0), TurnZ(-45, V(0, 1, 0)), {{0, 0.7f}, {1, 0.5f}, {2, 1}});
  }
  // A motion of the two bones: A turned about z and moved, B moved along its parent's x.
  RTInstance Motion(float turn, float reach) {
    RTInstance motion = NewMotion();
    AddNode(motion, u"B", AddNode(motion, u"A", nullptr, TurnZ(turn, V(0, 0.5f, 0))), Translation(reach, 0, 0));
    EXPECT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
    return motion;
  }

  RTInstance skin_ = nullptr;
  RTBoneNode* a_ = nullptr;
  RTBoneNode* b_ = nullptr;
};

TEST_F(Skinning, VerticesAreTheWeightedSumsOfEachBonesSkinningMatrix) {
  TwoBones();
  ASSERT_EQ(bone_model::Deform(skin_, Motion(90, 2)), kRTSuccess);

  // The pose: A's motion matrix is its world matrix; B's world is its motion matrix x A's.
  ExpectNear(TranslationOf(a_->worldMatrix), V(0, 0.5f, 0));
  ExpectNear(TranslationOf(b_->worldMatrix), V(0, 2.5f, 0));
  RTFMatrix4x4 expectedWorld;
  Mat4Multiply(b_->motionMatrix, a_->worldMatrix, &expectedWorld);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(b_->worldMatrix.m[i][j], expectedWorld.m[i][j]);
  const RTFMatrix4x4* world = nullptr;
  const RTFMatrix4x4* local = nullptr;
  ASSERT_EQ(bone_model::GetNodeTM(skin_, b_, &world), kRTSuccess);
  ASSERT_EQ(bone_model::GetLocalTM(skin_, b_, &local), kRTSuccess);
  EXPECT_EQ(world, &b_->worldMatrix);
  EXPECT_EQ(local, &b_->motionMatrix);

  // Sum over the bones in tree order, each bone's influences in order.
  std::vector<RTFVector3D> vertices(3, V(0, 0, 0)), normals(3, V(0, 0, 0));
  for (const RTBoneNode* bone : {a_, b_})
    for (uint32_t k = 0; k < bone->influenceCount; ++k) {
      const uint32_t j = bone->vertexIndices[k];
      Accumulate(vertices[j], bone->weights[k], Skinned(*bone, kVertices[j], true));
      Accumulate(normals[j], bone->weights[k], Skinned(*bone, kNormals[j], false));
    }
  const std::vector<RTFVector3D> skinned = Vertices(skin_), skinnedNormals = Normals(skin_);
  ASSERT_EQ(skinned.size(), 3u);
  ASSERT_EQ(skinnedNormals.size(), 3u);
  for (size_t j = 0; j < 3; ++j) {
    ExpectExactly(skinned[j], vertices[j], "vertex");
    ExpectExactly(skinnedNormals[j], normals[j], "normal");
  }
}

TEST_F(Skinning, TwoHalfInfluencesOfOneMatrixEqualAWholeOne) {
  RTInstance skin = NewSkin({V(0.3f, 0.7f, -1.1f), V(0.3f, 0.7f, -1.1f)});
  const RTFMatrix4x4 bind = TurnZ(20, V(0.1f, 0.2f, 0.3f));
  RTBoneNode* a = AddBone(skin, u"A", nullptr, Identity(), bind, {{0, 0.5f}, {1, 1}});
  AddBone(skin, u"B", a, Identity(), bind, {{0, 0.5f}});
  RTInstance motion = NewMotion();
  AddNode(motion, u"B", AddNode(motion, u"A", nullptr, TurnZ(33, V(1, 2, 3))), Identity());
  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin, motion), kRTSuccess);
  const std::vector<RTFVector3D> skinned = Vertices(skin);
  ExpectExactly(skinned[0], skinned[1], "two halves");
}

TEST_F(Skinning, ACustomBoneIgnoresTheMotionAndKeepsItsMotionMatrix) {
  TwoBones();
  ASSERT_EQ(bone_model::Deform(skin_, Motion(90, 2)), kRTSuccess);
  const RTFMatrix4x4 fromMotion = b_->motionMatrix;
  const RTFMatrix4x4 custom = TurnZ(10, V(0, 3, 0));
  ASSERT_EQ(bone_model::ManipulateNode(skin_, b_, &custom), kRTSuccess);

  ASSERT_EQ(bone_model::Deform(skin_, Motion(0, 5)), kRTSuccess);
  RTFMatrix4x4 expected;
  Mat4Multiply(custom, a_->worldMatrix, &expected);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(b_->worldMatrix.m[i][j], expected.m[i][j]);
      EXPECT_EQ(b_->motionMatrix.m[i][j], fromMotion.m[i][j]) << "the motion matrix of the last uncustomised pose";
    }
  ExpectNear(TranslationOf(a_->worldMatrix), V(0, 0.5f, 0));

  ASSERT_EQ(bone_model::ResetNode(skin_, b_), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin_, Motion(0, 5)), kRTSuccess);
  ExpectNear(TranslationOf(b_->worldMatrix), V(5, 0.5f, 0));
}

TEST_F(Skinning, AMotionWithFewerChildrenIsReportedAndLaterBonesKeepTheirPose) {
  TwoBones();
  ASSERT_EQ(bone_model::Deform(skin_, Motion(90, 2)), kRTSuccess);
  const RTFMatrix4x4 kept = b_->worldMatrix;
  RTInstance shorter = NewMotion();
  AddNode(shorter, u"A", nullptr, Translation(7, 0, 0));
  ASSERT_EQ(motion::UpdateFrame(shorter, 0, 0), kRTSuccess);

  EXPECT_EQ(bone_model::Deform(skin_, shorter), kRTSuccess);
  EXPECT_TRUE(Logged("Incompatible Motion and Skin hierarchy"));
  ExpectNear(TranslationOf(a_->worldMatrix), V(7, 0, 0));
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(b_->worldMatrix.m[i][j], kept.m[i][j]);
  // The blend still ran: vertex 2 follows B alone, whose pose is the old one.
  ExpectExactly(Vertices(skin_)[2], Skinned(*b_, kVertices[2], true), "vertex 2");
}

TEST_F(Skinning, UpdateXFormPosesTheBonesOnly) {
  TwoBones();
  ASSERT_EQ(bone_model::UpdateXForm(skin_, Motion(90, 2)), kRTSuccess);
  ExpectNear(TranslationOf(b_->worldMatrix), V(0, 2.5f, 0));
  ExpectExactly(Vertices(skin_)[1], kVertices[1], "untouched");
}

TEST_F(Skinning, WithoutBonesTheListsAreZeroAndWithoutNormalsNoneAreMade) {
  RTInstance bare = NewSkin(kVertices, kNormals);
  EXPECT_EQ(bone_model::Deform(bare, NewMotion()), kRTSuccess);
  EXPECT_EQ(bone_model::UpdateXForm(bare, NewMotion()), kRTSuccess);
  for (const RTFVector3D& v : Vertices(bare)) ExpectExactly(v, V(0, 0, 0), "vertex");
  for (const RTFVector3D& n : Normals(bare)) ExpectExactly(n, V(0, 0, 0), "normal");

  RTInstance noNormals = NewSkin(kVertices);
  AddBone(noNormals, u"A", nullptr, Identity(), Identity(), {{0, 1}});
  RTInstance motion = NewMotion();
  AddNode(motion, u"A", nullptr, Translation(0, 1, 0));
  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
  EXPECT_EQ(bone_model::Deform(noNormals, motion), kRTSuccess);
  EXPECT_TRUE(Normals(noNormals).empty());
  ExpectExactly(Vertices(noNormals)[0], V(1, 3, 3), "moved by A");
  ExpectExactly(Vertices(noNormals)[1], V(0, 0, 0), "influenced by no bone");
}

TEST_F(Skinning, DeformAllocatesNothing) {
  TwoBones();
  RTInstance motion = Motion(45, 1);
  const auto before = MemoryStats();
  ASSERT_EQ(bone_model::Deform(skin_, motion), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin_, motion), kRTSuccess);
  EXPECT_EQ(MemoryStats(), before);
}

// The mesh's lists may be set at the mesh's own level, past the skin: the blend then moves no more
// than both lists hold and skips influences beyond them.
TEST_F(Skinning, ListsSetAtTheMeshLevelBoundTheBlend) {
  TwoBones();
  const RTFVector3D one[] = {V(5, 5, 5)};
  ASSERT_EQ(CallParentMethod(skin_, poly_model::kOwnTable, poly_model::kSetVectorListF,
                             static_cast<const RTFVector3D*>(one), 1u),
            kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin_, Motion(90, 2)), kRTSuccess);
  const std::vector<RTFVector3D> skinned = Vertices(skin_);
  ASSERT_EQ(skinned.size(), 1u);
  RTFVector3D expected = V(0, 0, 0);
  Accumulate(expected, 0.3f, Skinned(*a_, kVertices[0], true));
  Accumulate(expected, 0.7f, Skinned(*b_, kVertices[0], true));
  ExpectExactly(skinned[0], expected, "vertex 0 from the bind pose");

  const std::vector<RTFVector3D> four(4, V(1, 1, 1));
  ASSERT_EQ(CallParentMethod(skin_, poly_model::kOwnTable, poly_model::kSetVectorListF, four.data(), 4u), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin_, Motion(90, 2)), kRTSuccess);
  ExpectExactly(Vertices(skin_)[3], V(0, 0, 0), "beyond the bind pose: cleared");
}

}  // namespace
