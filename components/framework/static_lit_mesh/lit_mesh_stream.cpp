// Stream form of the lightmaps part (version 2; version 1 ends before it):
//
//   f32                 the step scale
//   u32                 1 when lighting is done, else 0
//   u32 n               lightmaps, in group order
//   n x lightmap:
//     u32               its group, below the mesh's material count
//     3 x vector        origin, row step, column step (3 x f32 each)
//     4 x u32           width, height, stride, buffer rows: width <= stride, height <= buffer rows,
//                       stride and buffer rows 1 to 1024
//     u32 t, 3t x u32   its triangles' corners, each below the mesh's vertex count
//     u32 x stride x buffer rows    its texels, row by row
//
// Every count is checked against the bytes left before anything is made of it.
#include "lit_mesh_stream.h"

#include <cmath>

#include "kivo/support/format.h"
#include "kivo/support/stream_values.h"

namespace kivo::static_lit_mesh {

namespace {

constexpr uint32_t kFixedBytes = 4 + 36 + 16 + 4;  // group, three vectors, sizes, triangle count

bool WriteWords(RTInstance stream, const std::vector<uint32_t>& words) {
  return StreamWriteBytes(stream, words.data(), static_cast<uint32_t>(words.size() * sizeof(uint32_t)));
}

bool WriteLightmap(RTInstance stream, const ::Lightmap& map, const LitSurface& surface) {
  return StreamWriteUInt(stream, surface.group) && StreamWriteVector(stream, map.origin) &&
         StreamWriteVector(stream, map.rowStep) && StreamWriteVector(stream, map.columnStep) &&
         StreamWriteUInt(stream, map.width) && StreamWriteUInt(stream, map.height) &&
         StreamWriteUInt(stream, map.stride) && StreamWriteUInt(stream, map.bufferRows) &&
         StreamWriteUInt(stream, static_cast<uint32_t>(surface.corners.size() / 3)) &&
         WriteWords(stream, surface.corners) && WriteWords(stream, surface.texels);
}

// Reads one lightmap; an empty message when it is sound.
class LightmapReader {
 public:
  LightmapReader(RTInstance stream, const PolyModelState& mesh) : stream_(stream), mesh_(mesh) {}

  std::u16string Read(uint32_t previousGroup, ::Lightmap* map, LitSurface* surface) {
    uint32_t triangles = 0;
    if (!StreamHolds(stream_, kFixedBytes) || !StreamReadUInt(stream_, &surface->group) ||
        !StreamReadVector(stream_, &map->origin) || !StreamReadVector(stream_, &map->rowStep) ||
        !StreamReadVector(stream_, &map->columnStep) || !StreamReadUInt(stream_, &map->width) ||
        !StreamReadUInt(stream_, &map->height) || !StreamReadUInt(stream_, &map->stride) ||
        !StreamReadUInt(stream_, &map->bufferRows) || !StreamReadUInt(stream_, &triangles))
      return u"it is cut short";
    if (surface->group >= mesh_.materialCount)
      return Format(u"its group %u is not among the mesh's %u", surface->group, mesh_.materialCount);
    if (surface->group < previousGroup) return u"it comes after a lightmap of a later group";
    if (map->width > map->stride) return Format(u"its width %u exceeds its stride %u", map->width, map->stride);
    if (map->height > map->bufferRows)
      return Format(u"its height %u exceeds its buffer rows %u", map->height, map->bufferRows);
    if (map->stride == 0 || map->bufferRows == 0 || map->stride > kMaxLightmapSide ||
        map->bufferRows > kMaxLightmapSide)
      return Format(u"its buffer of %u x %u texels is not 1 to %u a side", map->stride, map->bufferRows,
                    kMaxLightmapSide);
    if (!Unit(map->rowStep) || !Unit(map->columnStep)) return u"its steps are not unit vectors";
    if (!ReadWords(uint64_t{triangles} * 3, &surface->corners)) return u"its triangles are cut short";
    for (uint32_t corner : surface->corners)
      if (corner >= mesh_.vertexCount) return Format(u"a corner names vertex %u of %u", corner, mesh_.vertexCount);
    if (!ReadWords(uint64_t{map->stride} * map->bufferRows, &surface->texels)) return u"its texels are cut short";
    return {};
  }

 private:
  static bool Unit(const RTFVector3D& v) { return std::fabs(v.x * v.x + v.y * v.y + v.z * v.z - 1.0f) < 1e-3f; }

  bool ReadWords(uint64_t count, std::vector<uint32_t>* words) {
    const uint64_t bytes = count * sizeof(uint32_t);
    if (bytes > UINT32_MAX || !StreamHolds(stream_, bytes)) return false;
    words->resize(count);
    return StreamReadBytes(stream_, words->data(), static_cast<uint32_t>(bytes));
  }

  RTInstance stream_;
  const PolyModelState& mesh_;
};

}  // namespace

bool WriteLightmaps(RTInstance stream, const StaticLitState& state) {
  const Lightmaps& lightmaps = state.lightmaps;
  if (!StreamWriteFloat(stream, lightmaps.stepScale) || !StreamWriteUInt(stream, state.lit ? 1 : 0) ||
      !StreamWriteUInt(stream, static_cast<uint32_t>(lightmaps.records.size())))
    return false;
  for (size_t i = 0; i < lightmaps.records.size(); ++i)
    if (!WriteLightmap(stream, lightmaps.records[i], lightmaps.surfaces[i])) return false;
  return true;
}

bool ReadLightmaps(RTInstance stream, uint32_t version, const PolyModelState& mesh, Lightmaps* lightmaps, bool* lit,
                   std::u16string* why) {
  Lightmaps read;
  uint32_t litWord = 0, count = 0;
  if (version < 2) {
    *lightmaps = Lightmaps{};
    *lit = false;
    return true;
  }
  if (!StreamHolds(stream, 12) || !StreamReadFloat(stream, &read.stepScale) || !StreamReadUInt(stream, &litWord) ||
      !StreamReadUInt(stream, &count)) {
    *why = u"the lightmaps are cut short";
    return false;
  }
  if (count && !(read.stepScale > 0.0f && std::isfinite(read.stepScale))) {
    *why = Format(u"the step scale %f is not above 0", read.stepScale);
    return false;
  }
  if (!StreamHolds(stream, uint64_t{count} * kFixedBytes)) {
    *why = Format(u"%u lightmaps do not fit in what is left", count);
    return false;
  }
  LightmapReader reader(stream, mesh);
  uint32_t group = 0;
  for (uint32_t i = 0; i < count; ++i) {
    ::Lightmap map{};
    LitSurface surface;
    const std::u16string fault = reader.Read(group, &map, &surface);
    if (!fault.empty()) {
      *why = Format(u"lightmap %u of %u: %s", i + 1, count, fault);
      return false;
    }
    group = surface.group;
    read.records.push_back(map);
    read.surfaces.push_back(std::move(surface));
  }
  Connect(read, mesh);
  *lightmaps = std::move(read);
  *lit = litWord != 0;
  return true;
}

}  // namespace kivo::static_lit_mesh
