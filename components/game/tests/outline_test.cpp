// The mouse-over outline of a prop, recorded: the calls of the pre-draw and post-draw callbacks
// that the environment puts on the sink's model, the breathing shell's width, resting and hovered,
// a bound object whose "bMouseOver" cannot be read, and no allocation once the model was drawn.
#include <cmath>
#include <string>
#include <vector>

#include "environment_fixture.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"

namespace {

using namespace gametest;
namespace renderable = kivo::renderable;

class Outline : public EnvironmentTest {
 protected:
  void SetUp() override {
    EnvironmentTest::SetUp();
    ASSERT_TRUE(Load());
    node_ = Node(u"sink01");
    ASSERT_NE(node_, nullptr);
    ASSERT_TRUE(kivo::scene_node::GetEntity(node_, model_.out()));
    kivo::InstanceRef context;
    ASSERT_TRUE(renderable::GetPreDrawHook(model_.get(), &pre_, context.out()));
    ASSERT_TRUE(renderable::GetPostDrawHook(model_.get(), &post_, context.out()));
    ASSERT_NE(pre_, nullptr);
    ASSERT_NE(post_, nullptr);
    frame_.node = node_;
    frame_.rasterizer = rasterizer();
  }
  void TearDown() override {
    kivo::tesk_scene_node::SetScriptObject(node_, nullptr);
    model_.Reset();
    EnvironmentTest::TearDown();
  }
  // The call names of a recording, in order.
  static std::vector<std::string> Calls(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : lines) names.push_back(line.substr(0, line.find('(')));
    return names;
  }
  RTSuccess Post(uint32_t time) {
    uint32_t go = 0;
    const RTSuccess drawn = post_(game(), model_.get(), time, &frame_, &go);
    EXPECT_EQ(go, 1u);
    return drawn;
  }
  // How far the shell's first vertex lies from the model's.
  float Width() {
    RTFVector3D* positions = nullptr;
    uint32_t count = 0;
    kivo::poly_model::GetVectorListF(model_.get(), &positions, &count);
    const RTFVector3D& out = record().environment.outlineScratch[0];
    return std::sqrt((out.x - positions[0].x) * (out.x - positions[0].x) +
                     (out.y - positions[0].y) * (out.y - positions[0].y) +
                     (out.z - positions[0].z) * (out.z - positions[0].z));
  }
  // The widths over a sweep of 2000 time units stay within [low, high] and reach near both ends.
  void ExpectSweep(float low, float high) {
    float least = 1.0f;
    float most = 0.0f;
    for (uint32_t time = 0; time <= 2000; time += 25) {
      ASSERT_TRUE(Post(time));
      const float width = Width();
      EXPECT_GE(width, low - 1e-5f) << time;
      EXPECT_LE(width, high + 1e-5f) << time;
      least = std::min(least, width);
      most = std::max(most, width);
    }
    EXPECT_LT(least, low + 0.001f);
    EXPECT_GT(most, high - 0.001f);
  }
  void SetHovered(scripting::Symbol object, bool hovered) {
    Cell value{};
    value.type = varno::kTypeBool;
    value.value.word = hovered ? 1 : 0;
    ASSERT_TRUE(
        scripting::SymbolWriteAttribute(varno(), vm(), object, u"bMouseOver", scripting::kWholeAttribute, &value));
  }

  RTInstance node_ = nullptr;
  kivo::InstanceRef model_;
  renderable::DrawHook pre_ = nullptr;
  renderable::DrawHook post_ = nullptr;
  RTSceneNodeEntityFrameInformation frame_{};
};

TEST_F(Outline, ThePreDrawMarksTheModelAndThePostDrawShellsItWhereTheStencilIsClear) {
  StartRecording();
  uint32_t go = 0;
  ASSERT_TRUE(pre_(game(), model_.get(), 0, &frame_, &go));
  EXPECT_EQ(go, 1u);
  EXPECT_EQ(Recorded(), (std::vector<std::string>{"EnableStencilTest(1) -> 1", "SetStencilFunc(0x207, 1, 0x1) -> 1",
                                                  "SetStencilOp(0x1e01, 0x1e01, 0x1e01) -> 1"}));
  StartRecording();
  ASSERT_TRUE(Post(0));
  EXPECT_EQ(Calls(Recorded()),
            (std::vector<std::string>{"SetVertexArray", "EnableBlending", "SetColorRGBAArray", "SetBlendFunc",
                                      "EnableStencilTest", "SetStencilOp", "SetStencilFunc", "PushWorldMatrix",
                                      "DrawPrimitive", "EnableDepthWrite", "EnableStencilTest", "EnableBlending",
                                      "PopWorldMatrix"}));
}

TEST_F(Outline, TheShellBreathesWithinItsBoundsRestingAndHovered) {
  ExpectSweep(0.04f, 0.052f);
  const scripting::Symbol object = NewProbe();
  ASSERT_TRUE(kivo::tesk_scene_node::SetScriptObject(node_, object));
  SetHovered(object, true);
  ExpectSweep(0.06f, 0.072f);
  SetHovered(object, false);
  ExpectSweep(0.04f, 0.052f);
}

TEST_F(Outline, AnUnreadableMouseOverDrawsNothingAndSwitchesTheStencilTestOff) {
  const scripting::Symbol probe = NewProbe();
  scripting::Symbol notAnObject = nullptr;
  ASSERT_TRUE(scripting::SymbolRetrieveAttributeByName(varno(), vm(), probe, u"lastName", &notAnObject));
  ASSERT_TRUE(kivo::tesk_scene_node::SetScriptObject(node_, notAnObject));
  StartRecording();
  EXPECT_FALSE(Post(0));
  EXPECT_EQ(Recorded(), std::vector<std::string>{"EnableStencilTest(0) -> 1"});
}

TEST_F(Outline, DrawingAgainAllocatesNothing) {
  ASSERT_TRUE(Post(0));
  uint32_t blocks = 0;
  uint32_t bytes = 0;
  core().GetMemoryStats(nullptr, &blocks, &bytes);
  for (uint32_t time = 10; time < 500; time += 10) ASSERT_TRUE(Post(time));
  uint32_t blocksAfter = 0;
  uint32_t bytesAfter = 0;
  core().GetMemoryStats(nullptr, &blocksAfter, &bytesAfter);
  EXPECT_EQ(blocksAfter, blocks);
  EXPECT_EQ(bytesAfter, bytes);
}

}  // namespace
