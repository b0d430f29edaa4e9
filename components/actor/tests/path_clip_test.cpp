// A path whose last segment runs into the cabinet: the clip moves its end and the goal to where the
// actor's sphere meets the cabinet, tells the script object's "targetLocation", and the actor then
// walks on to the new end; nodes whose state word holds 0x20 or 0x80 do not block.
#include "path_clip.h"

#include <filesystem>
#include <string>

#include "actor_frame.h"
#include "host/temp_dir.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/core_memory.h"
#include "navigation_fixture.h"
#include "platform/utf.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/scripting_calls.h"

namespace {

using namespace actortest;
using kivo::PathPoint;
namespace script = varno::scripting;

// A class with the attribute the clip writes and a state that prints it.
constexpr char kWalker[] =
    "Walker is Thing;\n"
    "attributes { targetLocation is vector3; }\n"
    "state Report {\n"
    "  print(\"target \" + targetLocation.x + \" \" + targetLocation.z);\n"
    "  exit();\n"
    "}\n";

// Three segments; the last runs from (-4.5, -2.5) through the cabinet (x -3.2 to -2.8) to
// (-1.5, -2.5). The actor's sphere (radius 0.3) meets it at x -3.5.
constexpr PathPoint kPath[] = {
    {-5, 0, 1, 0, 0.5f}, {-5, 0, -1, 0, 0.5f}, {-4.5f, 0, -2.5f, 0, 0.5f}, {-1.5f, 0, -2.5f, 0, 0.5f}};

class Clip : public NavigationTest {
 protected:
  void TearDown() override {
    if (object_) Destroy(object_);
    if (vm_) {
      actor().vm = nullptr;
      script::VarnoVMDestructor(varno_.get(), vm_);
      script::TypeTableDestructor(varno_.get(), table_);
    }
    varno_.Reset();
    NavigationTest::TearDown();
  }

  // A script object of the class Walker in a new VM (the controller's, once the object's character
  // is made).
  void MakeWalker() {
    const std::filesystem::path file = classes_.path() / "Walker.varno";
    tesk::testing::WriteFile(classes_.path() / "Thing.varno",
                             "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n");
    tesk::testing::WriteFile(file, kWalker);
    const std::u16string folder = platform::FromUtf8(classes_.path().string() + "/");
    const std::u16string path = platform::FromUtf8(file.string());
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, script::kClassName, varno_.out(), 1, nullptr), kRTSuccess);
    uint32_t type = 0;
    script::TypeTable parsed = nullptr;
    ASSERT_TRUE(script::AddSearchPath(varno_.get(), folder.c_str()) &&
                script::TypeTableFactory(varno_.get(), &table_) && script::VarnoVMFactory(varno_.get(), &vm_) &&
                script::VarnoParseBrellinAnsiFile(varno_.get(), path.c_str(), &type, &parsed, table_) &&
                script::TypeTableGenerateCode(varno_.get(), table_) &&
                script::VarnoVMSetTypeTable(varno_.get(), vm_, table_) &&
                script::VarnoVMConstructObject(varno_.get(), vm_, type, &object_))
        << host_.DebugLog();
  }
  // The walker's targetLocation as the script prints it.
  std::string Reported() {
    const size_t from = host_.DebugLog().size();
    script::VarnoVMSetNewContext(varno_.get(), vm_, object_, u"Report", 1);
    script::VarnoVMRun(varno_.get(), vm_);
    const std::string log = host_.DebugLog().substr(from);
    const size_t at = log.find("target ");
    return at == std::string::npos ? "" : log.substr(at, log.find('\n', at) - at);
  }
  // Gives the wrapper the path, heading for node `node`.
  static void SetPath(RTTeskActorWrapper* w, uint32_t node) {
    kivo::CoreFree(w->PathPoints);
    w->PathPoints = static_cast<PathPoint*>(kivo::CoreAlloc(sizeof kPath));
    std::copy(std::begin(kPath), std::end(kPath), w->PathPoints);
    w->PathPointCount = std::size(kPath);
    w->PathNode = node;
    w->PathSegment = node > 0 ? node - 1 : 0;
    w->Goal = At(kPath[3].x, 0, kPath[3].z);
  }

  kivo::InstanceRef varno_;
  script::VM vm_ = nullptr;
  script::TypeTable table_ = nullptr;
  script::Symbol object_ = nullptr;
  tesk::testing::TempDir classes_;
};

TEST_F(Clip, ABlockingNodeOnTheLastSegmentBecomesThePathsEnd) {
  MakeWalker();
  ASSERT_NE(object_, nullptr);
  RTTeskActorWrapper* w = Place(object_, At(-4.6f, 0, -2.4f));
  ASSERT_NE(w, nullptr);
  actor().vm = vm_;
  RTInstance cabinet = Stored(kCabinet);
  const struct {
    uint32_t state;
    bool blocks;
  } cases[] = {{0, true}, {0x20, false}, {0x80, false}};
  for (const auto& c : cases) {
    ASSERT_EQ(kivo::tesk_scene_node::SetStateWord(cabinet, c.state), kRTSuccess);
    SetPath(w, 2);
    w->Velocity = At(1, 0, 0);
    w->PathLength = 0.0f;
    bool lastSegment = false;
    EXPECT_EQ(tesk::actor::ClipPathAtObstacle(actor(), *w, 1.0f, &lastSegment), kRTSuccess) << c.state;
    EXPECT_TRUE(lastSegment) << c.state;
    EXPECT_EQ(w->PathNode, 3u) << c.state;
    const PathPoint& end = w->PathPoints[3];
    if (!c.blocks) {
      EXPECT_EQ(std::make_tuple(end.x, end.z, w->PathLength), std::make_tuple(-1.5f, -2.5f, 0.0f)) << c.state;
      continue;
    }
    EXPECT_NEAR(end.x, -3.5f, 1e-4f);
    EXPECT_EQ(std::make_tuple(end.y, end.z, end.width), std::make_tuple(0.0f, -2.5f, 0.5f));
    EXPECT_EQ(std::make_tuple(w->Goal.x, w->Goal.z), std::make_tuple(end.x, end.z));
    // The total is the whole clipped path's: 2 + the diagonal + 1.
    EXPECT_NEAR(w->PathLength, 2.0f + std::hypot(0.5f, 1.5f) + 1.0f, 1e-4f);
    EXPECT_EQ(Reported(), "target -3.500000 -2.500000");
  }
}

TEST_F(Clip, WithoutATargetLocationThePathIsClippedAndTheAnswerIsZero) {
  int plain = 0;
  RTTeskActorWrapper* w = Place(&plain, At(-4.6f, 0, -2.4f));
  ASSERT_NE(w, nullptr);
  SetPath(w, 2);
  w->Velocity = At(1, 0, 0);
  bool lastSegment = false;
  EXPECT_EQ(tesk::actor::ClipPathAtObstacle(actor(), *w, 1.0f, &lastSegment), kRTFailure);
  EXPECT_NEAR(w->PathPoints[3].x, -3.5f, 1e-4f);
  // No step onto a new segment: nothing is swept.
  SetPath(w, 3);
  EXPECT_EQ(tesk::actor::ClipPathAtObstacle(actor(), *w, 1.0f, &lastSegment), kRTSuccess);
  EXPECT_EQ(w->PathPoints[3].x, -1.5f);
}

TEST_F(Clip, TheActorWalksOnToTheNewEnd) {
  MakeWalker();
  ASSERT_NE(object_, nullptr);
  RTTeskActorWrapper* w = Place(object_, At(-5, 0, 1));
  ASSERT_NE(w, nullptr);
  actor().vm = vm_;
  SetPath(w, 0);
  kivo::InstanceRef tree;
  ASSERT_EQ(tesk::game::GetSceneTree(game(), tree.out()), kRTSuccess);
  ASSERT_EQ(Call(kivo::actor::kFinalizePath, object_), kRTSuccess);
  float clock = 0.0f;
  for (int frame = 0; frame < 60 * 20 && w->Moving; ++frame) {
    clock += 1.0f / 60.0f;
    tesk::game_standin::SetClock(game(), clock);
    kivo::actor::ProcessC(controller());
    tesk::scene_tree::UpdateTransforms(tree.get(), static_cast<uint32_t>(clock * 1000.0f));
  }
  EXPECT_EQ(w->Moving, 0u);
  EXPECT_NEAR(w->PathPoints[3].x, -3.5f, 1e-4f) << "clipped on the way";
  const RTFVector3D at = tesk::actor::Row(w->Frame, tesk::actor::kPositionRow);
  EXPECT_GT(at.x, -4.0f) << "past the last segment's start";
  EXPECT_LT(at.x, -3.2f) << "short of the cabinet";
}

}  // namespace
