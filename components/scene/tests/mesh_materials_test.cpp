// The mesh's materials, the groups of primitives drawn with them and the primitives it owns.
#include "kivo/material/material_calls.h"
#include "mesh_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace r = kivo::rasterizer;

class MeshMaterials : public MeshTest {};

TEST_F(MeshMaterials, AddPrimitiveRefusesWhatNoGroupCanTake) {
  RTInstance bare = NewMesh();
  RTInstance mesh = NewMesh();
  RTInstance linen = NewMaterial(u"Linen");
  ASSERT_EQ(poly_model::SetMaterialList(mesh, &linen, 1), kRTSuccess);
  const struct {
    const char* what;
    RTInstance mesh;
    uint32_t kind;
    uint32_t primitiveKind;
    uint32_t material;
    const char* message;
  } cases[] = {
      {"no groups", bare, r::kTriangleStrip, r::kTriangleStrip, 0,
       "No materials exist for this mesh, cannot add primitive!"},
      {"a strip of material 1 of 1", mesh, r::kTriangleStrip, r::kTriangleStrip, 1,
       "Triangle strip indexes a material > the # of materials in the mesh"},
      {"a list of material 1 of 1", mesh, r::kTriangleList, r::kTriangleList, 1,
       "Triangle list indexes a material > the # of materials in the mesh"},
      {"kind 0x100", mesh, r::kGeneralList, r::kGeneralList, 0,
       "Unsupported primitive type passed to RTPolyModel::AddPrimitive()"},
      {"a list passed as a strip", mesh, r::kTriangleStrip, r::kTriangleList, 0,
       "RTPolyModel::AddPrimitive(): a primitive of kind 0x104 is passed as kind 0x102"},
  };
  for (const auto& c : cases) {
    RTPrimitive* primitive = NewPrimitive(Rasterizer(), c.primitiveKind, c.material, {0, 1, 2});
    EXPECT_EQ(poly_model::AddPrimitive(c.mesh, c.kind, primitive), kRTFailure) << c.what;
    EXPECT_TRUE(Logged(c.message)) << c.what;
    r::DestroyPrimitive(Rasterizer(), primitive);
  }
  RTPrimitive** strips = nullptr;
  uint32_t count = 9;
  ASSERT_EQ(poly_model::GetPrimitiveListByMaterialIndex(mesh, 0, r::kTriangleStrip, &strips, &count), kRTSuccess);
  EXPECT_EQ(count, 0u) << "nothing was added";
  EXPECT_EQ(poly_model::GetPrimitiveListByMaterialIndex(mesh, 1, r::kTriangleStrip, &strips, &count), kRTFailure)
      << "no group 1";
}

TEST_F(MeshMaterials, GroupsHoldTheirPrimitivesInOrder) {
  RTInstance mesh = NewMesh();
  const std::vector<RTInstance> materials = {NewMaterial(u"Linen"), NewMaterial(u"Steel")};
  Fill(Rasterizer(), mesh, Quad(), materials);
  ASSERT_EQ(
      poly_model::AddPrimitive(mesh, r::kTriangleStrip, NewPrimitive(Rasterizer(), r::kTriangleStrip, 1, {3, 2, 1})),
      kRTSuccess);
  ASSERT_EQ(
      poly_model::AddPrimitive(mesh, r::kTriangleStrip, NewPrimitive(Rasterizer(), r::kTriangleStrip, 0, {0, 1, 2, 3})),
      kRTSuccess);

  RTPrimitive** own = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetPrimitiveListByMaterialIndex(mesh, 1, r::kTriangleStrip, &own, &count), kRTSuccess);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(own[0]->indices[0], 3u);
  RTPrimitive* copies = nullptr;
  ASSERT_EQ(poly_model::GetPrimitiveList(mesh, r::kTriangleStrip, &copies, &count), kRTSuccess);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(copies[0].count, 4u) << "group 0 first";
  EXPECT_EQ(copies[1].materialIndex, 1u);
  core().ArrayFree(nullptr, copies);
  ASSERT_EQ(poly_model::GetPrimitiveList(mesh, r::kTriangleList, &copies, &count), kRTSuccess);
  EXPECT_EQ(count, 1u);
  core().ArrayFree(nullptr, copies);
  EXPECT_EQ(poly_model::GetPrimitiveList(mesh, r::kGeneralList, &copies, &count), kRTFailure);

  RTInstance* held = nullptr;
  ASSERT_EQ(poly_model::GetMaterialList(mesh, &held, &count), kRTSuccess);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(held[1], materials[1]);
}

TEST_F(MeshMaterials, AMaterialListReplacedLeavesNoPrimitiveOrReferenceBehind) {
  RTInstance mesh = NewMesh();
  RTInstance linen = NewMaterial(u"Linen");
  RTInstance steel = NewMaterial(u"Steel");
  ASSERT_EQ(poly_model::SetMaterialList(mesh, &linen, 1), kRTSuccess);
  const auto before = MemoryStats();
  Fill(Rasterizer(), mesh, SplitBox(), {linen});
  EXPECT_EQ(RefCount(linen), 2u);
  ASSERT_EQ(poly_model::SetVectorListF(mesh, nullptr, 0), kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, &steel, 1), kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, &linen, 1), kRTSuccess);
  EXPECT_EQ(MemoryStats(), before) << "the box's primitives went back to the rasterizer";
  EXPECT_EQ(RefCount(steel), 1u);
  EXPECT_EQ(RefCount(linen), 2u);

  // The mesh's own array handed back: taken before the old one goes.
  RTInstance* own = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetMaterialList(mesh, &own, &count), kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, own, count), kRTSuccess);
  EXPECT_EQ(RefCount(linen), 2u);
  Release(mesh);
  EXPECT_EQ(RefCount(linen), 1u);
}

TEST_F(MeshMaterials, OnlyMaterialsMakeAList) {
  RTInstance mesh = NewMesh();
  RTInstance linen = NewMaterial(u"Linen");
  ASSERT_EQ(poly_model::SetMaterialList(mesh, &linen, 1), kRTSuccess);
  const RTInstance mixed[] = {linen, mesh};
  EXPECT_EQ(poly_model::SetMaterialList(mesh, mixed, 2), kRTFailure);
  EXPECT_TRUE(Logged("RTPolyModel::SetMaterialList(): material 2 of 2 is no RTMaterial"));
  RTInstance* held = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(poly_model::GetMaterialList(mesh, &held, &count), kRTSuccess);
  EXPECT_EQ(count, 1u) << "the list is left as it was";
  ASSERT_EQ(poly_model::SetMaterialList(mesh, nullptr, 0), kRTSuccess);
  EXPECT_EQ(poly_model::GetMaterialList(mesh, &held, &count), kRTFailure);
  EXPECT_EQ(held, nullptr);
}

TEST_F(MeshMaterials, AlphaComesFromTheMaterialsWhenAsked) {
  RTInstance mesh = NewMesh();
  const std::vector<RTInstance> materials = {NewMaterial(u"Linen"), NewMaterial(u"Glass")};
  ASSERT_EQ(material::SetAlpha(materials[1], 1), kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, materials.data(), 2), kRTSuccess);
  RTBool alpha = 0;
  ASSERT_EQ(poly_model::HasAlpha(mesh, &alpha), kRTSuccess);
  EXPECT_EQ(alpha, 1u);
  EXPECT_EQ(poly_model::StateOf(mesh)->groups[0].hasAlpha, 0u);

  ASSERT_EQ(material::SetAlpha(materials[1], 0), kRTSuccess);
  ASSERT_EQ(poly_model::HasAlpha(mesh, &alpha), kRTSuccess);
  EXPECT_EQ(alpha, 1u) << "as last asked";
  ASSERT_EQ(poly_model::UpdateAlphaInfo(mesh), kRTSuccess);
  ASSERT_EQ(poly_model::HasAlpha(mesh, &alpha), kRTSuccess);
  EXPECT_EQ(alpha, 0u);
  ASSERT_EQ(renderable::HasAlpha(mesh, &alpha), kRTSuccess) << "the RTRenderable level reaches the mesh's own";
  EXPECT_EQ(alpha, 0u);
}

TEST_F(MeshMaterials, PrimitiveListCountMakesGeneralListsAndDestroysTheOldOnes) {
  RTInstance mesh = NewMesh();
  const auto before = MemoryStats();
  EXPECT_EQ(poly_model::SetPrimitiveListCount(mesh, r::kTriangleList, 2), kRTFailure) << "only kind 0x100";
  ASSERT_EQ(poly_model::SetPrimitiveListCount(mesh, r::kGeneralList, 3), kRTSuccess);
  const PolyModelState* state = poly_model::StateOf(mesh);
  ASSERT_EQ(state->primitiveCount, 3u);
  EXPECT_EQ(state->primitives[2]->kind, r::kGeneralList);
  ASSERT_EQ(poly_model::SetPrimitiveListCount(mesh, r::kGeneralList, 0), kRTSuccess);
  EXPECT_EQ(MemoryStats(), before);
}

}  // namespace
