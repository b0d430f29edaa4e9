// Calls on the camera (class RTCamera): the entity of the scene node a scene is drawn from. The
// camera looks along -z of its node, with y up. Its frustum is answered in view space, as the
// scene tree and the rasterizer's perspective projection read it:
//   (x1, y1, near, x2, y2, far) = (-t, -t, -n, t, t, -f),  t = n tan(fov / 2)
// for a square view (the tree widens x by the window's aspect), n and f the near and far clip
// distances. A camera is an RTRenderable entity that draws nothing.
#pragma once

#include "kivo/scene/renderable_calls.h"
#include "kivo/slots.h"

namespace kivo::camera {

inline constexpr char16_t kClassName[] = u"RTCamera";

inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<float> kSetFieldOfView{0x208};  // radians
inline constexpr MethodSlot<float*> kGetFieldOfView{0x20c};
inline constexpr MethodSlot<float, float> kSetClipPlanes{0x210};  // (near, far)
inline constexpr MethodSlot<float*> kGetFrustum{0x214};  // (out float[6])
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kGetFrustum + 4;
inline constexpr uint32_t kStreamVersion = 1;
inline constexpr uint32_t kFrustumValues = 6;

// A field of view between 0 and pi, exclusive; 0.698132 (40 degrees) when made.
inline RTSuccess SetFieldOfView(RTInstance c, float radians) { return CallMethod(c, kLevel, kSetFieldOfView, radians); }
inline RTSuccess GetFieldOfView(RTInstance c, float* radians) { return CallMethod(c, kLevel, kGetFieldOfView, radians); }
// 0 < near < far; 0.1 and 500 when made.
inline RTSuccess SetClipPlanes(RTInstance c, float nearDistance, float farDistance) {
  return CallMethod(c, kLevel, kSetClipPlanes, nearDistance, farDistance);
}
inline RTSuccess GetFrustum(RTInstance c, float* values) { return CallMethod(c, kLevel, kGetFrustum, values); }

}  // namespace kivo::camera
