// The bone tree: adding bones (over an existing root too), finding them, figure mode, custom
// rotations, the hierarchy view and kept chains across a tree read anew, and the bind lists.
#include <string>
#include <vector>

#include "host/stream_bytes.h"
#include "kivo/support/matrix.h"
#include "skin_fixture.h"

namespace {

using namespace skintest;
using namespace kivo;

using SkinBones = SkinTest;

TEST_F(SkinBones, AddNodeBuildsTheTreeAndRefusesWhatItCannotHold) {
  RTInstance skin = NewSkin({V(0, 0, 0), V(1, 0, 0)});
  RTBoneNode* root = nullptr;
  ASSERT_EQ(bone_model::GetRootNode(skin, &root), kRTSuccess);
  EXPECT_EQ(root, nullptr);
  RTBoneNode* found = nullptr;
  EXPECT_EQ(bone_model::GetNode(skin, u"Root", &found), kRTFailure) << "a skin without bones";

  root = AddBone(skin, u"Root", nullptr, Identity(), Identity(), {{1, 1}});
  RTBoneNode* left = AddBone(skin, u"Arm", root, Translation(1, 0, 0), Identity());
  RTBoneNode* right = AddBone(skin, u"Arm", root, Translation(-1, 0, 0), Identity());
  AddBone(skin, u"Hand", left, Translation(1, 0, 0), Identity());
  ASSERT_EQ(root->childCount, 2u);
  EXPECT_EQ(root->children[1], right);
  EXPECT_EQ(right->parent, root);
  EXPECT_EQ(root->radiusB, 1.0f) << "radius B of a bone made by AddNode";
  ASSERT_EQ(bone_model::GetNode(skin, u"Arm", &found), kRTSuccess);
  EXPECT_EQ(found, left) << "the first of the name, a bone before its children";
  RTFMatrix4x4 inverseRest = Translation(1, 0, 0);
  Mat4InvertRigid(&inverseRest);
  EXPECT_EQ(left->inverseRestLocal.m[3][0], inverseRest.m[3][0]);
  EXPECT_EQ(left->customMatrix.m[3][0], 1.0f) << "custom matrix = rest local";
  EXPECT_EQ(left->rotation.w, 1.0f) << "its rotation in step with it";

  RTBoneNode* unchanged = found;
  EXPECT_EQ(bone_model::GetNode(skin, u"Foot", &unchanged), kRTFailure);
  EXPECT_EQ(unchanged, found);

  RTInstance other = NewSkin({V(0, 0, 0)});
  RTBoneNode* stranger = AddBone(other, u"Stranger", nullptr, Identity(), Identity());
  const uint32_t stray[] = {2};
  const float weight[] = {1};
  RTBoneNode* made = nullptr;
  const RTFMatrix4x4 identity = Identity();
  const struct {
    const char* what;
    uint32_t count;
    const uint32_t* indices;
    RTBoneNode* parent;
    std::string message;
  } refusals[] = {
      {"an influence at the vertex count", 1, stray, root, "influence 0 names vertex 2 of 2"},
      {"influences counted but not given", 1, nullptr, root, "influences are counted but not given"},
      {"a parent of another skin", 0, nullptr, stranger, "the parent is not a bone of this skin"},
  };
  for (const auto& r : refusals) {
    EXPECT_EQ(bone_model::AddNode(skin, u"Bad", &identity, &identity, r.count, r.indices, weight, nullptr, 0, r.parent,
                                  &made),
              kRTFailure)
        << r.what;
    EXPECT_TRUE(Logged(r.message)) << r.what;
  }
  EXPECT_EQ(root->childCount, 2u);
}

// A new root takes the old tree's place, but the old tree stays the skin's: its bones and the view
// of it stay valid until the skin goes.
TEST_F(SkinBones, ANewRootLeavesTheOldTreeValid) {
  RTInstance skin = NewSkin({V(0, 0, 0)});
  RTBoneNode* old = AddBone(skin, u"Old", nullptr, Identity(), Identity());
  RTBoneNode* child = AddBone(skin, u"Child", old, Identity(), Identity(), {{0, 1}});
  BoneHierarchyNode* view = nullptr;
  ASSERT_EQ(bone_model::GetHierarchy(skin, &view), kRTSuccess);
  RTBoneNode* fresh = AddBone(skin, u"New", nullptr, Identity(), Identity());
  RTBoneNode* root = nullptr;
  bone_model::GetRootNode(skin, &root);
  EXPECT_EQ(root, fresh);
  EXPECT_EQ(std::u16string(child->name), u"Child");
  EXPECT_EQ(child->parent, old);
  BoneHierarchyNode* again = nullptr;
  ASSERT_EQ(bone_model::GetHierarchy(skin, &again), kRTSuccess);
  EXPECT_EQ(again, view) << "the view is built once";
  EXPECT_EQ(view->bone, old);
  ASSERT_EQ(view->childCount, 1u);
  EXPECT_EQ(view->children[0]->bone, child);
  EXPECT_EQ(view->children[0]->parent, view);
}

TEST_F(SkinBones, FigureModePinsTheRestPose) {
  RTInstance skin = NewSkin();
  RTBoneNode* root = AddBone(skin, u"Root", nullptr, Identity(), Identity());
  RTBoneNode* arm = AddBone(skin, u"Arm", root, TurnZ(90, V(1, 0, 0)), Identity());
  RTBoneNode* hand = AddBone(skin, u"Hand", arm, Translation(2, 0, 0), Identity());
  ASSERT_EQ(bone_model::FigureMode(skin, 1), kRTSuccess);
  for (const RTBoneNode* bone : {root, arm, hand}) EXPECT_EQ(bone->custom, 1u);
  ExpectNear(TranslationOf(hand->worldMatrix), V(1, 2, 0));
  ExpectNear(V(hand->rotation.w, hand->rotation.x, hand->rotation.y), V(1, 0, 0));
  ASSERT_EQ(bone_model::FigureMode(skin, 0), kRTSuccess);
  for (const RTBoneNode* bone : {root, arm, hand}) EXPECT_EQ(bone->custom, 0u);
}

TEST_F(SkinBones, CustomRotationsWithoutConstraints) {
  RTInstance skin = NewSkin();
  RTBoneNode* root = AddBone(skin, u"Root", nullptr, Identity(), Identity());
  RTBoneNode* arm = AddBone(skin, u"Arm", root, Translation(1, 2, 3), Identity());
  ASSERT_EQ(bone_model::SetEnableIKConstraints(skin, 0), kRTSuccess);
  const Quaternion rotation = arm->rotation;
  const RTFVector3D euler = V(10, 20, 100);
  ASSERT_EQ(bone_model::SetCustomTM(skin, arm, &euler), kRTSuccess);
  RTFVector3D back{};
  ASSERT_EQ(bone_model::GetCustomTM(skin, arm, &back), kRTSuccess);
  ExpectNear(back, euler, 1e-4f);
  ExpectNear(TranslationOf(arm->customMatrix), V(1, 2, 3), 0);
  EXPECT_EQ(arm->custom, 0u) << "SetCustomTM leaves the flag";
  EXPECT_EQ(arm->rotation.w, rotation.w) << "without constraints the rotation keeps its value";

  RTBool custom = 0;
  ASSERT_EQ(bone_model::SetCustom(skin, arm, 1), kRTSuccess);
  ASSERT_EQ(bone_model::GetCustom(skin, arm, &custom), kRTSuccess);
  EXPECT_EQ(custom, 1u);
  ASSERT_EQ(bone_model::ResetCustom(skin, arm), kRTSuccess);
  ASSERT_EQ(bone_model::GetCustomTM(skin, arm, &back), kRTSuccess);
  ExpectNear(back, V(0, 0, 0), 0);
  EXPECT_EQ(arm->custom, 1u);
}

TEST_F(SkinBones, SettingAListAgainFreesTheOldOne) {
  const std::vector<RTFVector3D> list(10, V(1, 2, 3));
  RTInstance skin = NewSkin(list, list);
  const auto once = MemoryStats();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(bone_model::SetVectorListF(skin, list.data(), 10), kRTSuccess);
    ASSERT_EQ(bone_model::SetNormalListF(skin, list.data(), 10), kRTSuccess);
    ASSERT_EQ(bone_model::SetTangentListF(skin, list.data(), 10), kRTSuccess);
  }
  const auto after = MemoryStats();
  ASSERT_EQ(bone_model::SetTangentListF(skin, list.data(), 10), kRTSuccess);
  EXPECT_EQ(MemoryStats(), after);
  EXPECT_EQ(after.first, once.first + 2) << "a tangent list of its own: its working and bind arrays";
  EXPECT_EQ(bone_model::SetTangentListF(skin, nullptr, 4), kRTFailure);
}

}  // namespace
