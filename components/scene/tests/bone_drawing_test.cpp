// Bone drawing as the rasterizer records it: a lone root, a chain root -> child -> leaf, and both
// passes, bones before axes.
#include <charconv>
#include <string>
#include <vector>

#include "kivo/support/matrix.h"
#include "skin_fixture.h"
#include "software_rasterizer.h"

namespace {

using namespace skintest;
using namespace kivo;
using Lines = std::vector<std::string>;

constexpr float kSize = 0.025f;

std::string Number(float value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Vertex(const RTFVector3D& p) {
  return "Vertex3(" + Number(p.x) + ", " + Number(p.y) + ", " + Number(p.z) + ") -> 1";
}

RTFVector3D At(const RTFVector3D& p, float dx, float dy, float dz) { return V(p.x + dx, p.y + dy, p.z + dz); }

// One list of lines: the diamond around `at`, then four lines from `from` to its side corners.
Lines Diamond(const RTFVector3D& at, const RTFVector3D& from) {
  const RTFVector3D a = At(at, 0, 0, -kSize), b = At(at, kSize, 0, 0), c = At(at, 0, 0, kSize),
                    d = At(at, -kSize, 0, 0), up = At(at, 0, kSize, 0), low = At(at, 0, -kSize, 0);
  Lines lines = {"BeginPrimitive(0x105) -> 1"};
  for (const auto& [p, q] : std::vector<std::pair<RTFVector3D, RTFVector3D>>{{a, b},
                                                                             {b, c},
                                                                             {c, d},
                                                                             {d, a},
                                                                             {up, b},
                                                                             {up, c},
                                                                             {up, d},
                                                                             {up, a},
                                                                             {low, b},
                                                                             {low, c},
                                                                             {low, d},
                                                                             {low, a},
                                                                             {from, b},
                                                                             {from, c},
                                                                             {from, d},
                                                                             {from, a}}) {
    lines.push_back(Vertex(p));
    lines.push_back(Vertex(q));
  }
  lines.push_back("EndPrimitive() -> 1");
  return lines;
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines kBonesStart = {"PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]) -> 1",
                           "SetLineWidth(2) -> 1", "SetColor(1, 1, 0) -> 1"};
const Lines kAxesStart = {"PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]) -> 1",
                          "SetLineWidth(2) -> 1"};
const Lines kEnd = {"PopWorldMatrix() -> 1"};

class BoneDrawing : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    if (!HasFatalFailure()) window_.Open(host_);
  }
  void TearDown() override {
    window_.Close();
    SkinTest::TearDown();
  }

  // The calls of one Deform of the skin with a motion whose nodes hold the bones' rest pose.
  Lines Drawn(RTInstance skin, RTInstance motion) {
    EXPECT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
    window_.StartRecording();
    EXPECT_EQ(bone_model::Deform(skin, motion), kRTSuccess);
    return window_.Recorded();
  }

  tesk::testing::OffscreenWindow window_;
};

TEST_F(BoneDrawing, ALoneRootDrawsItsDiamondAndTip) {
  RTInstance skin = NewSkin();
  const RTFMatrix4x4 placed = TurnZ(90, V(1, 2, 3));
  const RTFMatrix4x4 identity = Identity();
  AddBone(skin, u"Root", nullptr, identity, identity);
  ASSERT_EQ(bone_model::SetRenderBone(skin, 1), kRTSuccess);
  RTBool draw = 0;
  ASSERT_EQ(bone_model::GetRenderBone(skin, &draw), kRTSuccess);
  EXPECT_EQ(draw, 1u);
  RTInstance motion = NewMotion();
  AddNode(motion, u"Root", nullptr, placed);
  // The tip lies 0.1 along the root's turned x axis: (1, 2.1, 3).
  RTFVector3D tip{};
  Mat4TransformPoint(placed, V(0.1f, 0, 0), &tip);
  EXPECT_EQ(Drawn(skin, motion), Join({kBonesStart, Diamond(V(1, 2, 3), tip), kEnd}));
}

TEST_F(BoneDrawing, EachBoneDrawsItsParentsDiamondAndTheLeafItsTip) {
  RTInstance skin = NewSkin();
  const RTFMatrix4x4 identity = Identity();
  RTBoneNode* child = AddBone(skin, u"Child", AddBone(skin, u"Root", nullptr, identity, identity), identity, identity);
  AddBone(skin, u"Leaf", child, identity, identity);
  ASSERT_EQ(bone_model::SetRenderBone(skin, 1), kRTSuccess);
  RTInstance motion = NewMotion();
  AddNode(motion, u"Leaf", AddNode(motion, u"Child", AddNode(motion, u"Root", nullptr, identity), Translation(1, 0, 0)),
          Translation(0, 1, 0));
  const RTFVector3D root = V(0, 0, 0), middle = V(1, 0, 0), leaf = V(1, 1, 0);
  EXPECT_EQ(Drawn(skin, motion),
            Join({kBonesStart, Diamond(root, middle), Diamond(middle, leaf), Diamond(leaf, V(1.1f, 1, 0)), kEnd}));
}

TEST_F(BoneDrawing, BonesComeBeforeAxes) {
  RTInstance skin = NewSkin();
  const RTFMatrix4x4 identity = Identity();
  AddBone(skin, u"Root", nullptr, identity, identity);
  ASSERT_EQ(bone_model::SetRenderAxis(skin, 1), kRTSuccess);
  ASSERT_EQ(bone_model::SetRenderBone(skin, 1), kRTSuccess);
  RTInstance motion = NewMotion();
  AddNode(motion, u"Root", nullptr, Translation(0, 0, 1));
  const RTFVector3D at = V(0, 0, 1);
  const Lines axes = {"BeginPrimitive(0x105) -> 1", "SetColor(1, 0, 0) -> 1", Vertex(at),
                      Vertex(V(0.25f, 0, 1)),       "SetColor(0, 1, 0) -> 1", Vertex(at),
                      Vertex(V(0, 0.25f, 1)),       "SetColor(0, 0, 1) -> 1", Vertex(at),
                      Vertex(V(0, 0, 1.25f)),       "EndPrimitive() -> 1"};
  EXPECT_EQ(Drawn(skin, motion), Join({kBonesStart, Diamond(at, V(0.1f, 0, 1)), kEnd, kAxesStart, axes, kEnd}));
}

}  // namespace
