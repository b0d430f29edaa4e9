// Calls on RTStaticLitMesh, a mesh (RTPolyModel, whose calls it takes too) lit ahead of time: the
// class of rooms' geometry. It keeps one lightmap per lit surface, a surface being the triangles of
// one group that lie in one plane and meet along edges. A baker lays the lightmaps out at a
// resolution, fills their texels and hands them back; once lighting is done the mesh draws each
// surface with its lightmap on texture unit 1, modulating the surface's diffuse texture, instead
// of lighting its vertices.
//
// A lightmap's texels are 32-bit words: byte 0 red, byte 1 green, byte 2 blue, byte 3 the unlit
// mark (0xFF unlit, 0 lit), which is never drawn. Texel (i, j), column i of row j, lies at
//   origin + (i x rowStep + j x columnStep) x the mesh's step scale
// in the mesh's space; rowStep x columnStep points out of the surface's front. Width x height
// texels cover the surface; the buffer holds stride x bufferRows of them, row by row.
#pragma once

#include <cstdint>

#include "kivo/scene/poly_model_calls.h"

struct Lightmap {
  RTFVector3D origin;
  RTFVector3D rowStep;     // from one texel to the next in a row, a unit vector
  RTFVector3D columnStep;  // from one row to the next, a unit vector
  uint32_t width;          // texels lit per row
  uint32_t height;         // rows lit
  uint32_t stride;         // texels per buffer row
  uint32_t bufferRows;
  uint32_t* texels;  // the mesh's own buffer of stride x bufferRows words
};

namespace kivo::static_lit_mesh {

inline constexpr char16_t kClassName[] = u"RTStaticLitMesh";

inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x04};
inline constexpr MethodSlot<float> kSetLightmapResolution{0x08};
inline constexpr MethodSlot<> kCreateLightmaps{0x0c};
inline constexpr MethodSlot<uint32_t, uint32_t*, Lightmap**> kGetLightmaps{0x10};
inline constexpr MethodSlot<float*> kGetStepScale{0x14};
inline constexpr MethodSlot<const Lightmap*, const uint32_t*> kReplaceTexels{0x18};
inline constexpr MethodSlot<> kLightingDone{0x1c};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kProcessFrame{0x20};
inline constexpr MethodSlot<RTBool> kSetEnabled{0x24};
inline constexpr MethodSlot<RTBool*> kIsEnabled{0x28};
inline constexpr MethodSlot<RTBool*> kIsLit{0x2c};
inline constexpr uint32_t kLevel = poly_model::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kStateWord = kLevel + 8;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kIsLit + 4;
inline constexpr uint32_t kStreamVersion = 2;

// A lightmap holds at most this many texels a side.
inline constexpr uint32_t kMaxLightmapSide = 1024;
inline constexpr uint32_t kUnlitMark = 0xFF000000u;

// The side of a texel in the mesh's units for the next CreateLightmaps (0.15 when made); fails for
// a value not above 0 or not finite.
inline RTSuccess SetLightmapResolution(RTInstance m, float resolution) {
  return CallMethod(m, kLevel, kSetLightmapResolution, resolution);
}
// Lays out a lightmap for every surface of the mesh at the resolution, its texels 0, in group
// order; the mesh draws unlit until LightingDone. Fails, keeping the lightmaps it had, when a
// surface would need more than kMaxLightmapSide texels a side or a triangle names no vertex.
inline RTSuccess CreateLightmaps(RTInstance m) { return CallMethod(m, kLevel, kCreateLightmaps); }
// The group's lightmaps: the mesh's own records, valid until the lightmaps are made again; none
// (and failure) for a group the mesh does not have.
inline RTSuccess GetLightmaps(RTInstance m, uint32_t group, uint32_t* count, Lightmap** lightmaps) {
  return CallMethod(m, kLevel, kGetLightmaps, group, count, lightmaps);
}
// The side of a texel the lightmaps were laid out with: both steps are multiplied by it.
inline RTSuccess GetStepScale(RTInstance m, float* scale) { return CallMethod(m, kLevel, kGetStepScale, scale); }
// Copies stride x bufferRows words into one of the mesh's lightmaps; fails for a record that is not
// the mesh's.
inline RTSuccess ReplaceTexels(RTInstance m, const Lightmap* lightmap, const uint32_t* texels) {
  return CallMethod(m, kLevel, kReplaceTexels, lightmap, texels);
}
// The texels are final: from the next frame on the mesh draws with its lightmaps.
inline RTSuccess LightingDone(RTInstance m) { return CallMethod(m, kLevel, kLightingDone); }
// Switches the lighting result on or off (on when made): while off, the mesh draws unlit. Not
// streamed.
inline RTSuccess SetEnabled(RTInstance m, RTBool on) { return CallMethod(m, kLevel, kSetEnabled, on); }
inline RTSuccess IsEnabled(RTInstance m, RTBool* enabled) { return CallMethod(m, kLevel, kIsEnabled, enabled); }
// *lit := 1 once lighting is done (LightingDone, or a stream that says so).
inline RTSuccess IsLit(RTInstance m, RTBool* lit) { return CallMethod(m, kLevel, kIsLit, lit); }

}  // namespace kivo::static_lit_mesh
