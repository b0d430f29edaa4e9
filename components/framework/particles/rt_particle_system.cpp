// RTParticleSystem: a particle system's bounds and particles, drawn as nothing yet (see
// particle_system_calls.h).
//
// Stream form: RTRenderable's part (through that level's own table), then
//   u32 version        1; a newer version is refused
//   f32                the bounding sphere's radius
//   3 x f32, 3 x f32   the bounding box's min and max corners
// A damaged stream, or bounds a system refuses, is refused whole.
#include <vector>

#include "kivo/particles/particle_system_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;
namespace slot = kivo::particle_system;

constexpr uint32_t kStateWord = slot::kLevel + 8;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{renderable::kOwnTable, renderable::kStreamIn, renderable::kStreamOut};

struct Bounds {
  float radius = 0.0f;
  RTFVector3D min{};
  RTFVector3D max{};

  bool Valid() const { return radius >= 0.0f && min.x <= max.x && min.y <= max.y && min.z <= max.z; }
};

struct SystemState {
  Bounds bounds;
  particle_system::ParticleInitializer initializer = nullptr;
  std::vector<RTParticle> particles;
};

SystemState* SystemOf(RTInstance self) { return StateIn<SystemState>(self, kStateWord); }
Bounds* StateOf(RTInstance self) {
  SystemState* system = SystemOf(self);
  return system ? &system->bounds : nullptr;
}

RTSuccess Construct(RTInstance self) { return MakeState<SystemState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<SystemState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  const Bounds* bounds = StateOf(self);
  return bounds && CallParentMethod(self, renderable::kOwnTable, renderable::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteFloat(stream, bounds->radius) &&
                 StreamWriteVector(stream, bounds->min) && StreamWriteVector(stream, bounds->max)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  Bounds* bounds = StateOf(self);
  if (!bounds) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    Bounds read;
    if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamHolds(stream, 28) ||
        !StreamReadFloat(stream, &read.radius) || !StreamReadVector(stream, &read.min) ||
        !StreamReadVector(stream, &read.max) || !read.Valid()) {
      RaiseFormatted(kLevelError,
                     u"RTParticleSystem::StreamIn(): the system's stream is damaged; the system is left as it was");
      return false;
    }
    *bounds = read;
    return true;
  });
}

RTSuccess SetBounds(RTInstance self, float radius, const RTFVector3D* min, const RTFVector3D* max) {
  Bounds* bounds = StateOf(self);
  if (!bounds || !min || !max) return kRTFailure;
  const Bounds changed{radius, *min, *max};
  if (!changed.Valid()) return kRTFailure;
  *bounds = changed;
  return kRTSuccess;
}

RTSuccess SetParticleInitializer(RTInstance self, particle_system::ParticleInitializer initializer) {
  SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
  system->initializer = initializer;
  return kRTSuccess;
}

RTSuccess Start(RTInstance self) {
  SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
  system->particles.assign(particle_system::kParticleCount, RTParticle{});
  if (system->initializer)
    for (RTParticle& particle : system->particles) system->initializer(&particle);
  return kRTSuccess;
}

RTSuccess GetParticles(RTInstance self, const RTParticle** particles, uint32_t* count) {
  SystemState* system = SystemOf(self);
  if (!system || !particles || !count) return kRTFailure;
  *particles = system->particles.data();
  *count = static_cast<uint32_t>(system->particles.size());
  return kRTSuccess;
}

RTSuccess ProcessFrame(RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation*) { return kRTSuccess; }

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  const Bounds* bounds = StateOf(self);
  if (!bounds || !min || !max) return kRTFailure;
  *min = bounds->min;
  *max = bounds->max;
  return kRTSuccess;
}

RTSuccess GetBoundingSphere(RTInstance self, float* radius) {
  const Bounds* bounds = StateOf(self);
  if (!bounds || !radius) return kRTFailure;
  *radius = bounds->radius;
  return kRTSuccess;
}

RTSuccess HasAlpha(RTInstance, RTBool* hasAlpha) {
  if (!hasAlpha) return kRTFailure;
  *hasAlpha = 0;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"ProcessFrame", ProcessFrame, OverrideAt(renderable::kProcessFrame, 0x0), u"RTSuccess",
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation", kOverrides),
    Method(u"GetBoundingBox", GetBoundingBox, OverrideAt(renderable::kGetBoundingBox, 0x4), u"RTSuccess", u"RTFVector3D out opMin, RTFVector3D out opMax",
           kOverrides),
    Method(u"GetBoundingSphere", GetBoundingSphere, OverrideAt(renderable::kGetBoundingSphere, 0x8), u"RTSuccess", u"float out opRadius", kOverrides),
    Method(u"HasAlpha", HasAlpha, OverrideAt(renderable::kHasAlpha, 0xc), u"RTSuccess", u"RTBool out opbHasAlpha", kOverrides),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetBounds", SetBounds, slot::kSetBounds, u"RTSuccess",
           u"float aRadius, RTFVector3D in apMin, RTFVector3D in apMax"),
    Method(u"SetParticleInitializer", SetParticleInitializer, slot::kSetParticleInitializer, u"RTSuccess",
           u"void* apInitializer"),
    Method(u"Start", Start, slot::kStart, u"RTSuccess", u""),
    Method(u"GetParticles", GetParticles, slot::kGetParticles, u"RTSuccess",
           u"void* out oppParticles, uint out opCount"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"A particle system: its bounds and particles, drawn as nothing yet",
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
