// A started core with RTBoneModel and RTTeskSkin, the mesh and the motion with their parent classes,
// the motion player, scene nodes and the software rasterizer; helpers to build skins of known bones
// and motions that pose them.
#pragma once

#include <string>
#include <vector>

#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/motion_calls.h"
#include "mesh_fixture.h"

namespace skintest {

using meshtest::Translation;
using meshtest::V;

struct Influence {
  uint32_t vertex;
  float weight;
};

RTFMatrix4x4 Identity();
// The matrix of a rotation by `degrees` about z (a row vector's x turns toward y), then a move.
RTFMatrix4x4 TurnZ(float degrees, const RTFVector3D& move = V(0, 0, 0));
void ExpectNear(const RTFVector3D& actual, const RTFVector3D& expected, float tolerance = 1e-5f);
RTFVector3D TranslationOf(const RTFMatrix4x4& m);

class SkinTest : public meshtest::MeshTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;

  // A skin (of the class) holding the vertices, and the normals when given, as its bind pose.
  RTInstance NewSkin(const std::vector<RTFVector3D>& vertices = {}, const std::vector<RTFVector3D>& normals = {},
                     const char16_t* className = kivo::bone_model::kClassName);
  RTInstance NewMotion() { return New(kivo::motion::kClassName); }
  // A bone with the inverse bind matrix, the rest local matrix and the influences.
  RTBoneNode* AddBone(RTInstance skin, const char16_t* name, RTBoneNode* parent, const RTFMatrix4x4& restLocal,
                      const RTFMatrix4x4& inverseBind, const std::vector<Influence>& influences = {});
  // A motion node holding one position key and one rotation key at time 0; UpdateFrame at 0 gives
  // its matrix.
  kivo::MotionNode* AddNode(RTInstance motion, const char16_t* name, kivo::MotionNode* parent,
                            const RTFMatrix4x4& matrix);
  // The skin's mesh lists as they stand.
  std::vector<RTFVector3D> Vertices(RTInstance skin);
  std::vector<RTFVector3D> Normals(RTInstance skin);
  uint32_t BlockCount() { return MemoryStats().first; }
};

// An arm along x: "Shoulder" at the origin, "Elbow" `length` further, "Hand" `length` beyond, its
// rest pose straight; a motion of the same shape holds that pose.
class ArmTest : public SkinTest {
 protected:
  void MakeArm(float length);
  // Poses the arm through Deform with the motion; the result of Deform.
  RTSuccess Pose();
  RTFVector3D HandAt() const { return TranslationOf(hand_->worldMatrix); }

  RTInstance skin_ = nullptr;
  RTInstance motion_ = nullptr;
  RTBoneNode* shoulder_ = nullptr;
  RTBoneNode* elbow_ = nullptr;
  RTBoneNode* hand_ = nullptr;
};

}  // namespace skintest
