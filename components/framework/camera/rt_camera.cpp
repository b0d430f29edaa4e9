// RTCamera: the field of view and clip distances a scene is drawn with (see camera_calls.h).
//
// Stream form: RTRenderable's part (through that level's own table), then
//   u32 version        1; a newer version is refused
//   f32                the field of view, radians
//   2 x f32            the near and far clip distances
// A damaged stream, or one with values a camera refuses, is refused whole.
#include <algorithm>
#include <cmath>

#include "kivo/camera/camera_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;
namespace slot = kivo::camera;

constexpr uint32_t kStateWord = slot::kLevel + 8;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{renderable::kOwnTable, renderable::kStreamIn, renderable::kStreamOut};
constexpr float kPi = 3.14159265f;

struct CameraState {
  float fieldOfView = 0.698132f;
  float nearDistance = 0.1f;
  float farDistance = 500.0f;

  bool Valid() const {
    return fieldOfView > 0.0f && fieldOfView < kPi && nearDistance > 0.0f && farDistance > nearDistance &&
           std::isfinite(farDistance);
  }
};

CameraState* StateOf(RTInstance self) { return StateIn<CameraState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<CameraState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<CameraState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  const CameraState* camera = StateOf(self);
  return camera && CallParentMethod(self, renderable::kOwnTable, renderable::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteFloat(stream, camera->fieldOfView) &&
                 StreamWriteFloat(stream, camera->nearDistance) && StreamWriteFloat(stream, camera->farDistance)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  CameraState* camera = StateOf(self);
  if (!camera) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    CameraState read;
    if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamHolds(stream, 12) ||
        !StreamReadFloat(stream, &read.fieldOfView) || !StreamReadFloat(stream, &read.nearDistance) ||
        !StreamReadFloat(stream, &read.farDistance) || !read.Valid()) {
      RaiseFormatted(kLevelError, u"RTCamera::StreamIn(): the camera's stream is damaged; the camera is left as it was");
      return false;
    }
    *camera = read;
    return true;
  });
}

RTSuccess SetFieldOfView(RTInstance self, float radians) {
  CameraState* camera = StateOf(self);
  if (!camera || !(radians > 0.0f && radians < kPi)) return kRTFailure;
  camera->fieldOfView = radians;
  return kRTSuccess;
}

RTSuccess GetFieldOfView(RTInstance self, float* radians) {
  const CameraState* camera = StateOf(self);
  if (!camera || !radians) return kRTFailure;
  *radians = camera->fieldOfView;
  return kRTSuccess;
}

RTSuccess SetClipPlanes(RTInstance self, float nearDistance, float farDistance) {
  CameraState* camera = StateOf(self);
  if (!camera) return kRTFailure;
  CameraState changed = *camera;
  changed.nearDistance = nearDistance;
  changed.farDistance = farDistance;
  if (!changed.Valid()) return kRTFailure;
  *camera = changed;
  return kRTSuccess;
}

RTSuccess GetFrustum(RTInstance self, float* values) {
  const CameraState* camera = StateOf(self);
  if (!camera || !values) return kRTFailure;
  const float t = camera->nearDistance * std::tan(camera->fieldOfView * 0.5f);
  const float frustum[slot::kFrustumValues] = {-t, -t, -camera->nearDistance, t, t, -camera->farDistance};
  std::copy(std::begin(frustum), std::end(frustum), values);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetFieldOfView", SetFieldOfView, slot::kSetFieldOfView, u"RTSuccess", u"float aRadians"),
    Method(u"GetFieldOfView", GetFieldOfView, slot::kGetFieldOfView, u"RTSuccess", u"float out opRadians"),
    Method(u"SetClipPlanes", SetClipPlanes, slot::kSetClipPlanes, u"RTSuccess", u"float aNear, float aFar"),
    Method(u"GetFrustum", GetFrustum, slot::kGetFrustum, u"RTSuccess", u"float[] out opValues"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"The camera a scene is drawn from: field of view and clip distances",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
