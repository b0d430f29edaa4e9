// The shadow geometry that ComputeShadowGeometry and CleanGeometry build from a mesh's primitives:
// welded triangles with planes, edges matched into open and shared ones, smooth normals and the
// flat triangle list.
#include <cmath>

#include "kivo/support/vector.h"
#include "mesh_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace r = kivo::rasterizer;

class ShadowGeometry : public MeshTest {
 protected:
  RTInstance MeshOf(const Shape& shape) {
    RTInstance mesh = NewMesh();
    Fill(Rasterizer(), mesh, shape, {NewMaterial()});
    return mesh;
  }
};

TEST_F(ShadowGeometry, EdgesAreMatchedByWindingAfterWelding) {
  const Shape alike{{V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(1, 1, 0)}, {}, {{0, 1, 2, 1, 2, 3}}};
  const struct {
    const char* what;
    Shape shape;
    uint32_t open;
    uint32_t shared;
    const char* line;
  } cases[] = {
      {"a quad", Quad(), 4, 1,
       "[RTPolyModel] Computed shadow geometry, 4 open edges, 2 triangles from lists, 0 triangles from strips "
       "[total = 2], 1 shared edges\n"},
      {"a closed box of split vertices", SplitBox(), 0, 18,
       "[RTPolyModel] Computed shadow geometry, 0 open edges, 0 triangles from lists, 12 triangles from strips "
       "[total = 12], 18 shared edges\n"},
      {"two triangles wound alike along their common edge", alike, 6, 0,
       "[RTPolyModel] Computed shadow geometry, 6 open edges, 2 triangles from lists, 0 triangles from strips "
       "[total = 2], 0 shared edges\n"},
  };
  for (const auto& c : cases) {
    RTInstance mesh = MeshOf(c.shape);
    ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess) << c.what;
    const PolyModelState* state = poly_model::StateOf(mesh);
    EXPECT_EQ(state->openEdgeCount, c.open) << c.what;
    EXPECT_EQ(state->sharedEdgeCount, c.shared) << c.what;
    EXPECT_EQ(state->edgeCount, c.open + c.shared) << c.what;
    EXPECT_TRUE(Logged(c.line)) << c.what << "\n" << host_.DebugLog();
    for (uint32_t e = 0; e < state->sharedEdgeCount; ++e) {
      const ShadowEdge& edge = *state->sharedEdges[e];
      const RTPolyModelTriangle& second = state->triangles[edge.secondTriangle];
      bool runsBack = false;
      for (uint32_t k = 0; k < 3; ++k)
        runsBack |= second.corners[k] == edge.b && second.corners[(k + 1) % 3] == edge.a;
      EXPECT_TRUE(runsBack) << c.what << ": edge " << e << " runs b to a in its second triangle";
    }
  }
}

TEST_F(ShadowGeometry, TrianglesAreWeldedToTheLowestIndexWithPlanesFacingOut) {
  RTInstance mesh = MeshOf(SplitBox());
  ASSERT_EQ(poly_model::CleanGeometry(mesh), kRTSuccess);
  EXPECT_TRUE(Logged("CLEAN GEOMETRY!"));
  uint32_t count = 0;
  RTPolyModelTriangle* triangles = nullptr;
  ASSERT_EQ(poly_model::GetTriangles(mesh, &count, &triangles), kRTSuccess);
  ASSERT_EQ(count, 12u);
  RTFVector3D* vertices = nullptr;
  uint32_t vertexCount = 0;
  ASSERT_EQ(poly_model::GetVectorListF(mesh, &vertices, &vertexCount), kRTSuccess);
  for (uint32_t t = 0; t < count; ++t) {
    const RTPolyModelTriangle& triangle = triangles[t];
    RTFVector3D centre{};
    for (uint32_t corner : triangle.corners) {
      for (uint32_t lower = 0; lower < corner; ++lower)
        EXPECT_NE(Vec3Distance(vertices[lower], vertices[corner]), 0.0f) << "triangle " << t << " is welded";
      const RTFVector3D& p = vertices[corner];
      centre = V(centre.x + p.x / 3, centre.y + p.y / 3, centre.z + p.z / 3);
    }
    const RTFVector3D outward = V(centre.x - 0.5f, centre.y - 0.5f, centre.z - 0.5f);
    EXPECT_NEAR(Vec3Dot(triangle.plane.normal, outward), 0.5f, 1e-6f) << "triangle " << t;
    EXPECT_NEAR(triangle.plane.d, Vec3Dot(triangle.plane.normal, vertices[triangle.corners[0]]), 1e-6f);
  }
  RTTriangleList3D* flat = nullptr;
  ASSERT_EQ(poly_model::GetFlatTriangleList(mesh, &flat), kRTSuccess);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(flat->kind, r::kTriangleList);
  ASSERT_EQ(flat->count, 12u);
  EXPECT_EQ(flat->indices[35], triangles[11].corners[2]);
}

TEST_F(ShadowGeometry, NormalsAreTheMeanFaceNormalAtEachPosition) {
  RTInstance mesh = MeshOf(Quad());
  const RTFVector3D shortList[] = {V(1, 0, 0)};
  ASSERT_EQ(poly_model::SetNormalListF(mesh, shortList, 1), kRTSuccess);
  ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
  RTFVector3D* normals = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetNormalListF(mesh, &normals, &count), kRTSuccess);
  ASSERT_EQ(count, 4u) << "a list shorter than the vertices is replaced";
  for (uint32_t v = 0; v < count; ++v) {
    EXPECT_EQ(normals[v].x, 0.0f) << v;
    EXPECT_EQ(normals[v].z, 1.0f) << v;
  }

  // A vertex no triangle uses gets (0, 0, 0).
  Shape lonely = Quad();
  lonely.vertices.push_back(V(5, 5, 5));
  RTInstance other = MeshOf(lonely);
  ASSERT_EQ(poly_model::ComputeShadowGeometry(other), kRTSuccess);
  ASSERT_EQ(poly_model::GetNormalListF(other, &normals, &count), kRTSuccess);
  ASSERT_EQ(count, 5u);
  EXPECT_EQ(normals[4].x + normals[4].y + normals[4].z, 0.0f);
  EXPECT_EQ(normals[0].z, 1.0f);
}

TEST_F(ShadowGeometry, ADegenerateTriangleHasAZeroPlane) {
  const Shape line{{V(0, 0, 0), V(1, 0, 0), V(2, 0, 0)}, {}, {{0, 1, 2}}};
  RTInstance mesh = MeshOf(line);
  ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
  const RTPolyModelTriangle& triangle = poly_model::StateOf(mesh)->triangles[0];
  EXPECT_EQ(triangle.plane.normal.x, 0.0f);
  EXPECT_EQ(triangle.plane.normal.y, 0.0f);
  EXPECT_EQ(triangle.plane.normal.z, 0.0f);
  EXPECT_EQ(triangle.plane.d, 0.0f);
  RTFVector3D* normals = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetNormalListF(mesh, &normals, &count), kRTSuccess);
  EXPECT_EQ(normals[1].x + normals[1].y + normals[1].z, 0.0f);
}

TEST_F(ShadowGeometry, IsBuiltAgainWholeOrNotAtAll) {
  RTInstance mesh = MeshOf(Quad());
  ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
  const auto built = MemoryStats();
  ASSERT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
  EXPECT_EQ(MemoryStats(), built) << "the old flat list and arrays are given back";

  // Vertices taken away under the primitives: their indices name no vertex any more.
  const RTFVector3D three[] = {V(0, 0, 0), V(1, 0, 0), V(1, 1, 0)};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, three, 3), kRTSuccess);
  EXPECT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTFailure);
  EXPECT_TRUE(Logged("RTPolyModel::ComputeShadowGeometry(): triangle 1 indexes vertex 3 of 3; the shadow geometry "
                     "is left as it was"));
  EXPECT_EQ(poly_model::StateOf(mesh)->triangleCount, 2u);
}

}  // namespace
