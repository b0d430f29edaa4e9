// Meshes and materials that kivopack builds from descriptions, loaded by path from the pack: their
// counts and bounds as generated, triangles wound to face outward, rooms' walls raised in their
// bounds meshes, streams that read back to the bytes kivopack wrote, and descriptions it refuses.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "kivo/material/material_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/vector.h"
#include "mesh_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
using tesk::testing::Quoted;
using tesk::testing::RunCommand;

constexpr char kPack[] = R"({"instances": [
  {"path": "Root:Meshes:Box", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Linen"], "box": {"size": [1, 0.5, 2]}, "primitives": "strips"}},
  {"path": "Root:Meshes:BoxOfLists", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Linen"], "box": {"size": [1, 0.5, 2]}}},
  {"path": "Root:Meshes:Capsule", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Skin"], "capsule": {"radius": 0.3, "height": 1.8, "segments": 12}}},
  {"path": "Root:Meshes:CapsuleOfStrips", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Skin"], "capsule": {"radius": 0.3, "height": 1.8, "segments": 12},
            "primitives": "strips"}},
  {"path": "Root:Meshes:Tent", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Linen", "Root:Materials:Skin"],
            "vertices": [[0, 0, 0], [2, 0, 0], [1, 1, 0], [1, 0, 1]], "normals": [[0, 0, 3], [0, 0, 1], [0, 1, 0], [1, 0, 0]],
            "uvLayers": [[[0, 1], [1, 1], [0.5, 0], [0.5, 0.5]], [[0, 0], [0, 0], [0, 0], [0, 0]]],
            "groups": [{"triangles": [[0, 1, 2]]}, {"strips": [[0, 3, 1]]}]}},
  {"path": "Root:Meshes:Tetrahedron", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Materials:Linen"], "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1]],
            "groups": [{"triangles": [[0, 2, 1], [0, 1, 3], [0, 3, 2], [1, 2, 3]]}]}},
  {"path": "Root:Rooms:Bay", "class": "RTBrellinRoom",
   "room": {"box": [[0, 0, 0], [4, 3, 4]], "footprint": [[0, 0], [4, 0], [4, 1.5], [4, 2.5], [4, 4], [0, 4]],
            "openings": [2], "walls": {"height": 1.5, "material": "Root:Materials:Paint"},
            "bounds": {"name": "Shell", "entity": "Root:Meshes:BayFloor"}}},
  {"path": "Root:Rooms:Hall", "class": "RTBrellinRoom",
   "room": {"box": [[4, 0.5, 0], [8, 3, 4]], "footprint": [[4, 0], [4, 4], [8, 4], [8, 0]],
            "walls": {"height": 2, "material": "Root:Materials:Linen"},
            "bounds": {"name": "Shell", "entity": "Root:Meshes:HallFloor"}}},
  {"path": "Root:Meshes:BayFloor", "class": "RTStaticLitMesh",
   "mesh": {"materials": ["Root:Materials:Linen"], "vertices": [[0, 0, 0], [4, 0, 0], [4, 0, 4], [0, 0, 4]],
            "groups": [{"triangles": [[0, 3, 2], [0, 2, 1]]}]}},
  {"path": "Root:Meshes:HallFloor", "class": "RTStaticLitMesh",
   "mesh": {"materials": ["Root:Materials:Linen"],
            "vertices": [[4, 0.5, 0], [8, 0.5, 0], [8, 0.5, 4], [4, 0.5, 4]],
            "uvLayers": [[[0, 0], [1, 0], [1, 1], [0, 1]], [[0, 0], [1, 0], [1, 1], [0, 1]]],
            "groups": [{"triangles": [[0, 3, 2], [0, 2, 1]]}]}},
  {"path": "Root:Materials:Paint", "class": "RTMaterial", "material": {"color": [0.8, 0.9, 0.8]}},
  {"path": "Root:Materials:Linen", "class": "RTMaterial", "material": {"color": [0.9, 0.9, 0.85]}},
  {"path": "Root:Materials:Skin", "class": "RTMaterial",
   "material": {"color": [0.8, 0.6, 0.5, 0.5], "alpha": true, "twoSided": true, "selfIllumination": 0.02}}
]})";

class PackedMeshes : public MeshTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    MeshTest::InstallComponents(host);
    for (const char* name : {"RTSceneNode", "RTTeskSceneNode", "RTBrellinRoom"})  // the rooms with walls
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_directories(host.root() / "store");
    pack_ = host.root() / "store/root.kivopack";
    tesk::testing::WriteFile(dir_.path() / "pack.json", kPack);
    const auto outcome = Kivopack("build " + Quoted((dir_.path() / "pack.json").string()) + " " + Quoted(pack_));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
  }

  tesk::testing::CommandOutcome Kivopack(const std::string& arguments) {
    return RunCommand(std::string(KIVOPACK) + " " + arguments, dir_.path());
  }

  // The data kivopack stored for the path.
  std::string Stored(const std::string& path) {
    const std::filesystem::path out = dir_.path() / "extracted";
    const auto outcome = Kivopack("extract " + Quoted(pack_) + " " + path + " " + Quoted(out.string()));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    return tesk::testing::ReadFile(out);
  }

  InstanceRef Load(const char16_t* path) {
    InstanceRef loaded;
    EXPECT_EQ(core().GetInstanceByName(nullptr, path, loaded.out(), 0), kRTSuccess);
    return loaded;
  }

  tesk::testing::TempDir dir_;
  std::string pack_;
};

TEST_F(PackedMeshes, AreAsGeneratedAndWriteTheBytesKivopackWrote) {
  const float boxRadius = std::sqrt(0.5f * 0.5f + 0.5f * 0.5f + 1.0f);
  const struct {
    const char16_t* path;
    uint32_t vertices, strips, lists, triangles, shared;
    RTFVector3D min, max;
    float radius;
  } cases[] = {
      {u"Root:Meshes:Box", 24, 6, 0, 12, 18, V(-0.5f, 0, -1), V(0.5f, 0.5f, 1), boxRadius},
      {u"Root:Meshes:BoxOfLists", 24, 0, 1, 12, 18, V(-0.5f, 0, -1), V(0.5f, 0.5f, 1), boxRadius},
      {u"Root:Meshes:Capsule", 80, 0, 1, 144, 216, V(-0.3f, 0, -0.3f), V(0.3f, 1.8f, 0.3f), 1.8f},
      {u"Root:Meshes:CapsuleOfStrips", 80, 5, 1, 144, 216, V(-0.3f, 0, -0.3f), V(0.3f, 1.8f, 0.3f), 1.8f},
  };
  for (const auto& c : cases) {
    const std::string path(c.path, c.path + std::char_traits<char16_t>::length(c.path));
    SCOPED_TRACE(path);
    InstanceRef mesh = Load(c.path);
    const PolyModelState* state = poly_model::StateOf(mesh.get());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->vertexCount, c.vertices);
    EXPECT_EQ(state->uvLayerMask, 1u);
    ASSERT_EQ(state->materialCount, 1u);
    EXPECT_EQ(state->groups[0].stripCount, c.strips);
    EXPECT_EQ(state->groups[0].listCount, c.lists);
    EXPECT_EQ(state->triangleCount, c.triangles);
    EXPECT_EQ(state->openEdgeCount, 0u) << "a closed surface";
    EXPECT_EQ(state->sharedEdgeCount, c.shared);
    RTFVector3D min{}, max{};
    ASSERT_EQ(poly_model::GetBoundingBox(mesh.get(), &min, &max), kRTSuccess);
    EXPECT_NEAR(min.x, c.min.x, 1e-6f);
    EXPECT_NEAR(min.y, c.min.y, 1e-6f);
    EXPECT_NEAR(min.z, c.min.z, 1e-6f);
    EXPECT_NEAR(max.x, c.max.x, 1e-6f);
    EXPECT_NEAR(max.y, c.max.y, 1e-6f);
    EXPECT_NEAR(max.z, c.max.z, 1e-6f);
    float radius = 0;
    ASSERT_EQ(poly_model::GetBoundingSphere(mesh.get(), &radius), kRTSuccess);
    EXPECT_FLOAT_EQ(radius, c.radius);
    EXPECT_EQ(StreamedOut(mesh.get()), Stored(path)) << "written, read and written again";
  }
}

TEST_F(PackedMeshes, TrianglesFaceAwayFromTheShapesAxis) {
  // The box's centre is (0, 0.25, 0); the capsule's axis runs from (0, 0.3, 0) to (0, 1.5, 0).
  for (const char16_t* path :
       {u"Root:Meshes:Box", u"Root:Meshes:BoxOfLists", u"Root:Meshes:Capsule", u"Root:Meshes:CapsuleOfStrips"}) {
    InstanceRef mesh = Load(path);
    const PolyModelState* state = poly_model::StateOf(mesh.get());
    const bool box = state->vertexCount == 24;
    for (uint32_t t = 0; t < state->triangleCount; ++t) {
      const RTPolyModelTriangle& triangle = state->triangles[t];
      RTFVector3D centre{};
      for (uint32_t corner : triangle.corners) {
        const RTFVector3D& p = state->vertices[corner];
        centre = V(centre.x + p.x / 3, centre.y + p.y / 3, centre.z + p.z / 3);
      }
      const float axisY = box ? 0.25f : std::clamp(centre.y, 0.3f, 1.5f);
      EXPECT_GT(Vec3Dot(triangle.plane.normal, V(centre.x, centre.y - axisY, centre.z)), 0.0f)
          << "triangle " << t << " of mesh with " << state->vertexCount << " vertices";
    }
    // The generated normals point the same way as the faces around them.
    for (uint32_t t = 0; !box && t < state->triangleCount; ++t)
      for (uint32_t corner : state->triangles[t].corners)
        EXPECT_GT(Vec3Dot(state->normals[corner], state->triangles[t].plane.normal), 0.0f) << "triangle " << t;
  }
}

TEST_F(PackedMeshes, ExplicitMeshesKeepTheirGroupsLayersAndNormals) {
  InstanceRef mesh = Load(u"Root:Meshes:Tent");
  const PolyModelState* state = poly_model::StateOf(mesh.get());
  ASSERT_EQ(state->materialCount, 2u);
  EXPECT_EQ(state->groups[0].listCount, 1u);
  EXPECT_EQ(state->groups[1].stripCount, 1u);
  EXPECT_EQ(state->groups[1].strips[0]->materialIndex, 1u);
  EXPECT_EQ(state->uvLayerMask, 3u);
  EXPECT_EQ(state->uvLayers[0].coordinates[2].x, 0.5f);
  ASSERT_EQ(state->normalCount, 4u);
  EXPECT_EQ(state->normals[0].z, 1.0f) << "the described normals, normalised, in place of the computed ones";
  EXPECT_EQ(state->normals[3].x, 1.0f);
  EXPECT_EQ(StreamedOut(mesh.get()), Stored("Root:Meshes:Tent"));

  // Normals computed when none are described, stored as the reader keeps them.
  InstanceRef tetrahedron = Load(u"Root:Meshes:Tetrahedron");
  const PolyModelState* solid = poly_model::StateOf(tetrahedron.get());
  ASSERT_EQ(solid->normalCount, 4u);
  EXPECT_NEAR(solid->normals[0].x, -std::sqrt(1.0f / 3), 1e-6f);
  EXPECT_EQ(solid->openEdgeCount, 0u);
  EXPECT_EQ(StreamedOut(tetrahedron.get()), Stored("Root:Meshes:Tetrahedron"));
}

// Each room's walls stand in its bounds mesh, from the bottom of its box up their height, along
// every footprint edge but the openings, facing the room's inside whichever way the footprint
// winds: in a group of their own material, or the group of the mesh's that has it.
TEST_F(PackedMeshes, RoomsRaiseTheirWallsInTheirBoundsMeshesFacingInside) {
  const struct {
    const char16_t* mesh;
    uint32_t walls;
    uint32_t materials;
    uint32_t uvLayers;  // the mask: the walls make layer 0 in a mesh with none; a mesh keeps its other layers
    float bottom, top;
    float centreX;
    bool doorway;  // between (4, 1.5) and (4, 2.5)
  } cases[] = {
      {u"Root:Meshes:BayFloor", 5, 2, 0b01, 0.0f, 1.5f, 2.0f, true},
      {u"Root:Meshes:HallFloor", 4, 1, 0b11, 0.5f, 2.5f, 6.0f, false},
  };
  for (const auto& c : cases) {
    const std::string path(c.mesh, c.mesh + std::char_traits<char16_t>::length(c.mesh));
    SCOPED_TRACE(path);
    InstanceRef mesh = Load(c.mesh);
    const PolyModelState* state = poly_model::StateOf(mesh.get());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->vertexCount, 4 + 4 * c.walls) << "four vertices of its own a wall";
    EXPECT_EQ(state->materialCount, c.materials);
    EXPECT_EQ(state->groups[c.materials - 1].listCount, 1u);
    EXPECT_EQ(state->uvLayerMask, c.uvLayers);
    RTFVector3D min{}, max{};
    ASSERT_EQ(poly_model::GetBoundingBox(mesh.get(), &min, &max), kRTSuccess);
    EXPECT_EQ(min.y, c.bottom);
    EXPECT_EQ(max.y, c.top);
    uint32_t walls = 0;
    for (uint32_t t = 0; t < state->triangleCount; ++t) {
      const RTPolyModelTriangle& triangle = state->triangles[t];
      if (triangle.plane.normal.y != 0.0f) continue;  // the floor
      ++walls;
      RTFVector3D centre{};
      for (uint32_t corner : triangle.corners) {
        const RTFVector3D& p = state->vertices[corner];
        centre = V(centre.x + p.x / 3, centre.y + p.y / 3, centre.z + p.z / 3);
      }
      EXPECT_GT(Vec3Dot(triangle.plane.normal, V(c.centreX - centre.x, 0, 2 - centre.z)), 0.0f)
          << "triangle " << t << " faces the room's inside";
      EXPECT_FALSE(c.doorway && std::abs(centre.x - 4) < 1e-4f && centre.z > 1.5f && centre.z < 2.5f)
          << "triangle " << t << " stands in the doorway";
    }
    EXPECT_EQ(walls, 2 * c.walls);
  }
}

TEST_F(PackedMeshes, MaterialsKeepTheirValuesAndReferences) {
  InstanceRef skin = Load(u"Root:Materials:Skin");
  RTFColorRGB colour{};
  float amount = 0;
  uint32_t alpha = 0;
  RTBool twoSided = 0;
  ASSERT_EQ(material::GetColor(skin.get(), &colour), kRTSuccess);
  ASSERT_EQ(material::GetSelfIllumination(skin.get(), &amount), kRTSuccess);
  ASSERT_EQ(material::HasAlpha(skin.get(), &alpha), kRTSuccess);
  ASSERT_EQ(material::IsTwoSided(skin.get(), &twoSided), kRTSuccess);
  EXPECT_EQ(colour.g, 0.6f);
  EXPECT_EQ(colour.a, 0.5f);
  EXPECT_EQ(amount, 0.02f);
  EXPECT_EQ(alpha, 1u);
  EXPECT_EQ(twoSided, 1u);
  InstanceRef linen = Load(u"Root:Materials:Linen");
  ASSERT_EQ(material::GetColor(linen.get(), &colour), kRTSuccess);
  EXPECT_EQ(colour.a, 1.0f) << "alpha 1 when the colour gives three numbers";
  for (const char* path : {"Root:Materials:Skin", "Root:Materials:Linen"}) {
    InstanceRef copy;
    ASSERT_EQ(core().CreateInstanceByString(nullptr, material::kClassName, copy.out(), 0, 1), kRTSuccess);
    ASSERT_EQ(StreamIn(copy.get(), Stored(path)), kRTSuccess) << path;
    EXPECT_EQ(StreamedOut(copy.get()), Stored(path)) << path;
  }

  const uint32_t start = RefCount(skin.get());
  InstanceRef capsule = Load(u"Root:Meshes:Capsule");
  EXPECT_EQ(RefCount(skin.get()), start + 1);
  RTBool meshAlpha = 0;
  ASSERT_EQ(poly_model::HasAlpha(capsule.get(), &meshAlpha), kRTSuccess);
  EXPECT_EQ(meshAlpha, 1u);
  capsule.Reset();
  EXPECT_EQ(RefCount(skin.get()), start) << "the mesh gave its reference back";
}

TEST_F(PackedMeshes, ListingShowsEachMeshsCounts) {
  const auto outcome = Kivopack("list " + Quoted(pack_));
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("Root:Meshes:CapsuleOfStrips\tRTPolyModel\t"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("\t0 children\t80 vertices\t1 UV layers\t1 materials\t5 strips\t1 lists\t144 triangles\t"
                             "0 open edges\t216 shared edges\n"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("Root:Meshes:Tent\tRTPolyModel\t"), std::string::npos);
  EXPECT_NE(outcome.out.find("\t4 vertices\t2 UV layers\t2 materials\t1 strips\t1 lists\t2 triangles\t"),
            std::string::npos)
      << outcome.out;
}

TEST(KivopackMeshes, RefusesDescriptionsItCannotBuild) {
  tesk::testing::CoreHost host;
  for (const char* name : {"RTRenderable", "RTPolyModel", "RTMaterial"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
  tesk::testing::TempDir dir;
  const std::string material = R"({"path": "Root:M", "class": "RTMaterial"})";
  const struct {
    const char* what;
    std::string instance;
    const char* message;
  } cases[] = {
      {"a mesh into a material", R"({"path": "Root:X", "class": "RTMaterial", "mesh": {}})",
       "Root:X: a \"mesh\" is built only into an RTPolyModel or RTStaticLitMesh instance without \"data\""},
      {"a material into a mesh", R"({"path": "Root:X", "class": "RTPolyModel", "material": {}})",
       "Root:X: a \"material\" is set only on an RTMaterial instance without \"data\""},
      {"no materials", R"({"path": "Root:X", "class": "RTPolyModel", "mesh": {"box": {"size": [1, 1, 1]}}})",
       "Root:X: a \"mesh\" names its \"materials\""},
      {"a material that is none", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:Nowhere"], "box": {"size": [1, 1, 1]}}})",
       "Root:X: the material Root:Nowhere is no RTMaterial of the pack"},
      {"two shapes", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "box": {"size": [1, 1, 1]}, "vertices": [[0, 0, 0]]}})",
       "a \"mesh\" has one of \"box\", \"capsule\" and \"vertices\""},
      {"a flat box", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "box": {"size": [1, 0, 1]}}})",
       "a \"box\" has a \"size\" of three numbers above 0"},
      {"a capsule shorter than its caps", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "capsule": {"radius": 1, "height": 2, "segments": 8}}})",
       "a \"capsule\" has a \"radius\" above 0, a \"height\" above twice the radius"},
      {"strips of explicit triangles", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0]], "primitives": "strips"}})",
       "\"primitives\" is \"lists\" or \"strips\", for a box or a capsule"},
      {"an index past the vertices", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]],
                  "groups": [{"triangles": [[0, 1, 3]]}]}})",
       "group 0 has \"triangles\" of three vertex indices"},
      {"normals for fewer vertices", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0], [1, 0, 0]], "normals": [[0, 0, 1]]}})",
       "\"normals\" is a list of one [x, y, z] per vertex"},
      {"more groups than materials", R"({"path": "Root:X", "class": "RTPolyModel",
         "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0]], "groups": [{}, {}]}})",
       "\"groups\" is a list of at most one group per material"},
      {"a colour of two numbers", R"({"path": "Root:X", "class": "RTMaterial", "material": {"color": [1, 1]}})",
       "Root:X: \"color\" is three or four finite numbers"},
  };
  for (const auto& c : cases) {
    tesk::testing::WriteFile(dir.path() / "pack.json", R"({"instances": [)" + material + ", " + c.instance + "]}");
    const auto outcome = RunCommand(std::string(KIVOPACK) + " build " + Quoted((dir.path() / "pack.json").string()) +
                                        " " + Quoted((dir.path() / "out.kivopack").string()),
                                    dir.path());
    EXPECT_EQ(outcome.status, 1) << c.what;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.what << ": " << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.kivopack")) << c.what;
  }
}

}  // namespace
