// RTStaticLitMesh's lightmaps: one per surface of a group, lying on it at the resolution; the
// calls a baker makes; and the mesh drawn with them once lighting is done.
#include <algorithm>
#include <cmath>
#include <sstream>

#include "kivo/material/material_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/vector.h"
#include "mesh_draw_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace lit = kivo::static_lit_mesh;
namespace r = kivo::rasterizer;

// The floor (0, 0, 0) to (0.75, 0, 0.5), its two triangles facing +y.
Shape Floor() {
  return Shape{{V(0, 0, 0), V(0.75f, 0, 0), V(0.75f, 0, 0.5f), V(0, 0, 0.5f)}, {}, {{0, 3, 2, 0, 2, 1}}};
}

RTFVector3D Along(const Lightmap& map, float scale, float i, float j) {
  return V(map.origin.x + (i * map.rowStep.x + j * map.columnStep.x) * scale,
           map.origin.y + (i * map.rowStep.y + j * map.columnStep.y) * scale,
           map.origin.z + (i * map.rowStep.z + j * map.columnStep.z) * scale);
}

class StaticLitMesh : public MeshDraw {
 protected:
  RTInstance Material() { return New(material::kClassName); }

  RTInstance MeshOf(const Shape& shape, std::vector<RTInstance> materials = {}) {
    RTInstance mesh = New(lit::kClassName);
    if (materials.empty()) materials.push_back(Material());
    Fill(rasterizer(), mesh, shape, materials);
    return mesh;
  }

  std::vector<Lightmap> LightmapsOf(RTInstance mesh, uint32_t group) {
    uint32_t count = 0;
    Lightmap* maps = nullptr;
    EXPECT_EQ(lit::GetLightmaps(mesh, group, &count, &maps), kRTSuccess);
    return std::vector<Lightmap>(maps, maps + count);
  }

  bool Raised(const std::string& text) const { return host_.ErrorLog().find(text) != std::string::npos; }
};

TEST_F(StaticLitMesh, EachSurfaceGetsALightmapLyingOnIt) {
  Shape apart = Quad();  // the quad's second triangle moved off the first's edge
  apart.vertices.push_back(V(2, 0, 0));
  apart.vertices.push_back(V(2, 1, 0));
  apart.vertices.push_back(V(3, 1, 0));
  apart.lists = {{0, 1, 2, 4, 6, 5}};
  const struct {
    const char* what;
    Shape shape;
    float resolution;
    uint32_t lightmaps;
    uint32_t width;
    uint32_t height;
  } cases[] = {
      {"a floor of two triangles", Floor(), 0.25f, 1, 3, 4},
      {"a box of six faces", SplitBox(), 0.5f, 6, 3, 3},
      {"two triangles of one plane apart", apart, 1.0f, 2, 2, 2},
  };
  for (const auto& c : cases) {
    RTInstance mesh = MeshOf(c.shape);
    ASSERT_EQ(lit::SetLightmapResolution(mesh, c.resolution), kRTSuccess);
    ASSERT_EQ(lit::CreateLightmaps(mesh), kRTSuccess) << c.what << host_.ErrorLog();
    float scale = 0;
    ASSERT_EQ(lit::GetStepScale(mesh, &scale), kRTSuccess);
    EXPECT_EQ(scale, c.resolution) << c.what;
    const std::vector<Lightmap> maps = LightmapsOf(mesh, 0);
    ASSERT_EQ(maps.size(), c.lightmaps) << c.what;
    for (const Lightmap& map : maps) {
      EXPECT_EQ(map.width, c.width) << c.what;
      EXPECT_EQ(map.height, c.height) << c.what;
      EXPECT_EQ(map.stride, map.width) << c.what;
      EXPECT_EQ(map.bufferRows, map.height) << c.what;
      EXPECT_TRUE(std::all_of(map.texels, map.texels + map.stride * map.bufferRows, [](uint32_t t) { return t == 0; }));
      // The first and the last texel stand on vertices, at opposite corners of the surface's
      // bounds in its plane, and the steps' cross product is its front: no vertex lies before it.
      RTFVector3D front{};
      Vec3Cross(map.rowStep, map.columnStep, &front);
      const RTFVector3D first = Along(map, scale, 0, 0);
      const RTFVector3D last = Along(map, scale, map.width - 1.0f, map.height - 1.0f);
      auto isVertex = [&](const RTFVector3D& p) {
        return std::any_of(c.shape.vertices.begin(), c.shape.vertices.end(),
                           [&](const RTFVector3D& v) { return Vec3Distance(v, p) < 1e-5f; });
      };
      EXPECT_TRUE(isVertex(first) && isVertex(last)) << c.what;
      for (const RTFVector3D& v : c.shape.vertices)
        EXPECT_LE(Vec3Dot(front, V(v.x - first.x, v.y - first.y, v.z - first.z)), 1e-6f) << c.what;
      EXPECT_NEAR(Vec3Length(front), 1.0f, 1e-6f) << c.what;
    }
  }
}

TEST_F(StaticLitMesh, TheFloorsLightmapFacesUpAndEachGroupHasItsOwn) {
  Shape halves = Floor();
  halves.lists = {{0, 3, 2}, {0, 2, 1}};
  RTInstance mesh = New(lit::kClassName);
  const std::vector<RTInstance> materials = {Material(), Material()};
  ASSERT_EQ(poly_model::SetVectorListF(mesh, halves.vertices.data(), 4), kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, materials.data(), 2), kRTSuccess);
  for (uint32_t g = 0; g < 2; ++g)
    ASSERT_EQ(poly_model::AddPrimitive(mesh, r::kTriangleList,
                                       NewPrimitive(rasterizer(), r::kTriangleList, g, halves.lists[g])),
              kRTSuccess);
  ASSERT_EQ(lit::CreateLightmaps(mesh), kRTSuccess) << "at the resolution the mesh starts with";
  for (uint32_t g = 0; g < 2; ++g) {
    const std::vector<Lightmap> maps = LightmapsOf(mesh, g);
    ASSERT_EQ(maps.size(), 1u) << "group " << g;
    RTFVector3D front{};
    Vec3Cross(maps[0].rowStep, maps[0].columnStep, &front);
    EXPECT_NEAR(front.y, 1.0f, 1e-6f);
  }
  uint32_t count = 7;
  Lightmap* none = nullptr;
  EXPECT_EQ(lit::GetLightmaps(mesh, 2, &count, &none), kRTFailure);
  EXPECT_EQ(count, 0u);
}

TEST_F(StaticLitMesh, RefusesAResolutionOrALayoutItCannotTake) {
  RTInstance mesh = MeshOf(Floor());
  for (float bad : {0.0f, -1.0f, NAN, INFINITY}) EXPECT_EQ(lit::SetLightmapResolution(mesh, bad), kRTFailure) << bad;
  EXPECT_TRUE(Raised("RTStaticLitMesh::SetLightmapResolution(): 0.000000 units a texel is not above 0"));
  ASSERT_EQ(lit::SetLightmapResolution(mesh, 0.25f), kRTSuccess);
  ASSERT_EQ(lit::CreateLightmaps(mesh), kRTSuccess);
  ASSERT_EQ(lit::SetLightmapResolution(mesh, 0.0005f), kRTSuccess);
  EXPECT_EQ(lit::CreateLightmaps(mesh), kRTFailure);
  EXPECT_TRUE(
      Raised("RTStaticLitMesh::CreateLightmaps(): a surface of group 0 needs more than 1024 texels a side at "
             "0.000500 units a texel; the lightmaps are left as they were"))
      << host_.ErrorLog();
  ASSERT_EQ(LightmapsOf(mesh, 0).size(), 1u);
  EXPECT_EQ(LightmapsOf(mesh, 0)[0].width, 3u);
}

TEST_F(StaticLitMesh, TakesTexelsOnlyForItsOwnLightmaps) {
  RTInstance mesh = MeshOf(Floor());
  ASSERT_EQ(lit::SetLightmapResolution(mesh, 0.25f), kRTSuccess);
  ASSERT_EQ(lit::CreateLightmaps(mesh), kRTSuccess);
  const Lightmap* own = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(lit::GetLightmaps(mesh, 0, &count, const_cast<Lightmap**>(&own)), kRTSuccess);
  std::vector<uint32_t> texels(12);
  for (uint32_t i = 0; i < 12; ++i) texels[i] = i * 3;
  const Lightmap copy = *own;
  EXPECT_EQ(lit::ReplaceTexels(mesh, &copy, texels.data()), kRTFailure) << "a copy is not the mesh's record";
  EXPECT_EQ(lit::ReplaceTexels(mesh, own, nullptr), kRTFailure);
  ASSERT_EQ(lit::ReplaceTexels(mesh, own, texels.data()), kRTSuccess);
  EXPECT_TRUE(std::equal(texels.begin(), texels.end(), own->texels));
}

// A 3 x 3 lightmap over the unit square: drawn as the mesh until lighting is done, then each
// surface with its diffuse state on unit 0 and its lightmap on unit 1, the texture made once from
// the texels (the unlit mark left out, the last row first).
TEST_F(StaticLitMesh, DrawsWithItsLightmapsOnceLightingIsDone) {
  RTInstance mesh = MeshOf(Quad());
  ASSERT_EQ(lit::SetLightmapResolution(mesh, 0.5f), kRTSuccess);
  ASSERT_EQ(lit::CreateLightmaps(mesh), kRTSuccess);
  RTFMatrix4x4 identity;
  Mat4Identity(&identity);
  const RTSceneNodeEntityFrameInformation frame = Frame(NewNode(identity), {0.5f, 0.5f, 0.5f, 1});
  auto unitOne = [](const Lines& lines) { return std::count(lines.begin(), lines.end(), "EnableTexturing(1) -> 1"); };
  EXPECT_EQ(unitOne(Draw(mesh, frame)), 0) << "unlit: the mesh's own draw";

  Lightmap* map = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(lit::GetLightmaps(mesh, 0, &count, &map), kRTSuccess);
  std::vector<uint32_t> texels(9);
  for (uint32_t i = 0; i < 9; ++i) texels[i] = 0xFF000000u | (i * 0x10);
  ASSERT_EQ(lit::ReplaceTexels(mesh, map, texels.data()), kRTSuccess);
  ASSERT_EQ(lit::LightingDone(mesh), kRTSuccess);
  const Lines lines = Draw(mesh, frame);
  ASSERT_GE(lines.size(), 2u);
  const uint8_t pixels[27] = {96, 0,  0, 112, 0, 0, 128, 0,  0, 48, 0,  0, 64, 0,
                              0,  80, 0, 0,   0, 0, 0,   16, 0, 0,  32, 0, 0};
  std::ostringstream made;
  made << "CreateTextureFromPixels([27 bytes, crc 0x" << std::hex << Crc32Mpeg2(pixels) << "], 0x1800, 3, 3, out ";
  EXPECT_EQ(lines[0].rfind(made.str(), 0), 0u) << lines[0];
  const std::string texture =
      lines[0].substr(lines[0].find("out ") + 4, lines[0].find(',', lines[0].find("out ")) - lines[0].find("out ") - 4);
  const Lines expected = {
      "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]) -> 1",
      "SetVertexArray([4: (0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)]) -> 1",
      "EnableColorArray(0) -> 1",
      "SetColorRGBA(1, 1, 1, 1) -> 1",
      "EnableCulling(1) -> 1",
      "SelectTextureUnit(0) -> 1",
      "EnableTexCoordArray(0) -> 1",
      "EnableTexturing(0) -> 1",
      "SelectTextureUnit(1) -> 1",
      "BindTexture(" + texture + ") -> 1",
      "EnableTexCoordArray(1) -> 1",
      "SetTexCoordArray([4: (0.16666667, 0.16666667), (0.8333333, 0.16666667), (0.8333333, 0.8333333), (0.16666667, "
      "0.8333333)]) -> 1",
      "EnableTexturing(1) -> 1",
      "SelectTextureUnit(0) -> 1",
      "DrawIndexedTriangles(2, [6: 0, 1, 2, 0, 2, 3]) -> 1",
      "SelectTextureUnit(1) -> 1",
      "EnableTexturing(0) -> 1",
      "EnableTexCoordArray(0) -> 1",
      "SelectTextureUnit(0) -> 1",
      "EnableTexturing(0) -> 1",
      "EnableTexCoordArray(0) -> 1",
      "EnableBlending(0) -> 1",
      "PopWorldMatrix() -> 1",
  };
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), expected);
  EXPECT_EQ(Draw(mesh, frame), expected) << "the texture is made once";

  // New texels: the old texture goes, a new one is made at the next draw.
  ASSERT_EQ(lit::ReplaceTexels(mesh, map, texels.data()), kRTSuccess);
  const Lines again = Draw(mesh, frame);
  EXPECT_EQ(again[0].rfind("CreateTextureFromPixels(", 0), 0u);
}

}  // namespace
