// The mesh's stream. After the part of the parent class RTRenderable (read and written through
// that level's own table), little-endian; a vector is three floats (x, y, z):
//
//   1  u32 version           1798; a newer version is refused
//   2  u32 n, n vectors      the vertices
//   3  u32 n, n planes       each a vector and a float d (kept, never written: the writer writes 0)
//   4  u32 mask              bit i set: texture-coordinate layer i follows, from layer 0 up, as
//                            u32 n and n pairs of floats (u, v)
//   5  u32 n, n references   the materials, each its instance path as a wide string
//   6  n groups              each u32 0; u32 n and n triangle strips; u32 n and n triangle lists
//                            (each primitive as the rasterizer writes it); from version 1798 a byte,
//                            the group's alpha state when written (the material's own state counts)
//   7  u32 n, n vectors      the normals (from version 1537)
//      u32 n, n vectors      the tangents (read and left: the mesh keeps none)
//   8  u32 n, n triangles    the welded triangles of the shadow geometry (from version 1793): three
//                            u32 vertex indices, then the plane's vector and d
//      a triangle list       the flat triangle list, as the rasterizer writes it
//
// Reading builds the whole mesh aside and hands it to the mesh's own setters only once all of it
// is read: a refused stream changes nothing. Refused, with a message: a newer version, a stage
// other than 0 and 0xFFFFFFFF, a count larger than the bytes left can hold, a group that does not
// begin with 0, a strip or list of another kind, a primitive whose material index names no
// material or whose indices name no vertex, normals other than none or one per vertex, a triangle
// whose corners name no vertex, a stream cut short. A material reference that names no RTMaterial
// gets a new one in its place. Streams older than 1793 get their shadow geometry built by
// CleanGeometry; newer ones get the edges of the triangles they hold.
#include <bit>
#include <memory>
#include <string>
#include <vector>

#include "kivo/material/material_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/vector.h"
#include "mesh_state.h"
#include "poly_model_methods.h"
#include "shadow_geometry.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;
namespace slot = kivo::poly_model;

constexpr ParentStream kRenderablePart{renderable::kOwnTable, renderable::kStreamIn, renderable::kStreamOut};
constexpr uint32_t kFirstVersionWithNormals = 1537;
constexpr uint32_t kFirstVersionWithTriangles = 1793;
constexpr uint32_t kFirstVersionWithAlpha = 1798;
// No mesh comes near this many items of a list; more is damage, not data.
constexpr uint32_t kMaxItems = 1u << 24;
constexpr uint32_t kVectorBytes = 12;
constexpr uint32_t kPlaneBytes = 16;
constexpr uint32_t kCoordinateBytes = 8;
constexpr uint32_t kReferenceBytes = 4;    // the least a reference takes: its length word
constexpr uint32_t kPrimitiveBytes = 12;   // the least a primitive takes: kind, material, count
constexpr uint32_t kTriangleBytes = 28;
constexpr uint32_t kPathUnits = 1023;

// A primitive of the rasterizer that goes back to it unless it is handed on.
struct PrimitiveReturn {
  RTInstance rasterizer;
  void operator()(RTPrimitive* primitive) const { r::DestroyPrimitive(rasterizer, primitive); }
};
using HeldPrimitive = std::unique_ptr<RTPrimitive, PrimitiveReturn>;

struct ReadGroup {
  std::vector<HeldPrimitive> strips;
  std::vector<HeldPrimitive> lists;
};

// A new core array of the primitives, which the array holds from then on.
bool HandOver(std::vector<HeldPrimitive>& held, RTPrimitive*** array, uint32_t* count) {
  if (!NewArray(static_cast<uint32_t>(held.size()), array)) return false;
  for (size_t i = 0; i < held.size(); ++i) (*array)[i] = held[i].release();
  *count = static_cast<uint32_t>(held.size());
  held.clear();
  return true;
}

class MeshReader {
 public:
  MeshReader(RTInstance stream, RTInstance rasterizer) : stream_(stream), rasterizer_(rasterizer) {}

  // The whole body; false, with a message, when the stream cannot give it.
  bool Read() {
    if (!StreamReadVersion(stream_, slot::kStreamVersion, &version_))
      return Fail(u"the stream holds no mesh of version %u or older", slot::kStreamVersion);
    if (!ReadVertices() || !ReadPlanes() || !ReadLayers() || !ReadMaterials() || !ReadGroups()) return false;
    if (version_ >= kFirstVersionWithNormals && !ReadNormals()) return false;
    return version_ < kFirstVersionWithTriangles || ReadTriangles();
  }

  // Hands what was read to the mesh through its own setters (a derived class sees every list).
  bool Commit(RTInstance self, PolyModelState& state) {
    const auto vertexCount = static_cast<uint32_t>(vertices_.size());
    if (!CallMethod(self, slot::kLevel, slot::kSetVectorListF, vertices_.data(), vertexCount) || !TakePlanes(state) ||
        !TakeLayers(self, state) || !TakeMaterials(self) || !TakeGroups(state))
      return false;
    if (version_ >= kFirstVersionWithNormals &&
        !CallMethod(self, slot::kLevel, slot::kSetNormalListF, normals_.data(), static_cast<uint32_t>(normals_.size())))
      return false;
    if (version_ < kFirstVersionWithTriangles) return CallMethod(self, slot::kLevel, slot::kCleanGeometry) != 0;
    return TakeShadowGeometry(state);
  }

 private:
  template <class... Args>
  bool Fail(std::u16string_view reason, const Args&... args) {
    RaiseFormatted(kLevelError, u"RTPolyModel::StreamIn(): %s; the mesh is left as it was", Format(reason, args...));
    return false;
  }

  // A count whose items of `bytesEach` the stream still holds.
  bool ReadCount(const std::u16string& what, uint32_t bytesEach, uint32_t* count) {
    if (StreamReadUInt(stream_, count) && *count <= kMaxItems && StreamHolds(stream_, uint64_t{*count} * bytesEach))
      return true;
    return Fail(u"the count of %s is missing or larger than the stream", what);
  }

  // `count` items of four-byte values in one read.
  template <class Item>
  bool ReadItems(uint32_t count, std::vector<Item>* items, const std::u16string& what) {
    items->resize(count);
    if (count == 0 || StreamReadBytes(stream_, items->data(), static_cast<uint32_t>(count * sizeof(Item)))) return true;
    return Fail(u"the %s are cut short", what);
  }

  bool ReadVectorList(const char16_t* what, std::vector<RTFVector3D>* vectors) {
    uint32_t count = 0;
    std::vector<float> floats;
    if (!ReadCount(what, kVectorBytes, &count) || !ReadItems(count * 3, &floats, what)) return false;
    vectors->resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const float* f = &floats[size_t{i} * 3];
      (*vectors)[i] = RTFVector3D{f[0], f[1], f[2], 0};
    }
    return true;
  }

  bool ReadVertices() {
    if (!ReadVectorList(u"vertices", &vertices_)) return false;
    const auto count = static_cast<uint32_t>(vertices_.size());
    const uint32_t bad = FirstNonFinite(vertices_.data(), count);
    return bad == count || Fail(u"vertex %u of %u is not a finite point", bad, count);
  }

  bool ReadPlanes() {
    uint32_t count = 0;
    std::vector<float> floats;
    if (!ReadCount(u"planes", kPlaneBytes, &count) || !ReadItems(count * 4, &floats, u"planes")) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const float* f = &floats[size_t{i} * 4];
      planes_.push_back(Plane{RTFVector3D{f[0], f[1], f[2], 0}, f[3]});
    }
    return true;
  }

  bool ReadLayers() {
    if (!StreamReadUInt(stream_, &layerMask_)) return Fail(u"the mask of texture-coordinate layers is cut short");
    for (uint32_t layer = 0; layer < kUVLayerCount; ++layer) {
      if (!(layerMask_ & (1u << layer))) continue;
      const std::u16string what = Format(u"texture coordinates of layer %u", layer);
      uint32_t count = 0;
      if (!ReadCount(what, kCoordinateBytes, &count) || !ReadItems(count, &layers_[layer], what)) return false;
    }
    return true;
  }

  // The material at the path, or a new one when the path names no RTMaterial.
  bool ReadMaterial(uint32_t index, uint32_t count) {
    char16_t* path = nullptr;
    if (!StreamReadWStringBounded(stream_, kPathUnits, &path))
      return Fail(u"material reference %u of %u is cut short or too long", index + 1, count);
    InstanceRef found;
    const bool resolved = path && ModuleCore()->GetInstanceByName(nullptr, path, found.out(), 0) &&
                          ModuleCore()->IsKindOfByName(nullptr, found.get(), material::kClassName);
    if (!resolved) {
      RaiseFormatted(kLevelError, u"RTPolyModel::StreamIn(): %s is no RTMaterial; a new RTMaterial takes its place",
                     path ? path : u"an empty material reference");
      found.Reset();
    }
    ModuleCore()->ArrayFree(nullptr, path);
    if (!resolved && !ModuleCore()->CreateInstanceByString(nullptr, material::kClassName, found.out(), 0, 1))
      return Fail(u"no RTMaterial can take the place of material %u of %u", index + 1, count);
    materials_.push_back(std::move(found));
    return true;
  }

  bool ReadMaterials() {
    uint32_t count = 0;
    if (!ReadCount(u"materials", kReferenceBytes, &count)) return false;
    for (uint32_t i = 0; i < count; ++i)
      if (!ReadMaterial(i, count)) return false;
    return true;
  }

  // The first index of the primitive that names no vertex, or false.
  bool StrayIndex(const RTPrimitive& primitive, uint32_t* stray) const {
    const uint64_t indices = primitive.kind == r::kTriangleList ? uint64_t{primitive.count} * 3 : primitive.count;
    for (uint64_t i = 0; i < indices; ++i)
      if (primitive.indices[i] >= vertices_.size()) {
        *stray = primitive.indices[i];
        return true;
      }
    return false;
  }

  bool ReadPrimitives(uint32_t group, uint32_t kind, std::vector<HeldPrimitive>* held) {
    const char16_t* what = kind == r::kTriangleStrip ? u"strip" : u"list";
    uint32_t count = 0;
    if (!ReadCount(Format(u"%ss of group %u", what, group), kPrimitiveBytes, &count)) return false;
    const auto materials = static_cast<uint32_t>(materials_.size());
    for (uint32_t i = 0; i < count; ++i) {
      RTPrimitive* read = nullptr;
      if (!r::ReadPrimitive(rasterizer_, stream_, &read)) return Fail(u"%s %u of group %u is damaged", what, i, group);
      held->emplace_back(read, PrimitiveReturn{rasterizer_});
      uint32_t stray = 0;
      if (read->kind != kind) return Fail(u"%s %u of group %u is of kind 0x%X", what, i, group, read->kind);
      if (read->materialIndex >= materials)
        return Fail(u"%s %u of group %u names material %u of %u", what, i, group, read->materialIndex, materials);
      if (StrayIndex(*read, &stray))
        return Fail(u"%s %u of group %u names vertex %u of %u", what, i, group, stray,
                    static_cast<uint32_t>(vertices_.size()));
    }
    return true;
  }

  bool ReadGroups() {
    groups_.resize(materials_.size());
    for (uint32_t g = 0; g < groups_.size(); ++g) {
      uint32_t lead = 0;
      if (!StreamReadUInt(stream_, &lead)) return Fail(u"group %u is cut short", g);
      if (lead != 0) return Fail(u"group %u begins with %u, not 0", g, lead);
      if (!ReadPrimitives(g, r::kTriangleStrip, &groups_[g].strips) ||
          !ReadPrimitives(g, r::kTriangleList, &groups_[g].lists))
        return false;
      uint32_t alpha = 0;
      if (version_ >= kFirstVersionWithAlpha && !StreamReadByte(stream_, &alpha))
        return Fail(u"the alpha byte of group %u is cut short", g);
    }
    return true;
  }

  bool ReadNormals() {
    std::vector<RTFVector3D> tangents;
    if (!ReadVectorList(u"normals", &normals_) || !ReadVectorList(u"tangents", &tangents)) return false;
    if (!normals_.empty() && normals_.size() != vertices_.size())
      return Fail(u"%u normals are given for %u vertices", static_cast<uint32_t>(normals_.size()),
                  static_cast<uint32_t>(vertices_.size()));
    for (RTFVector3D& normal : normals_) Vec3Normalize(&normal);
    return true;
  }

  bool ReadTriangles() {
    uint32_t count = 0;
    std::vector<uint32_t> words;
    if (!ReadCount(u"triangles", kTriangleBytes, &count) || !ReadItems(count * 7, &words, u"triangles")) return false;
    triangles_.resize(count);
    for (uint32_t t = 0; t < count; ++t) {
      const uint32_t* w = &words[size_t{t} * 7];
      RTPolyModelTriangle& triangle = triangles_[t];
      for (uint32_t k = 0; k < 3; ++k) {
        if (w[k] >= vertices_.size())
          return Fail(u"triangle %u names vertex %u of %u", t, w[k], static_cast<uint32_t>(vertices_.size()));
        triangle.corners[k] = w[k];
      }
      triangle.plane = Plane{RTFVector3D{std::bit_cast<float>(w[3]), std::bit_cast<float>(w[4]),
                                         std::bit_cast<float>(w[5]), 0},
                             std::bit_cast<float>(w[6])};
    }
    RTPrimitive* read = nullptr;
    if (!r::ReadPrimitive(rasterizer_, stream_, &read)) return Fail(u"the flat triangle list is damaged");
    flatTriangles_.reset(read);
    uint32_t stray = 0;
    if (read->kind != r::kTriangleList) return Fail(u"the flat triangle list is of kind 0x%X", read->kind);
    if (StrayIndex(*read, &stray))
      return Fail(u"the flat triangle list names vertex %u of %u", stray, static_cast<uint32_t>(vertices_.size()));
    return true;
  }

  bool TakePlanes(PolyModelState& state) {
    Plane* planes = nullptr;
    if (!CopyArray(planes_.data(), static_cast<uint32_t>(planes_.size()), &planes)) return false;
    FreeArray(state.planes);
    state.planes = planes;
    return true;
  }

  bool TakeLayers(RTInstance self, PolyModelState& state) {
    for (UVLayer& layer : state.uvLayers) {
      FreeArray(layer.coordinates);
      layer.count = 0;
    }
    state.uvLayerMask = 0;
    for (uint32_t layer = 0; layer < kUVLayerCount; ++layer)
      if ((layerMask_ & (1u << layer)) &&
          !CallMethod(self, slot::kLevel, slot::kSetUVListF, layer, layers_[layer].data(),
                      static_cast<uint32_t>(layers_[layer].size())))
        return false;
    state.uvLayerMask = layerMask_;
    return true;
  }

  // The mesh takes a reference of its own on each; the reader's go back when it ends.
  bool TakeMaterials(RTInstance self) {
    std::vector<RTInstance> handles;
    for (const InstanceRef& material : materials_) handles.push_back(material.get());
    return CallMethod(self, slot::kLevel, slot::kSetMaterialList, handles.data(),
                      static_cast<uint32_t>(handles.size())) != 0;
  }

  bool TakeGroups(PolyModelState& state) {
    for (uint32_t g = 0; g < state.materialCount; ++g) {
      MaterialGroup& group = state.groups[g];
      if (!HandOver(groups_[g].strips, &group.strips, &group.stripCount) ||
          !HandOver(groups_[g].lists, &group.lists, &group.listCount))
        return false;
      if (version_ < kFirstVersionWithAlpha) group.hasAlpha = 0;
      group.empty = group.stripCount == 0 && group.listCount == 0 ? 1 : 0;
    }
    return true;
  }

  bool TakeShadowGeometry(PolyModelState& state) {
    ShadowGeometry geometry;
    geometry.triangleCount = static_cast<uint32_t>(triangles_.size());
    if (!CopyArray(triangles_.data(), geometry.triangleCount, &geometry.triangles) ||
        !BuildEdges(geometry.triangles, geometry.triangleCount, &geometry)) {
      FreeShadowGeometry(geometry, rasterizer_);
      return false;
    }
    geometry.flatTriangles = flatTriangles_.release();
    ReplaceShadowGeometry(state, geometry, rasterizer_);
    return true;
  }

  RTInstance stream_;
  RTInstance rasterizer_;
  uint32_t version_ = 0;
  std::vector<RTFVector3D> vertices_;
  std::vector<Plane> planes_;
  uint32_t layerMask_ = 0;
  std::vector<RTFVector2D> layers_[kUVLayerCount];
  std::vector<InstanceRef> materials_;
  std::vector<ReadGroup> groups_;
  std::vector<RTFVector3D> normals_;
  std::vector<RTPolyModelTriangle> triangles_;
  HeldPrimitive flatTriangles_{nullptr, PrimitiveReturn{rasterizer_}};
};

}  // namespace

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  PolyModelState* state = StateOf(self);
  InstanceRef rasterizer = TakeRasterizer();
  if (!state || !rasterizer.get() || !component::IsWholeStage(stage)) return kRTFailure;
  return StreamInAfterParent(self, kRenderablePart, stage, stream, [&] {
    MeshReader reader(stream, rasterizer.get());
    return reader.Read() && reader.Commit(self, *state);
  });
}

}  // namespace kivo::mesh
