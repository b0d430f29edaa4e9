// Lightmap baking: rooms whose meshes are static-lit floors (with occluders where a test needs
// them) lit by directional lights shining straight down, baked by Prelight and PrelightRoom; and
// the texel arithmetic and occlusion test underneath.
#include <algorithm>
#include <map>

#include "kivo/light/light_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "light_texels.h"
#include "lightmap_texels.h"
#include "mesh_fixture.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;
namespace lit = kivo::static_lit_mesh;
using meshtest::Shape;
using meshtest::V;
using Texels = std::vector<uint32_t>;

constexpr uint32_t kAmbient = 51 | 51 << 8 | 51 << 16;  // 0.2 a channel, lit
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr char16_t kSkewedLitMesh[] = u"RTSkewedLitMesh";

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

// The floor (0, 0, 0) to (side, 0, side) facing up, then the triangles given (up is +y for
// corners that run from -x -z towards +z and then +x).
Shape FloorWith(float side, std::vector<RTFVector3D> more = {}) {
  Shape shape{{V(0, 0, 0), V(side, 0, 0), V(side, 0, side), V(0, 0, side)}, {}, {{0, 3, 2, 0, 2, 1}}};
  for (const RTFVector3D& corner : more) {
    shape.lists[0].push_back(static_cast<uint32_t>(shape.vertices.size()));
    shape.vertices.push_back(corner);
  }
  return shape;
}

class Prelight : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (std::string_view name : {"RTPolyModel", "RTStaticLitMesh", "RTMaterial", "RTLight", "RTInfDirLight"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    host.InstallComponent(FixtureComponent("RTSkewedLitMesh"));
  }

  // A tree in design mode whose lightmap texels are 0.25 apart, unfiltered.
  void SetUp() override {
    SceneTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer_.out(), 1, nullptr),
              kRTSuccess);
    tree_ = MakeTree();
    ASSERT_EQ(tree_calls::EnableDesigning(tree_.get(), 1), kRTSuccess);
    ASSERT_EQ(tree_calls::SetLightmapRez(tree_.get(), 0.25f), kRTSuccess);
    SetProperty<RTBool>(tree_.get(), tree_calls::kFilterLightmapProperty, 0);
  }

  void TearDown() override {
    held_.clear();
    tree_.Reset();
    rasterizer_.Reset();
    SceneTest::TearDown();
  }

  InstanceRef& Hold(InstanceRef made) {
    held_.push_back(std::move(made));
    return held_.back();
  }

  RTInstance Make(const char16_t* className) {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, made.out(), 0, 1), kRTSuccess) << host_.ErrorLog();
    return Hold(std::move(made)).get();
  }

  // A room of the tree whose bounds node carries a static-lit mesh of the shape; the mesh.
  RTInstance LitRoom(const std::u16string& name, const Shape& shape, const char16_t* meshClass = lit::kClassName) {
    RTInstance room = Hold(MakeRoom(name.c_str(), At(-10, -1, -10), At(10, 20, 10))).get();
    RTInstance shell = Hold(MakeNode(u"shell", At(0, 0, 0), room)).get();
    RTInstance mesh = Make(meshClass);
    meshtest::Fill(rasterizer_.get(), mesh, shape, {Make(u"RTMaterial")});
    EXPECT_EQ(poly_model::ComputeShadowGeometry(mesh), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(shell, mesh), kRTSuccess);
    EXPECT_EQ(room::SetBoundsNode(room, shell), kRTSuccess);
    EXPECT_EQ(tree_calls::AddRoom(tree_.get(), room), kRTSuccess);
    rooms_[mesh] = room;
    return mesh;
  }

  // A directional light of the colour at `at`, shining straight down, in the mesh's room.
  void AddLight(RTInstance mesh, const RTFColorRGB& colour, const RTFVector3D& at) {
    const std::u16string name = u"light" + std::u16string(1, static_cast<char16_t>(u'a' + lights_++));
    RTInstance node = Hold(MakeNode(name.c_str(), at)).get();
    const RTFMatrix4x4 down{{{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}, {at.x, at.y, at.z, 1}}};
    EXPECT_EQ(scene_node::SetLocalMatrix(node, &down), kRTSuccess);
    RTInstance light = Make(light::kInfDirLightClass);
    EXPECT_EQ(light::SetColor(light, &colour), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(node, light), kRTSuccess);
    EXPECT_EQ(room::AddLight(rooms_[mesh], node), kRTSuccess);
  }

  // The texels of the mesh's first lightmap (the floor's), marks included.
  Texels FloorTexels(RTInstance mesh) {
    uint32_t count = 0;
    Lightmap* maps = nullptr;
    EXPECT_EQ(lit::GetLightmaps(mesh, 0, &count, &maps), kRTSuccess);
    if (count == 0) return {};
    return Texels(maps[0].texels, maps[0].texels + maps[0].stride * maps[0].bufferRows);
  }

  RTSuccess BakeRoomOf(RTInstance mesh) { return tree_calls::PrelightRoom(tree_.get(), rooms_[mesh]); }

  // The timing lines of the debug output, each shortened to "creating" or "lighting".
  std::vector<std::string> TimingLines() const {
    std::vector<std::string> lines;
    const std::string log = host_.DebugLog();
    for (size_t at = 0; at < log.size();) {
      const size_t end = std::min(log.find('\n', at), log.size());
      const std::string line = log.substr(at, end - at);
      if (line.find("Creating lightmaps took: ") != std::string::npos) lines.push_back("creating");
      if (line.find("Lighting took: ") != std::string::npos) lines.push_back("lighting");
      at = end + 1;
    }
    return lines;
  }

  bool Raised(const std::string& text) const { return host_.ErrorLog().find(text) != std::string::npos; }

  // The name with a number of its own, for rooms made in a loop.
  std::u16string Unique(const std::u16string& name) { return name + std::u16string(1, u'0' + names_++); }

  InstanceRef rasterizer_;
  InstanceRef tree_;
  std::map<RTInstance, RTInstance> rooms_;

 private:
  std::vector<InstanceRef> held_;
  int lights_ = 0;
  int names_ = 0;
};

TEST_F(Prelight, ASingleSampleAddsEachLightToTheAmbientClamped) {
  RTInstance floor = LitRoom(u"Ward", FloorWith(0.5f));
  AddLight(floor, {0.5f, 1.0f, 0.25f, 1}, At(0.25f, 3, 0.25f));
  ASSERT_EQ(BakeRoomOf(floor), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(FloorTexels(floor), Texels(9, Rgb(178, 255, 114))) << "51 + 127.5, 51 + 255, 51 + 63.75";
}

// A 4 x 4 floor lit from above its corner (0, 0, 0), a small triangle at height 1 shading that
// corner from it. A second light of colour 0, off to the side, reaches the corner all the same.
TEST_F(Prelight, AnUnreachedTexelTakesItsLitNeighboursMeanOrKeepsTheAmbient) {
  const struct {
    const char* what;
    bool blackLight;
    bool whiteLight;
    uint32_t corner;
    uint32_t others;
  } cases[] = {
      {"shaded: the mean of its lit neighbours", false, true, kWhite, kWhite},
      {"reached by a light of colour 0: lit in the ambient", true, true, kAmbient, kWhite},
      {"no light at all: the ambient", false, false, kAmbient, kAmbient},
  };
  for (const auto& c : cases) {
    RTInstance floor =
        LitRoom(Unique(u"Ward"), FloorWith(0.75f, {V(-0.1f, 1, -0.1f), V(-0.1f, 1, 0.1f), V(0.1f, 1, 0)}));
    if (c.whiteLight) AddLight(floor, {1, 1, 1, 1}, At(0, 2, 0));
    if (c.blackLight) AddLight(floor, {0, 0, 0, 1}, At(5, 2, 5));
    ASSERT_EQ(BakeRoomOf(floor), kRTSuccess) << c.what;
    const Texels texels = FloorTexels(floor);
    ASSERT_EQ(texels.size(), 16u) << c.what;
    EXPECT_EQ(texels[0], c.corner) << c.what;
    EXPECT_EQ(Texels(texels.begin() + 1, texels.end()), Texels(15, c.others)) << c.what;
    ASSERT_EQ(tree_calls::RemoveRoom(tree_.get(), rooms_[floor]), kRTSuccess);
  }
}

// Six samples around a light 10 above the floor's middle, the one 0.1 to its -x shaded by a small
// triangle just below: five samples of 127.5 add 635 / 6 to the ambient, where one sample from
// the light itself adds 127.5.
TEST_F(Prelight, SixSamplesAddTheirSumDividedBySix) {
  const struct {
    uint32_t samples;
    uint32_t channel;
  } cases[] = {{0, 51 + 127}, {1, 51 + 105}};
  for (const auto& c : cases) {
    RTInstance floor = LitRoom(Unique(u"Ward"),
                               FloorWith(0.5f, {V(0.1f, 9.95f, 0.15f), V(0.1f, 9.95f, 0.35f), V(0.2f, 9.95f, 0.25f)}));
    AddLight(floor, {0.5f, 0.5f, 0.5f, 1}, At(0.25f, 10, 0.25f));
    ASSERT_EQ(tree_calls::EnableStochasticLightingMode(tree_.get(), c.samples, 1), kRTSuccess);
    ASSERT_EQ(BakeRoomOf(floor), kRTSuccess);
    EXPECT_EQ(FloorTexels(floor), Texels(9, Rgb(c.channel, c.channel, c.channel))) << c.samples;
    ASSERT_EQ(tree_calls::RemoveRoom(tree_.get(), rooms_[floor]), kRTSuccess);
  }
}

TEST_F(Prelight, TheAmbientColourPacksEachChannelOnItsOwn) {
  RTInstance floor = LitRoom(u"Ward", FloorWith(0.5f));
  SetProperty(tree_.get(), tree_calls::kAmbientColorProperty, RTFColorRGB{1.5f, 0.5f, -0.2f, 0});
  ASSERT_EQ(BakeRoomOf(floor), kRTSuccess);
  EXPECT_EQ(FloorTexels(floor), Texels(9, Rgb(255, 127, 0)));
}

TEST_F(Prelight, FilteringSmoothsAllButTheBorder) {
  RTInstance floor = LitRoom(u"Ward", FloorWith(0.5f, {V(-0.1f, 1, -0.1f), V(-0.1f, 1, 0.1f), V(0.1f, 1, 0)}));
  AddLight(floor, {0.5f, 0.5f, 0.5f, 1}, At(0, 2, 0));
  AddLight(floor, {0.25f, 0.25f, 0.25f, 1}, At(5, 2, 5));
  SetProperty<RTBool>(tree_.get(), tree_calls::kFilterLightmapProperty, 1);
  ASSERT_EQ(BakeRoomOf(floor), kRTSuccess);
  // The corner takes only the second light, 51 + 63.75; every other texel both, 51 + 127.5 + 63.75
  // truncated on the way. Only the centre is smoothed.
  const uint32_t corner = Rgb(114, 114, 114), rest = Rgb(241, 241, 241);
  Texels expected(9, rest);
  expected[0] = corner;
  expected[4] = Rgb((114 + 8 * 241) / 9, (114 + 8 * 241) / 9, (114 + 8 * 241) / 9);
  EXPECT_EQ(FloorTexels(floor), expected);
}

TEST_F(Prelight, PrelightRoomBakesTheRoomThenItsFurtherRooms) {
  RTInstance ward = LitRoom(u"Ward", FloorWith(0.5f));
  RTInstance hall = LitRoom(u"Hall", FloorWith(0.5f));
  RTInstance store = LitRoom(u"Store", FloorWith(0.5f));
  for (const auto& [mesh, colour] : {std::pair{ward, 0.1f}, {hall, 0.2f}, {store, 0.3f}})
    AddLight(mesh, {colour, colour, colour, 1}, At(0.25f, 3, 0.25f));
  ASSERT_EQ(room::AddFurtherRoom(rooms_[ward], u"Hall"), kRTSuccess);
  ASSERT_EQ(room::AddFurtherRoom(rooms_[ward], u"Store"), kRTSuccess);
  ASSERT_EQ(room::AddFurtherRoom(rooms_[hall], u"Ward"), kRTSuccess);
  ASSERT_EQ(BakeRoomOf(ward), kRTSuccess);
  // The ward takes its further rooms' lights too; each of them only its own.
  EXPECT_EQ(FloorTexels(ward)[4], Rgb(51 + 152, 51 + 152, 51 + 152)) << "25.5 + 51 + 76.5, truncated on the way";
  EXPECT_EQ(FloorTexels(hall)[4], Rgb(51 + 51 + 25, 51 + 51 + 25, 51 + 51 + 25)) << "its own light and the ward's";
  EXPECT_EQ(FloorTexels(store)[4], Rgb(51 + 76, 51 + 76, 51 + 76));
  EXPECT_EQ(TimingLines(),
            (std::vector<std::string>{"creating", "creating", "lighting", "creating", "lighting", "lighting"}));
}

TEST_F(Prelight, DummyRoomsAreReportedAndLeftOut) {
  RTInstance ward = LitRoom(u"Ward", FloorWith(0.5f));
  RTInstance hall = LitRoom(u"Hall", FloorWith(0.5f));
  AddLight(ward, {1, 1, 1, 1}, At(0.25f, 3, 0.25f));
  AddLight(hall, {1, 1, 1, 1}, At(0.25f, 3, 0.25f));
  ASSERT_EQ(room::SetFlags(rooms_[hall], room::kDisabled), kRTSuccess);

  EXPECT_EQ(BakeRoomOf(hall), kRTSuccess);
  EXPECT_TRUE(Raised("RTTeskSceneTree::PrelightRoom(): Cannot light dummy room."));
  EXPECT_TRUE(FloorTexels(hall).empty()) << "no lightmaps were made";

  EXPECT_EQ(tree_calls::Prelight(tree_.get()), kRTSuccess);
  EXPECT_TRUE(Raised("RTTeskSceneTree::Prelight(): Cannot light dummy room."));
  EXPECT_EQ(FloorTexels(ward), Texels(9, kWhite));
  EXPECT_TRUE(FloorTexels(hall).empty());
  EXPECT_EQ(TimingLines(), (std::vector<std::string>{"creating", "lighting"}));
}

TEST_F(Prelight, OutsideDesignModeNothingIsBaked) {
  RTInstance floor = LitRoom(u"Ward", FloorWith(0.5f));
  ASSERT_EQ(tree_calls::EnableDesigning(tree_.get(), 0), kRTSuccess);
  EXPECT_EQ(BakeRoomOf(floor), kRTFailure);
  EXPECT_TRUE(Raised("RTTeskSceneTree::Prelight(): Scene tree needs to be in design mode!"));
  EXPECT_EQ(tree_calls::Prelight(tree_.get()), kRTFailure);
  EXPECT_TRUE(Raised("RTTeskSceneTree::Prelight() -- Scene tree needs to be in design mode!"));
  EXPECT_TRUE(FloorTexels(floor).empty());
  EXPECT_TRUE(TimingLines().empty());
}

// The first lightmap claims a texel more a row than its buffer holds: it is left out, the others
// are baked.
TEST_F(Prelight, ALightmapWiderThanItsBufferIsLeftOut) {
  RTInstance floor = LitRoom(u"Ward", FloorWith(0.5f, {V(2, 1, 2), V(2, 1, 3), V(3, 1, 3)}), kSkewedLitMesh);
  AddLight(floor, {1, 1, 1, 1}, At(0.25f, 3, 0.25f));
  ASSERT_EQ(BakeRoomOf(floor), kRTSuccess);
  EXPECT_TRUE(
      Raised("RTTeskSceneTree::PrelightRoom(): lightmap 0 of group 0, 4 x 3 texels, does not fit its buffer "
             "of 3 x 3; it is left out"))
      << host_.ErrorLog();
  uint32_t count = 0;
  Lightmap* maps = nullptr;
  ASSERT_EQ(lit::GetLightmaps(floor, 0, &count, &maps), kRTSuccess);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(maps[0].texels[0], kAmbient | lit::kUnlitMark) << "filled, never lit";
  EXPECT_EQ(maps[1].texels[0], kWhite) << "the triangle above is lit";
}

// The texel arithmetic on hand-made buffers.
TEST(LightmapTexels, DilationGivesAMarkedTexelItsLitNeighboursMeanInOneSweep) {
  constexpr uint32_t kMarked = lit::kUnlitMark;
  // A 3 x 2 buffer: the marked middle of the top row between lit texels of different colours;
  // the marked right of the bottom row next to the middle only, which is marked too.
  const Texels texels = {Rgb(10, 20, 30), kMarked | Rgb(1, 1, 1), Rgb(40, 50, 60),
                         Rgb(100, 0, 0),  kMarked | Rgb(2, 2, 2), kMarked | Rgb(3, 3, 3)};
  const Texels dilated = tesk::scene_tree::Dilate(texels.data(), 3, 2);
  EXPECT_EQ(dilated[1], Rgb((10 + 40 + 100) / 3, (20 + 50) / 3, (30 + 60) / 3)) << "its three lit neighbours";
  EXPECT_EQ(dilated[4], dilated[1]) << "the same three";
  EXPECT_EQ(dilated[5], Rgb(40, 50, 60)) << "the one neighbour lit before the sweep";
  EXPECT_EQ(dilated[0], texels[0]);

  const Texels alone = {kMarked | Rgb(7, 8, 9)};
  EXPECT_EQ(tesk::scene_tree::Dilate(alone.data(), 1, 1), Texels{Rgb(7, 8, 9)}) << "no lit neighbour: its colour";
}

TEST(LightmapTexels, TheFilterChangesOnlyTexelsInsideTheBorder) {
  Texels texels(15);
  for (uint32_t i = 0; i < 15; ++i) texels[i] = Rgb(i * i, i, 0);
  texels[4] |= lit::kUnlitMark;
  // A 3 x 3 lightmap in a buffer of 5 x 3: columns 3 and 4 lie beyond its width.
  Lightmap map{};
  map.width = map.height = map.bufferRows = 3;
  map.stride = 5;
  const Texels filtered = tesk::scene_tree::Filter(texels.data(), map);
  Texels expected = texels;
  expected[6] = Rgb(480 / 9, 54 / 9, 0);  // over texels 0, 1, 2, 5, 6, 7, 10, 11 and 12
  EXPECT_EQ(filtered, expected);
}

TEST(LightmapTexels, EachLightAddsToItsChannelsClamped) {
  EXPECT_EQ(tesk::scene_tree::AddLight(lit::kUnlitMark | Rgb(51, 51, 250), 0.5f, 0, 1), Rgb(178, 51, 255));
  EXPECT_EQ(tesk::scene_tree::AddLight(lit::kUnlitMark | Rgb(51, 51, 51), 0, 0, 0), Rgb(51, 51, 51))
      << "a colour of 0 clears the mark only";
  tesk::scene_tree::SampleSums none;
  EXPECT_EQ(tesk::scene_tree::AddSamples(lit::kUnlitMark | Rgb(9, 8, 7), none), Rgb(9, 8, 7));
}

// The way from a light at (0, 1000, 0) down to the origin, and a triangle across it at a height.
class Occluder : public Prelight {
 protected:
  bool Occludes(float height, bool facingUp) {
    Shape occluder = FloorWith(0.5f, facingUp ? std::vector{V(-4, height, -4), V(-4, height, 4), V(4, height, 0)}
                                              : std::vector{V(-4, height, -4), V(4, height, 0), V(-4, height, 4)});
    RTInstance mesh = LitRoom(Unique(u"Ward"), occluder);
    const bool hit = tesk::scene_tree::SegmentHitsRoomGeometry(rooms_[mesh], At(0, 1000, 0), At(0, 0, 0));
    EXPECT_EQ(tree_calls::RemoveRoom(tree_.get(), rooms_[mesh]), kRTSuccess);
    return hit;
  }
};

TEST_F(Occluder, OnlyATriangleFacingTheLightStrictlyBetweenTheEndsOccludes) {
  const struct {
    const char* what;
    float height;
    bool facingUp;
    bool occludes;
  } cases[] = {
      {"halfway", 500, true, true},
      {"at t = 0.002", 998, true, true},
      {"at t = 0.001", 999, true, false},
      {"at t = 0.999", 1, true, false},
      {"halfway, seen from behind", 500, false, false},
  };
  for (const auto& c : cases) EXPECT_EQ(Occludes(c.height, c.facingUp), c.occludes) << c.what;
}

}  // namespace
