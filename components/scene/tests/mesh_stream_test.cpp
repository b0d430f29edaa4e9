// The mesh's stream: hand-written streams of each version read to the state they describe, round
// trips, and damaged streams refused with the mesh and its materials unchanged.
#include <cmath>
#include <string>

#include "kivo/material/material_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/component_calls.h"
#include "mesh_fixture.h"

namespace {

using namespace meshtest;
using namespace kivo;
using tesk::testing::StreamBytes;
namespace r = kivo::rasterizer;

// The fields of a hand-written stream of the quad (Quad()) with one material, "Root:Linen".
struct Fields {
  uint32_t version = 1798;
  std::vector<RTFVector3D> vertices = Quad().vertices;
  uint32_t lead = 0;
  uint32_t stripKind = r::kTriangleStrip;
  Indices strip;  // none when empty
  uint32_t listMaterial = 0;
  Indices list = {0, 1, 2, 0, 2, 3};
  uint8_t alpha = 1;
  std::vector<RTFVector3D> normals = std::vector<RTFVector3D>(4, V(1, 0, 0));
  Indices triangles = {0, 1, 2, 0, 2, 3};
  Indices flat = {0, 1, 2, 0, 2, 3};
};

constexpr float kStoredPlaneD = 7;  // no plane the mesh computes for the quad has this d

std::string MeshBytes(const Fields& f) {
  StreamBytes b;
  b.U32(1).U32(f.version).U32(static_cast<uint32_t>(f.vertices.size()));
  for (const RTFVector3D& v : f.vertices) b.F32(v.x).F32(v.y).F32(v.z);
  b.U32(0).U32(1).U32(4);
  for (float uv : {0, 0, 1, 0, 1, 1, 0, 1}) b.F32(uv);
  b.U32(1).Wide(u"Root:Linen").U32(f.lead).U32(f.strip.empty() ? 0 : 1);
  if (!f.strip.empty()) WritePrimitive(b, f.stripKind, 0, f.strip);
  b.U32(1);
  WritePrimitive(b, r::kTriangleList, f.listMaterial, f.list);
  if (f.version >= 1798) b.U8(f.alpha);
  if (f.version >= 1537) {
    b.U32(static_cast<uint32_t>(f.normals.size()));
    for (const RTFVector3D& n : f.normals) b.F32(n.x).F32(n.y).F32(n.z);
    b.U32(0);
  }
  if (f.version >= 1793) {
    b.U32(static_cast<uint32_t>(f.triangles.size() / 3));
    for (size_t t = 0; t < f.triangles.size(); t += 3)
      b.U32(f.triangles[t]).U32(f.triangles[t + 1]).U32(f.triangles[t + 2]).F32(0).F32(0).F32(1).F32(kStoredPlaneD);
    WritePrimitive(b, r::kTriangleList, 0, f.flat);
  }
  return b.bytes();
}

class MeshStream : public MeshTest {
 protected:
  void SetUp() override {
    MeshTest::SetUp();
    if (HasFatalFailure()) return;
    linen_ = NewMaterial(u"Linen");
    ASSERT_EQ(material::SetAlpha(linen_, 1), kRTSuccess);
  }

  RTInstance linen_ = nullptr;
};

TEST_F(MeshStream, EachVersionReadsItsFields) {
  const struct {
    uint32_t version;
    bool cleaned;      // CleanGeometry built the shadow geometry and the normals
    uint32_t hasAlpha;  // from version 1798 the material's own state
  } cases[] = {{1536, true, 0}, {1537, true, 0}, {1792, true, 0}, {1793, false, 0}, {1798, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    Fields fields;
    fields.version = c.version;
    fields.alpha = 0;
    fields.normals.assign(4, V(2, 0, 0));
    RTInstance mesh = NewMesh();
    const size_t cleanedBefore = TimesLogged("CLEAN GEOMETRY!");
    ASSERT_EQ(StreamIn(mesh, MeshBytes(fields)), kRTSuccess) << host_.DebugLog();
    EXPECT_EQ(TimesLogged("CLEAN GEOMETRY!") - cleanedBefore, c.cleaned ? 1u : 0u);

    const PolyModelState* state = poly_model::StateOf(mesh);
    EXPECT_EQ(state->vertexCount, 4u);
    EXPECT_EQ(state->uvLayerMask, 1u);
    EXPECT_EQ(state->uvLayers[0].coordinates[2].x, 1.0f);
    ASSERT_EQ(state->materialCount, 1u);
    EXPECT_EQ(state->materials[0], linen_);
    EXPECT_EQ(state->groups[0].listCount, 1u);
    EXPECT_EQ(state->groups[0].empty, 0u);
    EXPECT_EQ(state->groups[0].hasAlpha, c.hasAlpha);
    ASSERT_EQ(state->normalCount, 4u);
    // Read normals are normalised; CleanGeometry puts the face normal in their place.
    EXPECT_EQ(state->normals[3].x, c.cleaned ? 0.0f : 1.0f);
    EXPECT_EQ(state->normals[3].z, c.cleaned ? 1.0f : 0.0f);
    ASSERT_EQ(state->triangleCount, 2u);
    EXPECT_EQ(state->triangles[1].plane.d, c.cleaned ? 0.0f : kStoredPlaneD) << "stored triangles are taken as read";
    EXPECT_EQ(state->openEdgeCount, 4u) << "the edges are built for read triangles too";
    EXPECT_EQ(state->sharedEdgeCount, 1u);
    ASSERT_NE(state->flatTriangles, nullptr);
    EXPECT_EQ(state->flatTriangles->count, 2u);
  }
}

TEST_F(MeshStream, RoundTripsByteForByte) {
  const std::string bytes = MeshBytes(Fields{});
  RTInstance mesh = NewMesh();
  ASSERT_EQ(StreamIn(mesh, bytes), kRTSuccess) << host_.DebugLog();
  EXPECT_EQ(StreamedOut(mesh), bytes);

  // A mesh without shadow geometry builds it before it is written. Reading normalises the normals
  // it computed, which may move their last bit once; from then on the bytes stay.
  RTInstance box = NewMesh();
  Fill(Rasterizer(), box, SplitBox(), {NewMaterial(u"Steel")});
  const std::string first = StreamedOut(box);
  EXPECT_TRUE(Logged("CLEAN GEOMETRY!"));
  EXPECT_EQ(poly_model::StateOf(box)->triangleCount, 12u);
  RTInstance copy = NewMesh();
  ASSERT_EQ(StreamIn(copy, first), kRTSuccess);
  const std::string second = StreamedOut(copy);
  EXPECT_EQ(second.size(), first.size());
  ASSERT_EQ(StreamIn(copy, second), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy), second);
}

TEST_F(MeshStream, MaterialsAreHeldOnceAndUnknownOnesReplaced) {
  const uint32_t start = RefCount(linen_);
  RTInstance mesh = NewMesh();
  ASSERT_EQ(StreamIn(mesh, MeshBytes(Fields{})), kRTSuccess);
  EXPECT_EQ(RefCount(linen_), start + 1);
  ASSERT_EQ(StreamIn(mesh, MeshBytes(Fields{})), kRTSuccess);
  EXPECT_EQ(RefCount(linen_), start + 1) << "read again";
  Release(mesh);
  EXPECT_EQ(RefCount(linen_), start);

  std::string elsewhere = MeshBytes(Fields{});
  elsewhere.replace(elsewhere.find(std::string("L\0i\0n\0e\0n\0", 10)), 10, std::string("S\0a\0t\0i\0n\0", 10));
  RTInstance other = NewMesh();
  ASSERT_EQ(StreamIn(other, elsewhere), kRTSuccess);
  EXPECT_TRUE(Logged("RTPolyModel::StreamIn(): Root:Satin is no RTMaterial; a new RTMaterial takes its place"));
  const PolyModelState* state = poly_model::StateOf(other);
  ASSERT_EQ(state->materialCount, 1u);
  EXPECT_NE(state->materials[0], linen_);
  EXPECT_EQ(core().IsKindOfByName(nullptr, state->materials[0], material::kClassName), 1u);
  EXPECT_EQ(RefCount(state->materials[0]), 1u) << "held by the mesh alone";
}

TEST_F(MeshStream, DamagedStreamsChangeNothing) {
  auto with = [](auto change) {
    Fields fields;
    change(fields);
    return MeshBytes(fields);
  };
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"version 1799", with([](Fields& f) { f.version = 1799; }), "the stream holds no mesh of version 1798 or older"},
      {"a vertex count of 0xFFFFFFFF", StreamBytes().U32(1).U32(1798).U32(0xFFFFFFFFu).bytes(),
       "the count of vertices is missing or larger than the stream"},
      {"a group led by 1", with([](Fields& f) { f.lead = 1; }), "group 0 begins with 1, not 0"},
      {"a strip index at the vertex count", with([](Fields& f) { f.strip = {0, 1, 4}; }),
       "strip 0 of group 0 names vertex 4 of 4"},
      {"a list in place of a strip", with([](Fields& f) {
         f.strip = {0, 1, 2};
         f.stripKind = r::kTriangleList;
       }),
       "strip 0 of group 0 is of kind 0x104"},
      {"a list index at the vertex count", with([](Fields& f) { f.list = {0, 1, 2, 0, 2, 4}; }),
       "list 0 of group 0 names vertex 4 of 4"},
      {"a list of material 1 of 1", with([](Fields& f) { f.listMaterial = 1; }),
       "list 0 of group 0 names material 1 of 1"},
      {"a vertex at NaN", with([](Fields& f) { f.vertices[2].y = NAN; }), "vertex 2 of 4 is not a finite point"},
      {"a vertex at infinity", with([](Fields& f) { f.vertices[3].z = -INFINITY; }),
       "vertex 3 of 4 is not a finite point"},
      {"three normals for four vertices", with([](Fields& f) { f.normals.resize(3); }),
       "3 normals are given for 4 vertices"},
      {"a triangle index at the vertex count", with([](Fields& f) { f.triangles = {0, 1, 2, 0, 2, 4}; }),
       "triangle 1 names vertex 4 of 4"},
      {"a flat list index at the vertex count", with([](Fields& f) { f.flat = {0, 1, 2, 0, 2, 4}; }),
       "the flat triangle list names vertex 4 of 4"},
  };
  RTInstance mesh = NewMesh();
  Fill(Rasterizer(), mesh, SplitBox(), {NewMaterial(u"Steel")});
  const std::string before = StreamedOut(mesh);
  const uint32_t held = RefCount(linen_);
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(mesh, c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged("RTPolyModel::StreamIn(): " + c.message + "; the mesh is left as it was")) << c.what;
    EXPECT_EQ(StreamedOut(mesh), before) << c.what;
    EXPECT_EQ(RefCount(linen_), held) << c.what;
  }
  EXPECT_FALSE(Logged("Couldn't satisfy request")) << "no count was trusted with an allocation";
}

TEST_F(MeshStream, EveryTruncationOfABoxIsRefused) {
  RTInstance box = NewMesh();
  Fill(Rasterizer(), box, SplitBox(), {NewMaterial(u"Steel")});
  const std::string whole = StreamedOut(box);
  RTInstance mesh = NewMesh();
  ASSERT_EQ(StreamIn(mesh, MeshBytes(Fields{})), kRTSuccess);
  const std::string before = StreamedOut(mesh);
  const auto memory = MemoryStats();
  for (size_t length = 0; length < whole.size(); ++length) {
    const size_t reported = TimesLogged("[ERROR RAISED]");
    EXPECT_EQ(StreamIn(mesh, whole.substr(0, length)), kRTFailure) << length << " bytes";
    EXPECT_GT(TimesLogged("[ERROR RAISED]"), reported) << length << " bytes: refused with a message";
    EXPECT_EQ(StreamedOut(mesh), before) << length << " bytes";
  }
  EXPECT_EQ(MemoryStats(), memory) << "every refused read gave back what it took";
  EXPECT_FALSE(Logged("Couldn't satisfy request"));
  EXPECT_EQ(StreamIn(mesh, whole), kRTSuccess);
}

TEST_F(MeshStream, WritingNeedsMaterialsAndAStreamedStage) {
  RTInstance bare = NewMesh();
  EXPECT_EQ(StreamedOut(bare), "<failed>") << "no materials";
  RTInstance mesh = NewMesh();
  ASSERT_EQ(StreamIn(mesh, MeshBytes(Fields{})), kRTSuccess);
  InstanceRef stream = tesk::testing::MemoryStreamWith("");
  EXPECT_EQ(component::StreamOut(mesh, 2, stream.get()), kRTFailure);
  EXPECT_EQ(tesk::testing::MemoryStreamBytes(stream.get()), "") << "nothing is written";
  EXPECT_EQ(StreamIn(mesh, MeshBytes(Fields{}), 2), kRTFailure);
  EXPECT_EQ(StreamIn(mesh, MeshBytes(Fields{}), 0), kRTSuccess);
}

// A static-lit mesh's stream: the quad's mesh part, the version, and one lightmap of 3 x 3 texels
// over the quad's two triangles, a texel every 0.5 from the corner (0, 0, 0).
struct LitFields {
  uint32_t version = 2;
  float stepScale = 0.5f;
  uint32_t count = 1;
  uint32_t group = 0;
  uint32_t width = 3;
  uint32_t height = 3;
  uint32_t stride = 3;
  uint32_t rows = 3;
  Indices corners = {0, 1, 2, 0, 2, 3};
  uint32_t texels = 9;
};

std::string LitBytes(const LitFields& f) {
  StreamBytes b;
  b.Raw(MeshBytes(Fields{})).U32(f.version).F32(f.stepScale).U32(1).U32(f.count);
  b.U32(f.group).F32(0).F32(0).F32(0).F32(1).F32(0).F32(0).F32(0).F32(1).F32(0);
  b.U32(f.width).U32(f.height).U32(f.stride).U32(f.rows).U32(static_cast<uint32_t>(f.corners.size() / 3));
  for (uint32_t corner : f.corners) b.U32(corner);
  for (uint32_t i = 0; i < f.texels; ++i) b.U32(0x00102030u + i);
  return b.bytes();
}

class LitMeshStream : public MeshStream {
 protected:
  void SetUp() override {
    MeshStream::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(core().CreateInstanceByString(nullptr, static_lit_mesh::kClassName, lit_.out(), 0, 1), kRTSuccess);
  }
  void TearDown() override {
    lit_.Reset();
    MeshStream::TearDown();
  }

  InstanceRef lit_;
};

TEST_F(LitMeshStream, RoundTripsWithItsLightmapsByteForByte) {
  const std::string bytes = LitBytes(LitFields{});
  ASSERT_EQ(StreamIn(lit_.get(), bytes), kRTSuccess) << host_.DebugLog();
  uint32_t count = 0;
  Lightmap* lightmaps = nullptr;
  ASSERT_EQ(static_lit_mesh::GetLightmaps(lit_.get(), 0, &count, &lightmaps), kRTSuccess);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(lightmaps[0].width, 3u);
  EXPECT_EQ(lightmaps[0].rowStep.x, 1.0f);
  EXPECT_EQ(lightmaps[0].texels[4], 0x00102034u);
  float scale = 0;
  ASSERT_EQ(static_lit_mesh::GetStepScale(lit_.get(), &scale), kRTSuccess);
  EXPECT_EQ(scale, 0.5f);
  EXPECT_EQ(StreamedOut(lit_.get()), bytes);

  // The first version ends after its version word: no lightmaps, written back in the new form.
  const std::string mesh = MeshBytes(Fields{});
  ASSERT_EQ(StreamIn(lit_.get(), mesh + StreamBytes().U32(1).bytes()), kRTSuccess);
  EXPECT_EQ(static_lit_mesh::GetLightmaps(lit_.get(), 0, &count, &lightmaps), kRTSuccess);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(StreamedOut(lit_.get()), mesh + StreamBytes().U32(2).F32(0).U32(0).U32(0).bytes());
}

// A vertex far out (1.7e38) gives its face a normal that overflows: that face gets no lightmap,
// the quad keeps its own, and what the mesh writes it reads back. Points that are not finite are
// refused whole by the vertex setter.
TEST_F(LitMeshStream, AFaceWithoutAFiniteNormalGetsNoLightmapAndTheMeshReadsBack) {
  Shape shape = Quad();
  shape.vertices.push_back(V(1.7e38f, 0, 0));
  shape.vertices.push_back(V(0, 1.7e38f, 0));
  shape.lists[0].insert(shape.lists[0].end(), {0, 4, 5});
  Fill(Rasterizer(), lit_.get(), shape, {linen_});
  ASSERT_EQ(static_lit_mesh::SetLightmapResolution(lit_.get(), 0.25f), kRTSuccess);
  ASSERT_EQ(static_lit_mesh::CreateLightmaps(lit_.get()), kRTSuccess) << host_.ErrorLog();
  uint32_t count = 0;
  Lightmap* lightmaps = nullptr;
  ASSERT_EQ(static_lit_mesh::GetLightmaps(lit_.get(), 0, &count, &lightmaps), kRTSuccess);
  EXPECT_EQ(count, 1u) << "the quad's only";
  const std::string bytes = StreamedOut(lit_.get());
  InstanceRef copy;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, static_lit_mesh::kClassName, copy.out(), 0, 1), kRTSuccess);
  EXPECT_EQ(StreamIn(copy.get(), bytes), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(StreamedOut(copy.get()), bytes);

  std::vector<RTFVector3D> changed = shape.vertices;
  for (const float bad : {NAN, INFINITY, -INFINITY}) {
    changed[1].x = bad;
    EXPECT_EQ(poly_model::SetVectorListF(lit_.get(), changed.data(), static_cast<uint32_t>(changed.size())), kRTFailure)
        << bad;
  }
  EXPECT_TRUE(Logged("RTPolyModel::SetVectorListF(): vertex 1 of 6 is not a finite point; the mesh is left as it was"));
  EXPECT_EQ(StreamedOut(lit_.get()), bytes);
}

TEST_F(LitMeshStream, DamagedLightmapsChangeNothing) {
  auto with = [](auto change) {
    LitFields fields;
    change(fields);
    return LitBytes(fields);
  };
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"version 3", with([](LitFields& f) { f.version = 3; }), "the stream holds no version of 2 or older"},
      {"a width past the stride", with([](LitFields& f) { f.width = 4; }),
       "lightmap 1 of 1: its width 4 exceeds its stride 3"},
      {"a height past the buffer rows", with([](LitFields& f) { f.height = 4; }),
       "lightmap 1 of 1: its height 4 exceeds its buffer rows 3"},
      {"a stride of 1025", with([](LitFields& f) { f.stride = 1025; }),
       "lightmap 1 of 1: its buffer of 1025 x 3 texels is not 1 to 1024 a side"},
      {"no buffer rows", with([](LitFields& f) { f.height = f.rows = 0; }),
       "lightmap 1 of 1: its buffer of 3 x 0 texels is not 1 to 1024 a side"},
      {"group 1 of 1", with([](LitFields& f) { f.group = 1; }),
       "lightmap 1 of 1: its group 1 is not among the mesh's 1"},
      {"a corner at the vertex count", with([](LitFields& f) { f.corners = {0, 1, 4}; }),
       "lightmap 1 of 1: a corner names vertex 4 of 4"},
      {"texels cut short", with([](LitFields& f) { f.texels = 8; }), "lightmap 1 of 1: its texels are cut short"},
      {"a count of 1000", with([](LitFields& f) { f.count = 1000; }), "1000 lightmaps do not fit in what is left"},
      {"a step scale of 0", with([](LitFields& f) { f.stepScale = 0; }), "the step scale 0.000000 is not above 0"},
  };
  ASSERT_EQ(StreamIn(lit_.get(), LitBytes(LitFields{})), kRTSuccess);
  const std::string before = StreamedOut(lit_.get());
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(lit_.get(), c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged("RTStaticLitMesh::StreamIn(): " + c.message + "; the mesh is left as it was"))
        << c.what << "\n" << host_.ErrorLog();
    EXPECT_EQ(StreamedOut(lit_.get()), before) << c.what;
  }
  const std::string whole = LitBytes(LitFields{});
  for (size_t length = MeshBytes(Fields{}).size(); length < whole.size(); ++length)
    EXPECT_EQ(StreamIn(lit_.get(), whole.substr(0, length)), kRTFailure) << length << " bytes";
  EXPECT_EQ(StreamedOut(lit_.get()), before);
  EXPECT_FALSE(Logged("Couldn't satisfy request")) << "no count was trusted with an allocation";
}

}  // namespace
