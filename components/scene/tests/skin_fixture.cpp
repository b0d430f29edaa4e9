#include "skin_fixture.h"

#include <cmath>

#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "motion_fixture.h"

namespace skintest {

using namespace kivo;

RTFMatrix4x4 Identity() {
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  return m;
}

RTFMatrix4x4 TurnZ(float degrees, const RTFVector3D& move) {
  RTFMatrix3x3 turn;
  Mat3RotationZ(&turn, static_cast<float>(degrees * 3.14159265358979323846 / 180));
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  Mat4SetRotation(&m, turn);
  Mat4SetTranslation(&m, move);
  return m;
}

void ExpectNear(const RTFVector3D& actual, const RTFVector3D& expected, float tolerance) {
  motiontest::ExpectVector(actual, expected.x, expected.y, expected.z, tolerance);
}

RTFVector3D TranslationOf(const RTFMatrix4x4& m) {
  RTFVector3D at{};
  Mat4GetTranslation(m, &at);
  return at;
}

void SkinTest::InstallComponents(tesk::testing::CoreHost& host) {
  MeshTest::InstallComponents(host);
  for (const char* name : {"RTEditable", "RTAnimTrack", "RTBoneModel", "RTTeskSkin", "RTRigid", "RTArticulated",
                           "RTSceneNode", "RTTeskSceneNode"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

RTInstance SkinTest::NewSkin(const std::vector<RTFVector3D>& vertices, const std::vector<RTFVector3D>& normals,
                             const char16_t* className) {
  RTInstance skin = New(className);
  EXPECT_EQ(bone_model::SetVectorListF(skin, vertices.data(), static_cast<uint32_t>(vertices.size())), kRTSuccess);
  if (!normals.empty()) {
    EXPECT_EQ(bone_model::SetNormalListF(skin, normals.data(), static_cast<uint32_t>(normals.size())), kRTSuccess);
  }
  return skin;
}

RTBoneNode* SkinTest::AddBone(RTInstance skin, const char16_t* name, RTBoneNode* parent, const RTFMatrix4x4& restLocal,
                              const RTFMatrix4x4& inverseBind, const std::vector<Influence>& influences) {
  std::vector<uint32_t> indices;
  std::vector<float> weights;
  for (const Influence& influence : influences) {
    indices.push_back(influence.vertex);
    weights.push_back(influence.weight);
  }
  RTBoneNode* bone = nullptr;
  const RTFVector3D pivot{};
  EXPECT_EQ(bone_model::AddNode(skin, name, &inverseBind, &restLocal, static_cast<uint32_t>(indices.size()),
                                indices.data(), weights.data(), &pivot, 0, parent, &bone),
            kRTSuccess);
  return bone;
}

MotionNode* SkinTest::AddNode(RTInstance motion, const char16_t* name, MotionNode* parent, const RTFMatrix4x4& matrix) {
  Quaternion q{};
  MatToQuat(matrix, &q);
  const RTKeyPos position = motiontest::PosKey(0, matrix.m[3][0], matrix.m[3][1], matrix.m[3][2]);
  const RTKeyRot rotation = motiontest::RotKey(0, q);
  MotionNode* node = nullptr;
  const RTFVector3D pivot{};
  EXPECT_EQ(motion::AddNode(motion, name, &position, &rotation, nullptr, 1, 1, 0, &pivot, parent, &node), kRTSuccess);
  return node;
}

std::vector<RTFVector3D> SkinTest::Vertices(RTInstance skin) {
  RTFVector3D* items = nullptr;
  uint32_t count = 0;
  bone_model::GetVectorListF(skin, &items, &count);
  return std::vector<RTFVector3D>(items, items + count);
}

std::vector<RTFVector3D> SkinTest::Normals(RTInstance skin) {
  RTFVector3D* items = nullptr;
  uint32_t count = 0;
  bone_model::GetNormalListF(skin, &items, &count);
  return std::vector<RTFVector3D>(items, items + count);
}

void ArmTest::MakeArm(float length) {
  skin_ = NewSkin({V(0, 0, 0)});
  const RTFMatrix4x4 identity = Identity();
  const RTFMatrix4x4 along = Translation(length, 0, 0);
  shoulder_ = AddBone(skin_, u"Shoulder", nullptr, identity, identity);
  elbow_ = AddBone(skin_, u"Elbow", shoulder_, along, Translation(-length, 0, 0));
  hand_ = AddBone(skin_, u"Hand", elbow_, along, Translation(-2 * length, 0, 0));
  motion_ = NewMotion();
  MotionNode* top = AddNode(motion_, u"Shoulder", nullptr, identity);
  AddNode(motion_, u"Hand", AddNode(motion_, u"Elbow", top, along), along);
  ASSERT_EQ(motion::UpdateFrame(motion_, 0, 0), kRTSuccess);
}

RTSuccess ArmTest::Pose() { return bone_model::Deform(skin_, motion_); }

}  // namespace skintest
