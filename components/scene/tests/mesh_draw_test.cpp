// The mesh's fixed-function draw path through the recording software rasterizer: the order of
// its calls, the groups of each stage and their material switches, the vertex colours under the
// ambient colour, lights and the colour multiplier, textures, the state put back when a texture
// fails, and the overlays.
#include <algorithm>
#include <cmath>

#include "host/stream_bytes.h"
#include "kivo/light/light_calls.h"
#include "kivo/material/material_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"
#include "mesh_draw_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
namespace r = kivo::rasterizer;

const std::string kQuadList =
    "DrawPrimitive(primitive {kind 0x104, material 0, count 2, indices [6: 0, 1, 2, 0, 2, 3]}) -> 1";
const Lines kUntextured = {"SelectTextureUnit(0) -> 1", "EnableTexCoordArray(0) -> 1", "EnableTexturing(0) -> 1"};
const Lines kPutBack = {"PopWorldMatrix() -> 1", "EnableTexturing(0) -> 1", "EnableColorArray(0) -> 1",
                        "EnableBlending(0) -> 1"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The calls that draw the groups: those after the vertex colours are switched on, up to the
// model matrix popped; primitives without their serial numbers.
Lines GroupCalls(const Lines& lines) {
  const auto colours = std::find(lines.begin(), lines.end(), "EnableColorArray(1) -> 1");
  const auto pop = std::find(lines.begin(), lines.end(), "PopWorldMatrix() -> 1");
  Lines calls = colours < pop ? Lines(colours + 1, pop) : Lines{};
  for (std::string& call : calls) {
    const size_t serial = call.find("primitive ");
    if (serial != std::string::npos) call.erase(serial + 10, call.find(' ', serial + 10) - serial - 9);
  }
  return calls;
}

size_t CountOf(const Lines& lines, const std::string& prefix) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

void ExpectColour(const RTFColorRGB& actual, const RTFColorRGB& expected, const std::string& where) {
  EXPECT_NEAR(actual.r, expected.r, 1e-6f) << where;
  EXPECT_NEAR(actual.g, expected.g, 1e-6f) << where;
  EXPECT_NEAR(actual.b, expected.b, 1e-6f) << where;
  EXPECT_NEAR(actual.a, expected.a, 1e-6f) << where;
}

constexpr RTFColorRGB kGrey{0.1f, 0.1f, 0.1f, 1.0f};

class MeshDrawing : public MeshDraw {
 protected:
  RTInstance Identity() {
    RTFMatrix4x4 identity;
    Mat4Identity(&identity);
    return NewNode(identity);
  }
  RTInstance Material(RTBool alpha = 0) {
    RTInstance made = New(material::kClassName);
    EXPECT_EQ(material::SetAlpha(made, alpha), kRTSuccess);
    return made;
  }
};

TEST_F(MeshDrawing, DrawsUnderItsNodesMatrixInTheAmbientColourThenPutsTheStateBack) {
  RTInstance quad = NewQuad(Material());
  ASSERT_EQ(
      poly_model::AddPrimitive(quad, r::kTriangleStrip, NewPrimitive(rasterizer(), r::kTriangleStrip, 0, {0, 1, 3, 2})),
      kRTSuccess);
  const Lines lines = Draw(quad, Frame(NewNode(Translation(5, 0, 0)), {0.25f, 0.5f, 0.75f, 1.0f}));
  const Lines setUp = {
      "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1]) -> 1",
      "SetVertexArray([4: (0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)]) -> 1",
      "EnableColorArray(0) -> 1",
      "SelectTextureUnit(1) -> 1",
      "EnableTexturing(0) -> 1",
      "EnableTexCoordArray(0) -> 1",
      "SelectTextureUnit(0) -> 1",
      "EnableTexturing(0) -> 1",
      "SetColorFromArray([3: 0.25, 0.5, 0.75]) -> 1",
      "SetColorArray([4: (0.25, 0.5, 0.75, 1), (0.25, 0.5, 0.75, 1), (0.25, 0.5, 0.75, 1), (0.25, 0.5, 0.75, 1)]) -> 1",
      "EnableColorArray(1) -> 1",
  };
  const Lines group = {
      "EnableCulling(1) -> 1",
      "EnableColorArray(1) -> 1",
  };
  const Lines draws = {
      "DrawStrips([1: primitive 2 {kind 0x102, material 0, count 4, indices [4: 0, 1, 3, 2]}]) -> 1",
      "DrawPrimitive(primitive 1 {kind 0x104, material 0, count 2, indices [6: 0, 1, 2, 0, 2, 3]}) -> 1",
  };
  EXPECT_EQ(lines, Join({setUp, group, kUntextured, draws, kPutBack}));
}

TEST_F(MeshDrawing, EachStageDrawsItsGroupsWithTheirMaterialsSwitches) {
  struct Case {
    const char* description;
    RTBool alpha;
    RTBool deferred;
    RTBool visible;
    RTBool twoSided;
    float selfIllumination;
    Lines calls;
  };
  const Lines lit = Join({{"EnableCulling(1) -> 1", "EnableColorArray(1) -> 1"}, kUntextured, {kQuadList}});
  const Lines blended = {"EnableBlending(1) -> 1", "SetBlendFunc(0x302, 0x303) -> 1"};
  const Case cases[] = {
      {"opaque in the normal stage", 0, 0, 1, 0, 0.0f, lit},
      {"opaque in the deferred stage", 0, 1, 1, 0, 0.0f, {}},
      {"alpha in the normal stage", 1, 0, 1, 0, 0.0f, {}},
      {"alpha in the deferred stage, blended", 1, 1, 1, 0, 0.0f, Join({blended, lit})},
      {"invisible", 0, 0, 0, 0, 0.0f, {}},
      {"two-sided", 0, 0, 1, 1, 0.0f,
       Join({{"EnableCulling(0) -> 1", "EnableColorArray(1) -> 1"}, kUntextured, {kQuadList}})},
      {"self-illuminated at 0.01: vertex colours", 0, 0, 1, 0, 0.01f, lit},
      {"self-illuminated at 0.02: constant white", 0, 0, 1, 0, 0.02f,
       Join({{"EnableCulling(1) -> 1", "EnableColorArray(0) -> 1", "SetColorRGBA(1, 1, 1, 1) -> 1"},
             kUntextured,
             {kQuadList}})},
  };
  for (const Case& c : cases) {
    RTInstance material = Material(c.alpha);
    ASSERT_EQ(material::SetVisible(material, c.visible), kRTSuccess);
    ASSERT_EQ(material::SetTwoSided(material, c.twoSided), kRTSuccess);
    ASSERT_EQ(material::SetSelfIllumination(material, c.selfIllumination), kRTSuccess);
    RTInstance quad = NewQuad(material);
    RTSceneNodeEntityFrameInformation frame = Frame(Identity(), kGrey);
    frame.deferred = c.deferred;
    const Lines lines = Draw(quad, frame);
    EXPECT_EQ(GroupCalls(lines), c.calls) << c.description;
    EXPECT_EQ(CountOf(lines, "PushWorldMatrix"), 1u) << c.description;
    EXPECT_TRUE(std::equal(kPutBack.rbegin(), kPutBack.rend(), lines.rbegin())) << c.description;
  }
}

TEST_F(MeshDrawing, AGroupStreamedInWithoutPrimitivesIsNeverDrawn) {
  RTInstance made = New(poly_model::kClassName);
  Fill(rasterizer(), made, Quad(), {Material(), Material()});  // every primitive in the first group
  InstanceRef out = tesk::testing::MemoryStreamWith("");
  ASSERT_EQ(component::StreamOut(made, component::kStreamWhole, out.get()), kRTSuccess);
  InstanceRef in = tesk::testing::MemoryStreamWith(tesk::testing::MemoryStreamBytes(out.get()));
  RTInstance loaded = New(poly_model::kClassName);
  ASSERT_EQ(component::StreamIn(loaded, component::kStreamWhole, in.get()), kRTSuccess) << host_.ErrorLog();

  const Lines lines = Draw(loaded, Frame(Identity(), kGrey));
  EXPECT_EQ(CountOf(lines, "EnableCulling"), 1u) << "the first group only";
  EXPECT_EQ(CountOf(lines, "DrawPrimitive"), 1u);
}

TEST_F(MeshDrawing, VertexColoursAreTheAmbientAndLightsTimesTheMultiplierClamped) {
  struct Case {
    const char* description;
    RTFColorRGB ambient;
    bool light;  // a white directional light straight onto the square
    RTFColorRGB multiplier;
    RTFColorRGB expected;
  };
  const Case cases[] = {
      {"ambient, halved", {0.2f, 0.4f, 0.6f, 1.0f}, false, {0.5f, 0.5f, 0.5f, 1.0f}, {0.1f, 0.2f, 0.3f, 1.0f}},
      {"lit above 1, clamped", {0.5f, 0.5f, 0.5f, 1.0f}, true, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}},
      {"lit above 1, halved", {0.5f, 0.5f, 0.5f, 1.0f}, true, {0.5f, 0.5f, 0.5f, 1.0f}, {0.75f, 0.75f, 0.75f, 1.0f}},
      {"each component its own, alpha too",
       {0.4f, 0.4f, 0.4f, 0.5f},
       false,
       {2.0f, 3.0f, 0.5f, 4.0f},
       {0.8f, 1.0f, 0.2f, 1.0f}},
      {"the ambient's alpha 0 ignored, the multiplier's fades",
       {0.4f, 0.4f, 0.4f, 0.0f},
       false,
       {1.0f, 1.0f, 1.0f, 0.5f},
       {0.4f, 0.4f, 0.4f, 0.5f}},
  };
  const std::vector<RTInstance> overhead = {NewLightNode(light::kClassName, {1, 1, 1, 1}, Translation(0, 0, 0))};
  for (const Case& c : cases) {
    RTInstance quad = NewQuad(Material());
    ASSERT_EQ(poly_model::SetColorMultiplierFVRGBA(quad, &c.multiplier), kRTSuccess);
    Draw(quad, Frame(Identity(), c.ambient, c.light ? overhead : std::vector<RTInstance>{}));
    for (const RTFColorRGB& colour : Colours(quad)) ExpectColour(colour, c.expected, c.description);
  }
}

// The square's node stands at (5, 0, 0) turned a quarter about z, so that its x axis points
// along the world's y; a directional light tilted 60 degrees from its normal and a point light 2
// above the point (1, 0) of the square light it in its own space.
TEST_F(MeshDrawing, LightsAddTheirPartInTheMeshsSpace) {
  RTFMatrix4x4 tilted;
  Mat4RotationX(&tilted, 60.0f * 3.14159265f / 180.0f);
  Mat4SetTranslation(&tilted, V(-40, 7, 3));  // a directional light's position does not count
  const RTInstance directional = NewLightNode(light::kClassName, {0.6f, 0.4f, 0.2f, 1}, tilted);
  const RTInstance point = NewLightNode(light::kPointLightClass, {0.5f, 0.5f, 0.5f, 1}, Translation(5, 1, 2));
  const RTInstance dark = Identity();  // a node without a light adds nothing
  const RTFMatrix4x4 turned{{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {5, 0, 0, 1}}};

  // Lambert times the linear falloff over the range of 10.
  auto pointPart = [](float x, float y) {
    const float distance = std::sqrt((1 - x) * (1 - x) + y * y + 4.0f);
    return (2.0f / distance) * (1.0f - distance / 10.0f) * 0.5f;
  };
  const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  struct Case {
    const char* description;
    std::vector<RTInstance> lights;
    bool directionalLights;
    bool pointLights;
  };
  const Case cases[] = {
      {"directional", {directional}, true, false},
      {"point", {point}, false, true},
      {"both, and a node without a light", {dark, directional, point}, true, true},
  };
  for (const Case& c : cases) {
    RTInstance quad = NewQuad(Material());
    Draw(quad, Frame(NewNode(turned), kGrey, c.lights));
    const std::vector<RTFColorRGB> colours = Colours(quad);
    ASSERT_EQ(colours.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      const float fromPoint = c.pointLights ? pointPart(corners[i][0], corners[i][1]) : 0.0f;
      const float cos60 = c.directionalLights ? 0.5f : 0.0f;
      const RTFColorRGB expected{0.1f + 0.6f * cos60 + fromPoint, 0.1f + 0.4f * cos60 + fromPoint,
                                 0.1f + 0.2f * cos60 + fromPoint, 1.0f};
      ExpectColour(colours[i], expected, std::string(c.description) + ", vertex " + std::to_string(i));
    }
  }
}

// Lighting needs a normal for every vertex: with fewer the lights are left out.
TEST_F(MeshDrawing, AMeshWithoutANormalForEachVertexDrawsInTheAmbientColour) {
  const std::vector<RTInstance> overhead = {NewLightNode(light::kClassName, {1, 1, 1, 1}, Translation(0, 0, 0))};
  const RTFColorRGB multiplier{0.5f, 1.0f, 1.0f, 1.0f};
  for (uint32_t normals : {0u, 3u}) {
    RTInstance mesh = New(poly_model::kClassName);
    Fill(rasterizer(), mesh, Quad(), {Material()});
    const std::vector<RTFVector3D> up(normals, V(0, 0, 1));
    ASSERT_EQ(poly_model::SetNormalListF(mesh, up.data(), normals), kRTSuccess);
    ASSERT_EQ(poly_model::SetColorMultiplierFVRGBA(mesh, &multiplier), kRTSuccess);
    const Lines lines = Draw(mesh, Frame(Identity(), {0.2f, 0.4f, 0.6f, 1.0f}, overhead));
    EXPECT_EQ(CountOf(lines, "DrawPrimitive"), 1u) << normals << " normals";
    for (const RTFColorRGB& colour : Colours(mesh))
      ExpectColour(colour, {0.1f, 0.4f, 0.6f, 1.0f}, std::to_string(normals) + " normals");
  }
}

TEST_F(MeshDrawing, AMeshWithoutVerticesMakesNoCall) {
  RTInstance mesh = New(poly_model::kClassName);
  ASSERT_EQ(poly_model::DisplayNormals(mesh, 1), kRTSuccess);
  RTSceneNodeEntityFrameInformation frame = Frame(Identity(), kGrey);
  frame.showBounds = 1;
  EXPECT_EQ(Draw(mesh, frame), Lines{});
}

// The diffuse texture is drawn over UV layer 0 only when the layer covers every vertex.
TEST_F(MeshDrawing, ATexturedGroupNeedsCoordinatesForEveryVertex) {
  RTInstance material = Material();
  const std::vector<uint8_t> png = tesk::testing::TinyPng();
  ASSERT_EQ(material::SetImage(material, material::kDiffuseImage, png.data(), static_cast<uint32_t>(png.size())),
            kRTSuccess);
  material::Texture texture = 0;
  ASSERT_EQ(material::GetDiffuseTexture(material, &texture), kRTSuccess) << host_.ErrorLog();
  const RTFVector2D uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const Lines textured = {"SelectTextureUnit(0) -> 1", "BindTexture(" + std::to_string(texture) + ") -> 1",
                          "EnableTexCoordArray(1) -> 1", "SetTexCoordArray([4: (0, 0), (1, 0), (1, 1), (0, 1)]) -> 1",
                          "EnableTexturing(1) -> 1"};
  struct Case {
    uint32_t coordinates;
    Lines texture;
  };
  for (const Case& c : {Case{4, textured}, Case{3, kUntextured}}) {
    RTInstance quad = NewQuad(material);
    ASSERT_EQ(poly_model::SetUVListF(quad, 0, uv, c.coordinates), kRTSuccess);
    EXPECT_EQ(GroupCalls(Draw(quad, Frame(Identity(), kGrey))),
              Join({{"EnableCulling(1) -> 1", "EnableColorArray(1) -> 1"}, c.texture, {kQuadList}}))
        << c.coordinates << " coordinates";
  }
}

TEST_F(MeshDrawing, AFailingDiffuseTextureGivesZeroWithTheStatePutBack) {
  RTInstance broken = Material();
  const uint8_t notAnImage[] = "not an image";
  ASSERT_EQ(material::SetImage(broken, material::kDiffuseImage, notAnImage, sizeof notAnImage), kRTSuccess);
  RTInstance mesh = New(poly_model::kClassName);
  Fill(rasterizer(), mesh, Quad(), {broken, Material()});
  const RTFVector2D uv[4] = {};
  ASSERT_EQ(poly_model::SetUVListF(mesh, 0, uv, 4), kRTSuccess);

  const Lines lines = Draw(mesh, Frame(Identity(), kGrey), kRTFailure);
  EXPECT_EQ(CountOf(lines, "PushWorldMatrix"), 1u);
  EXPECT_EQ(CountOf(lines, "DrawPrimitive"), 0u);
  EXPECT_EQ(CountOf(lines, "EnableCulling"), 1u) << "the groups after it are not drawn";
  EXPECT_TRUE(std::equal(kPutBack.rbegin(), kPutBack.rend(), lines.rbegin()));
}

// Normals, tangents and the box are lines in the mesh's space, under its node's matrix.
TEST_F(MeshDrawing, OverlaysDrawUnderTheNodesMatrix) {
  RTInstance quad = NewQuad(Material());
  const std::vector<RTFVector3D> normals(6, V(0, 0, 1));  // more normals than vertices
  ASSERT_EQ(poly_model::SetNormalListF(quad, normals.data(), 6), kRTSuccess);
  ASSERT_EQ(poly_model::DisplayNormals(quad, 1), kRTSuccess);
  ASSERT_EQ(poly_model::DisplayTangents(quad, 1), kRTSuccess);
  ASSERT_EQ(poly_model::DisplayNormalLength(quad, 0.5f), kRTSuccess);
  RTSceneNodeEntityFrameInformation frame = Frame(NewNode(Translation(5, 0, 0)), kGrey);
  frame.showBounds = 1;

  const Lines lines = Draw(quad, frame);
  const auto overlays = std::find(lines.begin(), lines.end(), kPutBack.back()) + 1;
  // The box from (0, 0, 0) to (1, 1, 0): each corner joined to those one axis further out.
  const char* edges[12][2] = {{"0, 0, 0", "1, 0, 0"}, {"0, 0, 0", "0, 1, 0"}, {"0, 0, 0", "0, 0, 0"},
                              {"1, 0, 0", "1, 1, 0"}, {"1, 0, 0", "1, 0, 0"}, {"0, 1, 0", "1, 1, 0"},
                              {"0, 1, 0", "0, 1, 0"}, {"1, 1, 0", "1, 1, 0"}, {"0, 0, 0", "1, 0, 0"},
                              {"0, 0, 0", "0, 1, 0"}, {"1, 0, 0", "1, 1, 0"}, {"0, 1, 0", "1, 1, 0"}};
  Lines box;
  for (const auto& edge : edges)
    for (const char* end : edge) box.push_back(std::string("Vertex3(") + end + ") -> 1");
  const Lines normalLines = {
      "PushWorldMatrix([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1]) -> 1",
      "SetVertexColor(1, 0, 0) -> 1",
      "BeginPrimitive(0x105) -> 1",
      "VertexVector((0, 0, 0)) -> 1",
      "Vertex3(0, 0, 0.5) -> 1",
      "VertexVector((1, 0, 0)) -> 1",
      "Vertex3(1, 0, 0.5) -> 1",
      "VertexVector((1, 1, 0)) -> 1",
      "Vertex3(1, 1, 0.5) -> 1",
      "VertexVector((0, 1, 0)) -> 1",
      "Vertex3(0, 1, 0.5) -> 1",
      "EndPrimitive() -> 1",
  };
  const Lines noTangents = {"SetVertexColor(0, 1, 0) -> 1", "BeginPrimitive(0x105) -> 1", "EndPrimitive() -> 1"};
  EXPECT_EQ(Lines(overlays, lines.end()), Join({normalLines,
                                                noTangents,
                                                {"SetColor(1, 1, 1) -> 1", "BeginPrimitive(0x105) -> 1"},
                                                box,
                                                {"EndPrimitive() -> 1", "PopWorldMatrix() -> 1"}}));
}

// The colours reach the picture: a square over the middle of the frame in the ambient colour.
TEST_F(MeshDrawing, TheSquareShowsInItsVertexColours) {
  RTInstance material = Material();
  ASSERT_EQ(material::SetTwoSided(material, 1), kRTSuccess);  // the screen box turns y over
  RTInstance quad = NewQuad(material);
  RTFMatrix4x4 placement;
  Mat4Identity(&placement);
  placement.m[0][0] = placement.m[1][1] = 32.0f;
  Mat4SetTranslation(&placement, V(16, 8, 0));
  const RTSceneNodeEntityFrameInformation frame = Frame(NewNode(placement), {0.2f, 0.4f, 0.6f, 1.0f});

  BeginClearedFrame(0x000000);
  ScreenBox();
  ASSERT_EQ(renderable::ProcessFrame(quad, 0, &frame), kRTSuccess);
  const tesk::testing::Picture picture = Shoot();
  EXPECT_EQ(picture.At(32, 24), 0x336699u);
  EXPECT_EQ(picture.CountOther(0x000000, 0, 0, kWidth, kHeight), 32 * 32);
}

}  // namespace
