// The vertex and fragment programs the first mesh of the process hands the rasterizer: the
// software rasterizer refuses NV programs and takes the ARB pair; without a drawing context
// nothing loads; either way meshes draw through the fixed-function path.
#include <sstream>
#include <string_view>

#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "mesh_draw_fixture.h"
#include "program_texts.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace r = kivo::rasterizer;
namespace p = kivo::mesh::programs;

// "Name -> result" of each recorded call.
Lines Calls(const Lines& lines) {
  Lines calls;
  for (const std::string& line : lines)
    calls.push_back(line.substr(0, line.find('(')) + line.substr(line.rfind(" -> ")));
  return calls;
}

// The program text as the recording quotes it.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
  return quoted + "\"";
}

class ProgramLoading : public MeshDraw {};

TEST_F(ProgramLoading, TheSoftwareRasterizerRefusesNvProgramsAndTakesTheArbPairOnce) {
  if (MeshLibraryLoaded()) GTEST_SKIP() << "needs the first mesh of the process";
  StartRecording();
  RTInstance mesh = New(poly_model::kClassName);
  New(poly_model::kClassName);
  const Lines lines = Recorded();
  EXPECT_EQ(Calls(lines), (Lines{"LoadNvVertexProgram -> 0", "LoadArbVertexProgram -> 1", "EnableArbVertexProgram -> 1",
                                 "LoadArbFragmentProgram -> 1", "EnableArbFragmentProgram -> 1"}))
      << "the second mesh loads nothing";
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NE(lines[0].find(Quoted(p::kBumpMapVPSP0)), std::string::npos);
  EXPECT_NE(lines[1].find(Quoted(p::kBumpMapVPARBID0)), std::string::npos);
  EXPECT_EQ(lines[2], "EnableArbVertexProgram(0) -> 1");
  EXPECT_NE(lines[3].find(Quoted(p::kBumpMapFPARBID0)), std::string::npos);
  EXPECT_EQ(lines[4], "EnableArbFragmentProgram(0) -> 1");

  const RTFVector3D vertex = V(0, 0, 0);
  ASSERT_EQ(poly_model::SetVectorListF(mesh, &vertex, 1), kRTSuccess);
  RTFMatrix4x4 identity;
  Mat4Identity(&identity);
  const Lines drawn = Draw(mesh, Frame(NewNode(identity), {0, 0, 0, 1}));
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(Calls(drawn).front(), "PushWorldMatrix -> 1") << "the fixed-function path";
}

// Without a drawing context every load fails: the ARB pair stops at its vertex program.
class ProgramLoadingWithoutContext : public MeshTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    MeshTest::InstallComponents(host);
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTSceneNode"));
  }
};

TEST_F(ProgramLoadingWithoutContext, LeavesTheFixedFunctionPath) {
  if (MeshLibraryLoaded()) GTEST_SKIP() << "needs the first mesh of the process";
  const std::filesystem::path record = host_.root() / "record.txt";
  ASSERT_EQ(r::Record(Rasterizer(), record.u16string().c_str()), kRTSuccess);
  RTInstance mesh = NewMesh();
  const RTFVector3D vertex = V(0, 0, 0);
  ASSERT_EQ(poly_model::SetVectorListF(mesh, &vertex, 1), kRTSuccess);
  InstanceRef node;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, scene_node::kClassName, node.out(), 0, 1), kRTSuccess);
  RTSceneNodeEntityFrameInformation frame{};
  frame.node = node.get();
  frame.rasterizer = Rasterizer();
  renderable::ProcessFrame(mesh, 0, &frame);
  ASSERT_EQ(r::Record(Rasterizer(), nullptr), kRTSuccess);

  Lines lines;
  std::istringstream text(tesk::testing::ReadFile(record));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Calls(Lines(lines.begin(), lines.begin() + 3)),
            (Lines{"LoadNvVertexProgram -> 0", "LoadArbVertexProgram -> 0", "PushWorldMatrix -> 0"}));
}

TEST(ProgramTexts, NvProgramsAreVersion2VertexAndVersion1FragmentPrograms) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {p::kBumpMapVPSP0, "!!VP2.0"}, {p::kDiffuseMapVPID0, "!!VP2.0"}, {p::kBumpMapVPID0, "!!VP2.0"},
      {p::kBumpMapFPSP0, "!!FP1.0"}, {p::kBumpMapFPID0, "!!FP1.0"},    {p::kDiffuseMapFPID0, "!!FP1.0"},
  };
  for (const auto& [text, header] : cases) {
    EXPECT_TRUE(text.starts_with(header)) << text;
    EXPECT_TRUE(text.ends_with("END")) << text;
  }
}

}  // namespace
