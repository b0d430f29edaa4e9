// CastShadowVolume through the recording software rasterizer: the facing flags with the light in
// the mesh's space, the states and quads of the two counting passes over shared and open edges,
// and the states put back.
#include <algorithm>

#include "kivo/material/material_calls.h"
#include "mesh_draw_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The whole cast under the node's matrix (translation by 5 along x): the counting states, two
// passes of the silhouette quads, two of the open edges' quads, the states put back.
Lines Expected(const Lines& silhouette, const Lines& open) {
  const Lines decrement = {"SetCullMode(1) -> 1", "SetStencilOp(0x1e00, 0x1e00, 0x1e03) -> 1"};
  auto pass = [&](const Lines& quads) {
    return Join({{"BeginPrimitive(0x101) -> 1"}, quads, {"EndPrimitive() -> 1"}, decrement});
  };
  return Join({
      {
          "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1]) -> 1",
          "EnableCulling(1) -> 1",
          "SetCullMode(2) -> 1",
          "SetColor(1, 1, 0) -> 1",
          "EnableStencilTest(1) -> 1",
          "SetStencilFunc(0x207, 0, 0xffffffff) -> 1",
          "SetStencilMask(0xffffffff) -> 1",
          "EnableDepthWrite(0) -> 1",
          "SetDepthFunc(0x201) -> 1",
          "SetColorMask(0, 0, 0, 0) -> 1",
          "SetStencilOp(0x1e00, 0x1e00, 0x1e02) -> 1",
      },
      pass(silhouette),
      pass(silhouette),
      {"SetColor(1, 0, 1) -> 1", "SetCullMode(2) -> 1", "SetStencilOp(0x1e00, 0x1e00, 0x1e02) -> 1"},
      pass(open),
      pass(open),
      {
          "SetCullMode(2) -> 1",
          "EnableStencilTest(0) -> 1",
          "SetStencilFunc(0x207, 0, 0xffffffff) -> 1",
          "SetStencilOp(0x1e00, 0x1e00, 0x1e00) -> 1",
          "EnableDepthWrite(1) -> 1",
          "SetColorMask(1, 1, 1, 1) -> 1",
          "EndPrimitive() -> 1",
          "SetLineWidth(1) -> 1",
          "PopWorldMatrix() -> 1",
      },
  });
}

class ShadowVolume : public MeshDraw {
 protected:
  RTInstance Square() { return NewQuad(New(material::kClassName)); }

  // The calls of one cast from the world point, from the node's matrix on (the shadow geometry a
  // mesh without it builds first is left out).
  Lines Cast(RTInstance mesh, const RTFVector3D& light) {
    const RTSceneNodeEntityFrameInformation frame = Frame(node_, {});
    StartRecording();
    EXPECT_EQ(poly_model::CastShadowVolume(mesh, &frame, &light), kRTSuccess) << host_.ErrorLog();
    const Lines lines = Recorded();
    const auto push = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.rfind("PushWorldMatrix", 0) == 0; });
    return Lines(push, lines.end());
  }

  void SetUp() override {
    MeshDraw::SetUp();
    if (!HasFatalFailure()) node_ = NewNode(Translation(5, 0, 0));
  }

  RTInstance node_ = nullptr;
};

// The square (0, 0) to (1, 1) facing +z, lit from (2, 0.5, 1) in its own space: both triangles face
// the light, their common edge is no silhouette, and each open edge runs a to b in its triangle:
// (0, 1), (1, 2), (3, 0), (2, 3), each pushed away from the light to x, y or z of about 1e6.
TEST_F(ShadowVolume, ALightBesideASquareCountsItsOpenEdgesInTwoPasses) {
  RTInstance square = Square();
  ASSERT_EQ(poly_model::ComputeShadowGeometry(square), kRTSuccess);
  const Lines open = {
      "VertexVector((0, 0, 0)) -> 1",
      "VertexVector((1, 0, 0)) -> 1",
      "VertexVector((-999999, -5e+05, -1e+06)) -> 1",
      "VertexVector((-2e+06, -5e+05, -1e+06)) -> 1",
      "VertexVector((1, 0, 0)) -> 1",
      "VertexVector((1, 1, 0)) -> 1",
      "VertexVector((-999999, 500001, -1e+06)) -> 1",
      "VertexVector((-999999, -5e+05, -1e+06)) -> 1",
      "VertexVector((0, 1, 0)) -> 1",
      "VertexVector((0, 0, 0)) -> 1",
      "VertexVector((-2e+06, -5e+05, -1e+06)) -> 1",
      "VertexVector((-2e+06, 500001, -1e+06)) -> 1",
      "VertexVector((1, 1, 0)) -> 1",
      "VertexVector((0, 1, 0)) -> 1",
      "VertexVector((-2e+06, 500001, -1e+06)) -> 1",
      "VertexVector((-999999, 500001, -1e+06)) -> 1",
  };
  EXPECT_EQ(Cast(square, V(7, 0.5f, 1)), Expected({}, open));
}

// Two triangles folded along their common edge (0, 0, 0)-(0, 1, 0): one faces +z, the other +x.
// A light in front of the first and behind the second makes that edge a silhouette, whose quad runs
// along the lit triangle's winding; the open edges follow their own triangle's flag.
TEST_F(ShadowVolume, ASilhouetteEdgeRunsAlongItsLitTriangle) {
  RTInstance folded = New(poly_model::kClassName);
  const Shape shape{{V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(0, 0, 1)}, {}, {{0, 1, 2, 0, 2, 3}}};
  Fill(rasterizer(), folded, shape, {New(material::kClassName)});
  const Lines lines = Cast(folded, V(4.5f, 0.5f, 2));  // (-0.5, 0.5, 2) in the mesh's space
  const PolyModelState* state = poly_model::StateOf(folded);
  ASSERT_EQ(state->triangleCount, 2u);
  EXPECT_EQ(state->triangles[0].facing, 0u) << "the light is in front of the +z triangle";
  EXPECT_EQ(state->triangles[1].facing, 1u) << "and behind the +x one";
  // The common edge runs 2 to 0 in the first triangle (0, 1, 2), which is lit.
  const Lines silhouette = {"VertexVector((0, 1, 0)) -> 1", "VertexVector((0, 0, 0)) -> 1",
                            "VertexVector((5e+05, -5e+05, -2e+06)) -> 1", "VertexVector((5e+05, 500001, -2e+06)) -> 1"};
  const Lines expected = Expected(silhouette, {});
  ASSERT_GT(lines.size(), expected.size());
  EXPECT_TRUE(std::equal(silhouette.begin(), silhouette.end(), lines.begin() + 12)) << "the first pass's quad";
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "VertexVector((0, 1, 0)) -> 1"), 2 + 2 * 2)
      << "twice in the silhouette, and in two open edges' quads of each pass";
}

TEST_F(ShadowVolume, TheFlagsSayWhetherTheLightLiesOnOrBehindEachPlane) {
  const struct {
    const char* where;
    RTFVector3D light;  // in the world; the square stands at x = 5
    uint32_t facing;
  } cases[] = {
      {"in front", V(6, 0.5f, 1), 0},
      {"in the plane", V(5.5f, 3, 0), 1},
      {"behind", V(6, 0.5f, -1), 1},
  };
  for (const auto& c : cases) {
    RTInstance square = Square();
    Cast(square, c.light);
    const PolyModelState* state = poly_model::StateOf(square);
    ASSERT_EQ(state->triangleCount, 2u) << c.where << ": the shadow geometry is built first";
    for (uint32_t t = 0; t < 2; ++t) EXPECT_EQ(state->triangles[t].facing, c.facing) << c.where << ", triangle " << t;
  }
}

TEST_F(ShadowVolume, AMeshWithoutTrianglesDrawsEmptyBatchesAndPutsTheStatesBack) {
  RTInstance empty = New(poly_model::kClassName);
  const RTFVector3D vertices[] = {V(0, 0, 0), V(1, 0, 0), V(0, 1, 0)};
  ASSERT_EQ(poly_model::SetVectorListF(empty, vertices, 3), kRTSuccess);
  EXPECT_EQ(Cast(empty, V(0, 5, 0)), Expected({}, {}));
}

TEST_F(ShadowVolume, ANodeWithoutAnInversePlacementCastsNothing) {
  RTFMatrix4x4 flat = Translation(0, 0, 0);
  flat.m[1][1] = 0.0f;
  const RTSceneNodeEntityFrameInformation frame = Frame(NewNode(flat), {});
  const RTFVector3D light = V(0, 5, 0);
  StartRecording();
  EXPECT_EQ(poly_model::CastShadowVolume(Square(), &frame, &light), kRTFailure);
  const Lines lines = Recorded();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("PushWorldMatrix", 0) == 0; }),
            0);
}

}  // namespace
