// RTParticleSystem: a particle system, defined (emitter and look texts, a pool of particles that
// emit and move) or fed by an initialiser (the actor's hand effect); drawn as camera-facing quads
// in the translucent stage (see particle_system_calls.h).
//
// Stream form: RTRenderable's part (through that level's own table), then
//   u32 version        1; a newer version is refused
//   f32                the bounding sphere's radius
//   3 x f32, 3 x f32   the bounding box's min and max corners
// A damaged stream, or bounds a system refuses, is refused whole.
#include <algorithm>
#include <cmath>
#include <vector>

#include "kivo/image/image_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/matrix.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "particle_drawing.h"
#include "particle_pool.h"

namespace {

using namespace kivo;
using namespace kivo::particles;
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
  Bounds bounds;  // as given: those of a system without a definition
  particle_system::ParticleInitializer initializer = nullptr;
  std::vector<RTParticle> particles;          // the initialiser's
  std::vector<ParticleDefinition> parsed;     // handle n is parsed[n - 1]
  bool defined = false;                       // a primary definition with emitter words
  ParticleDefinition look;                    // the secondary definition
  ParticlePool pool;
  std::vector<Quad> quads;                    // sized with the pool: drawing allocates nothing
  InstanceRef image;
  InstanceRef textureRasterizer;              // that made `texture`
  uint32_t texture = 0;
  bool textureTried = false;
  uint32_t blend = slot::kBlendAlpha;
  uint32_t space = slot::kSpaceWorld;
  InstanceRef source;
  RTFMatrix4x4 carrier{};  // the world matrix of the node last drawn at
  bool carrierKnown = false;

  void DropTexture() {
    if (texture && textureRasterizer.get()) rasterizer::DestroyTexture(textureRasterizer.get(), texture);
    texture = 0;
    textureTried = false;
    textureRasterizer.Reset();
  }
};

SystemState* SystemOf(RTInstance self) { return StateIn<SystemState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<SystemState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (SystemState* system = SystemOf(self)) system->DropTexture();
  EndState<SystemState>(self, kStateWord);
  return kRTSuccess;
}

const ParticleDefinition* Parsed(const SystemState& system, uint32_t handle) {
  return handle >= 1 && handle <= system.parsed.size() ? &system.parsed[handle - 1] : nullptr;
}

// The source node's world matrix, or null without a source.
const RTFMatrix4x4* SourceMatrix(const SystemState& system) {
  const RTFMatrix4x4* world = nullptr;
  return system.source.get() && scene_node::GetWorldMatrix(system.source.get(), &world) ? world : nullptr;
}

// The matrix particles that are not in the world are placed by: the source's, else the carrier's.
const RTFMatrix4x4* AnchorMatrix(const SystemState& system) {
  if (const RTFMatrix4x4* source = SourceMatrix(system)) return source;
  return system.carrierKnown ? &system.carrier : nullptr;
}

float Mix(float a, float b, float t) { return a + (b - a) * t; }

void CollectDefinedQuads(SystemState& system) {
  const ParticleDefinition& look = system.look;
  const RTFMatrix4x4* anchor = AnchorMatrix(system);
  system.quads.clear();
  for (const RTLiveParticle& p : system.pool.Particles()) {
    const float t = p.life > 0.0f ? std::min(p.age / p.life, 1.0f) : 1.0f;
    Quad quad{p.position, Mix(look.sizeStart, look.sizeEnd, t),
              RTFColorRGB{Mix(look.colour.r, look.fade.r, t), Mix(look.colour.g, look.fade.g, t),
                          Mix(look.colour.b, look.fade.b, t), Mix(look.colour.a, look.fade.a, t)}};
    if (!p.anchored && anchor) Mat4TransformPoint(*anchor, quad.centre, &quad.centre);
    system.quads.push_back(quad);
  }
}

void CollectRecordQuads(SystemState& system) {
  system.quads.clear();
  for (const RTParticle& p : system.particles) {
    Quad quad{RTFVector3D{p.position.x + p.velocity.x, p.position.y + p.velocity.y, p.position.z + p.velocity.z, 0.0f},
              p.size, RTFColorRGB{p.colour.r, p.colour.g, p.colour.b, 1.0f}};
    if (system.carrierKnown) Mat4TransformPoint(system.carrier, quad.centre, &quad.centre);
    system.quads.push_back(quad);
  }
}

// The image's texture, made at the first draw: an RTBMPImage's pixels with their brightest
// channel as alpha, another image as the rasterizer decodes it. 0 when there is none to be had.
uint32_t TextureOf(SystemState& system, RTInstance rasterizer) {
  if (system.textureTried || !system.image.get()) return system.texture;
  system.textureTried = true;
  const uint8_t* rgb = nullptr;
  uint32_t width = 0, height = 0;
  bool made = false;
  if (ModuleCore()->IsKindOfByName(nullptr, system.image.get(), bmp_image::kClassName) &&
      bmp_image::GetPixels(system.image.get(), &rgb, &width, &height)) {
    std::vector<uint8_t> rgba(size_t{width} * height * 4);
    for (size_t i = 0; i < size_t{width} * height; ++i) {
      std::copy_n(rgb + i * 3, 3, &rgba[i * 4]);
      rgba[i * 4 + 3] = std::max({rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]});
    }
    made = rasterizer::CreateTextureFromPixels(rasterizer, rgba.data(), rasterizer::kPixelsRgba, width, height,
                                               &system.texture, rasterizer::kClampToEdge, rasterizer::kClampToEdge,
                                               rasterizer::kLinear, rasterizer::kLinear, 0);
  } else {
    stream::Seek(system.image.get(), 0);
    made = rasterizer::CreateTextureFromImage(rasterizer, system.image.get(), &system.texture,
                                              rasterizer::kClampToEdge, rasterizer::kClampToEdge, rasterizer::kLinear,
                                              rasterizer::kLinear, 0);
  }
  if (made && ModuleCore()->ResolveHandle(nullptr, rasterizer)) *system.textureRasterizer.out() = rasterizer;
  if (!made) system.texture = 0;
  return system.texture;
}

RTSuccess ProcessFrame(RTInstance self, uint32_t, const RTSceneNodeEntityFrameInformation* frame) {
  SystemState* system = SystemOf(self);
  const RTFMatrix4x4* world = nullptr;
  if (!system || !frame || !frame->node || !scene_node::GetWorldMatrix(frame->node, &world)) return kRTFailure;
  system->carrier = *world;
  system->carrierKnown = true;
  if (system->defined && system->space == slot::kSpaceWorld)
    if (const RTFMatrix4x4* anchor = AnchorMatrix(*system)) system->pool.Anchor(*anchor);
  if (!frame->deferred) return kRTSuccess;  // translucent: drawn in the deferred stage only
  if (system->defined)
    CollectDefinedQuads(*system);
  else
    CollectRecordQuads(*system);
  DrawQuads(frame->rasterizer, frame->camera, system->quads, TextureOf(*system, frame->rasterizer),
            system->blend == slot::kBlendAdd);
  return kRTSuccess;
}

// A defined system's bounds: a cube and a sphere about the node that hold every live particle.
float DefinedRadius(const SystemState& system) {
  const auto& at = system.carrier.m[3];
  const RTFVector3D centre = system.carrierKnown ? RTFVector3D{at[0], at[1], at[2], 0} : RTFVector3D{};
  const float largest = std::max(system.look.sizeStart, system.look.sizeEnd);
  float radius = 0.0f;
  for (const RTLiveParticle& p : system.pool.Particles()) {
    const RTFVector3D from = p.anchored ? centre : RTFVector3D{};
    const float dx = p.position.x - from.x, dy = p.position.y - from.y, dz = p.position.z - from.z;
    radius = std::max(radius, std::sqrt(dx * dx + dy * dy + dz * dz) + largest);
  }
  return radius;
}

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  const SystemState* system = SystemOf(self);
  if (!system || !min || !max) return kRTFailure;
  if (!system->defined) {
    *min = system->bounds.min;
    *max = system->bounds.max;
    return kRTSuccess;
  }
  const float r = DefinedRadius(*system);
  *min = RTFVector3D{-r, -r, -r, 0.0f};
  *max = RTFVector3D{r, r, r, 0.0f};
  return kRTSuccess;
}

RTSuccess GetBoundingSphere(RTInstance self, float* radius) {
  const SystemState* system = SystemOf(self);
  if (!system || !radius) return kRTFailure;
  *radius = system->defined ? DefinedRadius(*system) : system->bounds.radius;
  return kRTSuccess;
}

RTSuccess HasAlpha(RTInstance, RTBool* hasAlpha) {
  if (!hasAlpha) return kRTFailure;
  *hasAlpha = 1;
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  const SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
  const Bounds& bounds = system->bounds;
  return CallParentMethod(self, renderable::kOwnTable, renderable::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteFloat(stream, bounds.radius) &&
                 StreamWriteVector(stream, bounds.min) && StreamWriteVector(stream, bounds.max)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
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
    system->bounds = read;
    return true;
  });
}

RTSuccess SetBounds(RTInstance self, float radius, const RTFVector3D* min, const RTFVector3D* max) {
  SystemState* system = SystemOf(self);
  if (!system || !min || !max) return kRTFailure;
  const Bounds changed{radius, *min, *max};
  if (!changed.Valid()) return kRTFailure;
  system->bounds = changed;
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
  system->quads.reserve(std::max<size_t>(system->quads.capacity(), particle_system::kParticleCount));
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

RTSuccess ParseText(RTInstance self, const char* text, uint32_t* handle) {
  SystemState* system = SystemOf(self);
  if (!system || !handle) return kRTFailure;
  ParticleDefinition definition;
  std::u16string why;
  if (!ParseDefinition(text, &definition, &why)) {
    ModuleCore()->RaiseError(nullptr, why.c_str(), kLevelError);
    return kRTFailure;
  }
  system->parsed.push_back(definition);
  *handle = static_cast<uint32_t>(system->parsed.size());
  return kRTSuccess;
}

RTSuccess SetPrimaryText(RTInstance self, uint32_t handle) {
  SystemState* system = SystemOf(self);
  const ParticleDefinition* definition = system ? Parsed(*system, handle) : nullptr;
  if (!definition) return kRTFailure;
  if (definition->hasLookWords) {
    RaiseFormatted(kLevelError, u"RTParticleSystem::SetPrimaryText(): the emitter's text holds look words");
    return kRTFailure;
  }
  system->defined = definition->hasEmitterWords;
  system->pool.Prepare(*definition);
  system->quads.reserve(std::max<size_t>(system->quads.capacity(), definition->pool));
  return kRTSuccess;
}

RTSuccess SetSecondaryText(RTInstance self, uint32_t handle) {
  SystemState* system = SystemOf(self);
  const ParticleDefinition* definition = system ? Parsed(*system, handle) : nullptr;
  if (!definition) return kRTFailure;
  if (definition->hasEmitterWords) {
    RaiseFormatted(kLevelError, u"RTParticleSystem::SetSecondaryText(): the look's text holds emitter words");
    return kRTFailure;
  }
  system->look = *definition;
  return kRTSuccess;
}

RTSuccess SetImage(RTInstance self, RTInstance image) {
  SystemState* system = SystemOf(self);
  if (!system || (image && !ModuleCore()->IsKindOfByName(nullptr, image, image::kClassName))) return kRTFailure;
  if (image && !ModuleCore()->ResolveHandle(nullptr, image)) return kRTFailure;
  system->DropTexture();
  *system->image.out() = image;
  return kRTSuccess;
}

RTSuccess SetModes(RTInstance self, uint32_t blend, uint32_t space) {
  SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
  const auto known = [](uint32_t mode) { return mode == 1 || mode == 2; };
  if (!known(blend) || !known(space)) {
    RaiseFormatted(kLevelError, u"RTParticleSystem::SetModes(): modes are 1 or 2, not %u and %u", blend, space);
    return kRTFailure;
  }
  system->blend = blend;
  system->space = space;
  return kRTSuccess;
}

RTSuccess SetState(RTInstance self, uint32_t state) {
  SystemState* system = SystemOf(self);
  if (!system || state > slot::kRunning) return kRTFailure;
  if (state == slot::kIdle)
    system->pool.Stop();
  else
    system->pool.Resume();
  return kRTSuccess;
}

RTSuccess SetSourceNode(RTInstance self, RTInstance node) {
  SystemState* system = SystemOf(self);
  if (!system || (node && !ModuleCore()->IsKindOfByName(nullptr, node, scene_node::kClassName))) return kRTFailure;
  if (node && !ModuleCore()->ResolveHandle(nullptr, node)) return kRTFailure;
  *system->source.out() = node;
  return kRTSuccess;
}

RTSuccess StartAt(RTInstance self, uint32_t milliseconds) {
  SystemState* system = SystemOf(self);
  if (!system) return kRTFailure;
  if (system->defined) system->pool.Start(milliseconds, SourceMatrix(*system));
  return kRTSuccess;
}

RTSuccess Advance(RTInstance self, uint32_t milliseconds, RTBool* live) {
  SystemState* system = SystemOf(self);
  if (!system || !live) return kRTFailure;
  if (system->defined) system->pool.Advance(milliseconds, SourceMatrix(*system));
  *live = system->defined && system->pool.Live() ? 1 : 0;
  return kRTSuccess;
}

RTSuccess GetLiveParticles(RTInstance self, const RTLiveParticle** particles, uint32_t* count) {
  SystemState* system = SystemOf(self);
  if (!system || !particles || !count) return kRTFailure;
  *particles = system->pool.Particles().data();
  *count = static_cast<uint32_t>(system->pool.Particles().size());
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
    Method(u"ParseText", ParseText, slot::kParseText, u"RTSuccess", u"uchar[] apText, uint out opHandle"),
    Method(u"SetPrimaryText", SetPrimaryText, slot::kSetPrimaryText, u"RTSuccess", u"uint aHandle"),
    Method(u"SetSecondaryText", SetSecondaryText, slot::kSetSecondaryText, u"RTSuccess", u"uint aHandle"),
    Method(u"SetImage", SetImage, slot::kSetImage, u"RTSuccess", u"RTInstance ahImage"),
    Method(u"SetModes", SetModes, slot::kSetModes, u"RTSuccess", u"uint aModeA, uint aModeB"),
    Method(u"SetState", SetState, slot::kSetState, u"RTSuccess", u"uint aState"),
    Method(u"SetSourceNode", SetSourceNode, slot::kSetSourceNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"StartAt", StartAt, slot::kStartAt, u"RTSuccess", u"uint aMSTime"),
    Method(u"Advance", Advance, slot::kAdvance, u"RTSuccess", u"uint aMSTime, RTBool out opbLive"),
    Method(u"GetLiveParticles", GetLiveParticles, slot::kGetLiveParticles, u"RTSuccess",
           u"void* out oppParticles, uint out opCount"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"A particle system: defined particles that emit and move, or an initialiser's, drawn as quads",
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
