// The mesh's construction, its per-vertex lists, bounds and properties.
#include <cmath>

#include "mesh_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;

class MeshLists : public MeshTest {};

TEST_F(MeshLists, ConstructionReportsSSEOnceAndNeedsARasterizer) {
  if (MeshLibraryLoaded()) GTEST_SKIP() << "needs the first mesh of the process";
  NewMesh();
  NewMesh();
  EXPECT_EQ(TimesLogged("RTPolyModel -- SSE extensions detected"), 1u) << "x86-64 always has SSE";
  float radius = 0;
  EXPECT_EQ(poly_model::GetBoundingSphere(NewMesh(), &radius), kRTSuccess);
  EXPECT_EQ(radius, 1e6f) << "unmeasured until vertices are set";
}

class MeshWithoutRasterizer : public MeshTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTRenderable", "RTPolyModel", "RTMaterial"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
};

TEST_F(MeshWithoutRasterizer, IsNotMade) {
  RTInstance mesh = NewMesh();
  EXPECT_TRUE(Logged("RTPolyModel::PolyModelConstruct(): there is no RTRasterizer; the mesh is not made"));
  const RTFVector3D vertex = V(1, 2, 3);
  EXPECT_EQ(poly_model::SetVectorListF(mesh, &vertex, 1), kRTFailure) << "a mesh without state";
}

TEST_F(MeshLists, TheRenderableLevelReachesTheMeshsOwnMethods) {
  RTInstance mesh = NewMesh();
  const RTFVector3D vertices[] = {V(-1, 0, 2), V(3, 4, 0)};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, vertices, 2), kRTSuccess);
  RTFVector3D min{}, max{};
  ASSERT_EQ(renderable::GetBoundingBox(mesh, &min, &max), kRTSuccess);
  EXPECT_EQ(min.x, -1.0f);
  EXPECT_EQ(max.y, 4.0f);
  float radius = 0;
  ASSERT_EQ(renderable::GetBoundingSphere(mesh, &radius), kRTSuccess);
  EXPECT_EQ(radius, 5.0f);
  // A declared method without a function: its call fails.
  EXPECT_EQ(CallMethod(mesh, poly_model::kLevel, poly_model::kAddPrimitiveList, 0u, 0u, nullptr), kRTFailure);
}

TEST_F(MeshLists, VerticesSetTheRadiusAndOpaqueWhiteColours) {
  RTInstance mesh = NewMesh();
  const RTFVector3D vertices[] = {V(1, 2, 2), V(-4, 0, 3), V(0, 0, 0)};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, vertices, 3), kRTSuccess);
  float radius = 0;
  EXPECT_EQ(poly_model::GetBoundingSphere(mesh, &radius), kRTSuccess);
  EXPECT_EQ(radius, 5.0f);
  RTFColorRGB* colours = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetColorListF(mesh, &colours, &count), kRTSuccess);
  ASSERT_EQ(count, 3u);
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(colours[i].r + colours[i].g + colours[i].b, 3.0f) << i;
    EXPECT_EQ(colours[i].a, 1.0f) << i;
  }

  ASSERT_EQ(poly_model::SetVectorListF(mesh, nullptr, 0), kRTSuccess);
  EXPECT_EQ(poly_model::GetBoundingSphere(mesh, &radius), kRTSuccess);
  EXPECT_EQ(radius, 0.0f) << "an empty list has radius 0";
  RTFVector3D min{}, max{};
  ASSERT_EQ(poly_model::GetBoundingBox(mesh, &min, &max), kRTSuccess);
  EXPECT_EQ(min.x, 1e6f);
  EXPECT_EQ(min.z, 1e6f);
  EXPECT_EQ(max.y, -1e6f);
  RTFVector3D* held = nullptr;
  EXPECT_EQ(poly_model::GetVectorListF(mesh, &held, &count), kRTFailure);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(poly_model::GetColorListF(mesh, &colours, &count), kRTFailure);
  EXPECT_EQ(poly_model::SetVectorListF(mesh, nullptr, 2), kRTFailure);
}

TEST_F(MeshLists, TheBoxFollowsVerticesEditedInPlace) {
  RTInstance mesh = NewMesh();
  const RTFVector3D vertices[] = {V(0, 0, 0), V(1, 2, 3)};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, vertices, 2), kRTSuccess);
  RTFVector3D min{}, max{};
  ASSERT_EQ(poly_model::GetBoundingBox(mesh, &min, &max), kRTSuccess);
  EXPECT_EQ(max.z, 3.0f);

  RTFVector3D* own = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetVectorListF(mesh, &own, &count), kRTSuccess);
  own[1] = V(-5, 2, 7);
  ASSERT_EQ(poly_model::SetVectorListF(mesh, own, count), kRTSuccess) << "its own array, taken as it is";
  ASSERT_EQ(poly_model::GetBoundingBox(mesh, &min, &max), kRTSuccess);
  EXPECT_EQ(min.x, -5.0f);
  EXPECT_EQ(max.x, 0.0f);
  EXPECT_EQ(max.z, 7.0f);
  RTFVector3D* again = nullptr;
  ASSERT_EQ(poly_model::GetVectorListF(mesh, &again, &count), kRTSuccess);
  EXPECT_EQ(again, own);
}

TEST_F(MeshLists, TextureCoordinatesHaveLayers0To31) {
  RTInstance mesh = NewMesh();
  const RTFVector2D uv[] = {{0.5f, 1}, {0, 0.25f}};
  EXPECT_EQ(poly_model::SetUVListF(mesh, 31, uv, 2), kRTSuccess);
  EXPECT_EQ(poly_model::SetUVListF(mesh, 32, uv, 2), kRTFailure);
  RTFVector2D* held = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetUVListF(mesh, 31, &held, &count), kRTSuccess);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(held[1].y, 0.25f);
  EXPECT_EQ(poly_model::GetUVListF(mesh, 32, &held, &count), kRTFailure);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(poly_model::GetUVListF(mesh, 0, &held, &count), kRTFailure) << "an empty layer";
  EXPECT_EQ(poly_model::StateOf(mesh)->uvLayerMask, 0x80000000u);
}

TEST_F(MeshLists, NormalsAreCopiedAndTangentsNotKept) {
  RTInstance mesh = NewMesh();
  const RTFVector3D normals[] = {RTFVector3D{0, 1, 0, 9}};
  ASSERT_EQ(poly_model::SetNormalListF(mesh, normals, 1), kRTSuccess);
  RTFVector3D* held = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetNormalListF(mesh, &held, &count), kRTSuccess);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(held[0].y, 1.0f);
  EXPECT_EQ(held[0].w, 0.0f) << "x, y and z are copied";
  EXPECT_EQ(poly_model::SetTangentListF(mesh, normals, 1), kRTSuccess);
  EXPECT_EQ(poly_model::GetTangentListF(mesh, &held, &count), kRTFailure);
  EXPECT_EQ(count, 0u);
}

TEST_F(MeshLists, PropertiesReachTheDisplaySettings) {
  RTInstance mesh = NewMesh();
  RTPropertyRecord* length = nullptr;
  RTPropertyRecord* normals = nullptr;
  ASSERT_EQ(core().FindProperty(nullptr, mesh, u"NormalLength", &length), kRTSuccess);
  ASSERT_EQ(core().FindProperty(nullptr, mesh, u"DisplayNormals", &normals), kRTSuccess);
  EXPECT_EQ(length->typeCode, 0x70404u);
  EXPECT_EQ(normals->typeCode, 0xA0404u);
  const float half = 0.5f;
  ASSERT_EQ(reinterpret_cast<RTSuccess (*)(RTInstance, const float*)>(length->setter)(mesh, &half), kRTSuccess);
  float read = 0;
  ASSERT_EQ(reinterpret_cast<RTSuccess (*)(RTInstance, float*)>(length->getter)(mesh, &read), kRTSuccess);
  EXPECT_EQ(read, 0.5f);
  EXPECT_EQ(poly_model::DisplayNormals(mesh, 1), kRTSuccess);
  RTBool shown = 0;
  ASSERT_EQ(reinterpret_cast<RTSuccess (*)(RTInstance, RTBool*)>(normals->getter)(mesh, &shown), kRTSuccess);
  EXPECT_EQ(shown, 1u);

  const RTFColorRGB halfGrey{0.5f, 0.5f, 0.5f, 1};
  RTFColorRGB colour{};
  EXPECT_EQ(poly_model::SetColorMultiplierFVRGBA(mesh, &halfGrey), kRTSuccess);
  EXPECT_EQ(poly_model::GetColorMultiplierFVRGBA(mesh, &colour), kRTSuccess);
  EXPECT_EQ(colour.g, 0.5f);
  EXPECT_EQ(colour.a, 1.0f);
}

}  // namespace
