// EliminateTJunctions: triangles split where a vertex lies inside an edge, the new vertices'
// texture coordinates and normals interpolated along it, the groups made again with one list
// each, and the mesh left whole for drawing and shadow geometry afterwards.
#include <cmath>

#include "kivo/light/light_calls.h"
#include "kivo/material/material_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"
#include "mesh_draw_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace r = kivo::rasterizer;

// The triangle (0, 0, 0), (1, 0, 0), (0, 1, 0) facing +z, with a vertex no triangle uses at x on
// its first edge.
Shape TriangleAndVertexAt(float x) { return Shape{{V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(x, 0, 0)}, {}, {{0, 1, 2}}}; }

// A triangle over the edge (0, 0)-(2, 0) and two below it that meet at (1, 0): a T-junction.
Shape TJunction() {
  return Shape{{V(0, 0, 0), V(2, 0, 0), V(1, 1, 0), V(1, 0, 0), V(1, -1, 0)}, {}, {{0, 1, 2, 0, 4, 3, 3, 4, 1}}};
}

// A closed tetrahedron wound counter-clockwise seen from outside: its last triangle's edges all
// belong to earlier triangles.
Shape Tetrahedron() {
  return Shape{{V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(0, 0, 1)}, {}, {{0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3}}};
}

class TJunctions : public MeshDraw {
 protected:
  RTInstance MeshOf(const Shape& shape) {
    RTInstance mesh = New(poly_model::kClassName);
    Fill(rasterizer(), mesh, shape, {New(material::kClassName)});
    return mesh;
  }

  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
};

// The centre of each triangle seen from `inside` lies behind its face normal: the winding is kept.
void ExpectFacingOut(const PolyModelState& state, const RTFVector3D& inside, const char* what) {
  const RTPrimitive& list = *state.groups[0].lists[0];
  for (uint32_t t = 0; t < list.count; ++t) {
    const RTFVector3D* p[3];
    for (uint32_t k = 0; k < 3; ++k) p[k] = &state.vertices[list.indices[t * 3 + k]];
    const RTFVector3D e1 = V(p[1]->x - p[0]->x, p[1]->y - p[0]->y, p[1]->z - p[0]->z);
    const RTFVector3D e2 = V(p[2]->x - p[0]->x, p[2]->y - p[0]->y, p[2]->z - p[0]->z);
    RTFVector3D normal{};
    Vec3Cross(e1, e2, &normal);
    const RTFVector3D out = V(p[0]->x - inside.x, p[0]->y - inside.y, p[0]->z - inside.z);
    EXPECT_GT(Vec3Dot(normal, out), 0.0f) << what << ": triangle " << t;
  }
}

TEST_F(TJunctions, EdgesAreSplitOnlyWhereAVertexLiesInsideThem) {
  const struct {
    const char* what;
    Shape shape;
    uint32_t splits;
    uint32_t trianglesAfter;
    RTFVector3D inside;  // a point behind every face
  } cases[] = {
      {"a closed box of split vertices", SplitBox(), 0, 12, V(0.5f, 0.5f, 0.5f)},
      {"a closed tetrahedron", Tetrahedron(), 0, 4, V(0.1f, 0.1f, 0.1f)},
      {"a T-junction", TJunction(), 1, 4, V(1, 0, -1)},
      {"a vertex in the middle of an edge", TriangleAndVertexAt(0.5f), 1, 2, V(0.2f, 0.2f, -1)},
      {"a vertex at t = 1e-5", TriangleAndVertexAt(1e-5f), 0, 1, V(0.2f, 0.2f, -1)},
      {"a vertex at t = 0.99999", TriangleAndVertexAt(0.99999f), 0, 1, V(0.2f, 0.2f, -1)},
  };
  for (const auto& c : cases) {
    RTInstance mesh = MeshOf(c.shape);
    const auto before = static_cast<uint32_t>(c.shape.vertices.size());
    ASSERT_EQ(poly_model::EliminateTJunctions(mesh), kRTSuccess) << c.what;
    const PolyModelState& state = *poly_model::StateOf(mesh);
    EXPECT_EQ(state.vertexCount, before + c.splits) << c.what;
    EXPECT_EQ(state.colorCount, state.vertexCount) << c.what;
    ASSERT_EQ(state.materialCount, 1u);
    const MaterialGroup& group = state.groups[0];
    EXPECT_EQ(group.stripCount, 0u) << c.what;
    ASSERT_EQ(group.listCount, 1u) << c.what;
    EXPECT_EQ(group.lists[0]->count, c.trianglesAfter) << c.what;
    EXPECT_EQ(group.lists[0]->materialIndex, 0u) << c.what;
    EXPECT_TRUE(Logged("[RTPolyModel] Edge intersections: " + std::to_string(c.splits))) << c.what;
    EXPECT_TRUE(Logged("[RTPolyModel] Triangles after t-junction elimination: " + std::to_string(c.trianglesAfter)))
        << c.what;
    ExpectFacingOut(state, c.inside, c.what);
  }
}

TEST_F(TJunctions, TheNewVertexInterpolatesEveryLayerAndTheNormals) {
  RTInstance mesh = MeshOf(TriangleAndVertexAt(0.25f));
  const RTFVector2D layer0[] = {{0, 0}, {1, 0.5f}, {0, 1}, {9, 9}};
  const RTFVector2D layer3[] = {{2, 2}, {6, 10}, {0, 0}, {9, 9}};
  const RTFVector3D normals[] = {V(0, 0, 1), V(1, 0, 0), V(0, 0, 1), V(0, 1, 0)};
  ASSERT_EQ(poly_model::SetUVListF(mesh, 0, layer0, 4), kRTSuccess);
  ASSERT_EQ(poly_model::SetUVListF(mesh, 3, layer3, 4), kRTSuccess);
  ASSERT_EQ(poly_model::SetNormalListF(mesh, normals, 4), kRTSuccess);
  ASSERT_EQ(poly_model::EliminateTJunctions(mesh), kRTSuccess);
  const PolyModelState& state = *poly_model::StateOf(mesh);
  ASSERT_EQ(state.vertexCount, 5u);
  ASSERT_EQ(state.uvLayers[0].count, 5u);
  ASSERT_EQ(state.uvLayers[3].count, 5u);
  ASSERT_EQ(state.normalCount, 5u);
  EXPECT_EQ(state.uvLayerMask, 0x9u);
  EXPECT_EQ(state.uvLayers[0].coordinates[4].x, 0.25f);
  EXPECT_EQ(state.uvLayers[0].coordinates[4].y, 0.125f);
  EXPECT_EQ(state.uvLayers[3].coordinates[4].x, 3.0f);
  EXPECT_EQ(state.uvLayers[3].coordinates[4].y, 4.0f);
  EXPECT_EQ(state.uvLayers[0].coordinates[3].x, 9.0f) << "the old vertices keep theirs";
  const RTFVector3D& n = state.normals[4];
  EXPECT_NEAR(n.x, 0.25f / std::sqrt(0.625f), 1e-6f) << "(0.25, 0, 0.75) normalised";
  EXPECT_NEAR(n.z, 0.75f / std::sqrt(0.625f), 1e-6f);
  EXPECT_EQ(state.vertices[4].x, 0.25f);
}

// The old strips and lists go back to the rasterizer: a second run on a mesh without T-junctions
// holds exactly what the first left. Drawing lit and building the shadow geometry then read every
// per-vertex array at the new count.
TEST_F(TJunctions, TheMeshStaysWholeAndNothingIsLeft) {
  RTInstance mesh = MeshOf(TJunction());
  const std::vector<RTFVector3D> normals(5, V(0, 0, 1));
  ASSERT_EQ(poly_model::SetNormalListF(mesh, normals.data(), 5), kRTSuccess);
  ASSERT_EQ(poly_model::EliminateTJunctions(mesh), kRTSuccess);
  const auto settled = MemoryStats();
  ASSERT_EQ(poly_model::EliminateTJunctions(mesh), kRTSuccess);
  EXPECT_EQ(MemoryStats(), settled);

  const std::vector<RTInstance> lights = {NewLightNode(light::kClassName, {1, 1, 1, 1}, Translation(0, 0, 0))};
  RTFMatrix4x4 identity;
  Mat4Identity(&identity);
  Draw(mesh, Frame(NewNode(identity), {0.1f, 0.1f, 0.1f, 1}, lights));
  ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
  EXPECT_EQ(poly_model::StateOf(mesh)->triangleCount, 4u);
}

TEST_F(TJunctions, APrimitivePastTheVerticesLeavesTheMeshAsItWas) {
  RTInstance mesh = MeshOf(TJunction());
  const RTFVector3D three[] = {V(0, 0, 0), V(2, 0, 0), V(1, 1, 0)};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, three, 3), kRTSuccess);
  RTPrimitive* list = poly_model::StateOf(mesh)->groups[0].lists[0];
  EXPECT_EQ(poly_model::EliminateTJunctions(mesh), kRTFailure);
  EXPECT_NE(host_.ErrorLog().find("RTPolyModel::EliminateTJunctions(): triangle 1 indexes vertex 4 of 3; the mesh is "
                                  "left as it was"),
            std::string::npos)
      << host_.ErrorLog();
  EXPECT_EQ(poly_model::StateOf(mesh)->groups[0].lists[0], list);
  EXPECT_EQ(poly_model::StateOf(mesh)->vertexCount, 3u);
}

}  // namespace
