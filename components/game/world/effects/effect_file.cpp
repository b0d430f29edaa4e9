#include "effect_file.h"

#include <vector>

#include "kivo/image/image_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace tesk::effects {

namespace {

using namespace kivo;

constexpr uint32_t kClassNameUnits = 255;
constexpr uint32_t kSmallestSystemRecord = 4;

// A core array block freed when it goes.
template <class T>
struct CoreText {
  T* text = nullptr;
  ~CoreText() { ModuleCore()->ArrayFree(nullptr, text); }
};

bool Make(RTInstance folder, const char16_t* className, InstanceRef* out) {
  return ModuleCore()->CreateInstanceByString(folder, className, out->out(), 0, 1) && out->get();
}

// The image of a record with its flag set; false when its class is no image class or its stream
// is refused.
bool ReadImage(RTInstance stream, uint32_t version, RTInstance folder, InstanceRef* image) {
  CoreText<char16_t> named;
  if (version >= kFirstSystemWithClassAndModes &&
      !StreamReadWStringBounded(stream, kClassNameUnits, &named.text))
    return false;
  const char16_t* className = version >= kFirstSystemWithClassAndModes ? named.text : bmp_image::kClassName;
  if (!image::IsImageClassName(className)) {
    RaiseFormatted(kLevelError, u"ReadParticleEffect(): %s is no image class; the effect is refused", className);
    return false;
  }
  return Make(folder, className, image) && component::StreamIn(image->get(), component::kStreamWhole, stream);
}

// One system record into a new system on a new node under the effect's node (`hung` gets the
// node as soon as it hangs there).
bool ReadSystemRecord(RTInstance stream, RTInstance manager, RTInstance effectNode, RTInstance folder,
                      std::vector<RTInstance>* hung) {
  InstanceRef system, node, image;
  if (!Make(folder, particle_system::kClassName, &system) || !Make(folder, tesk_scene_node::kClassName, &node) ||
      !scene_node::SetEntity(node.get(), system.get()) || !scene_node::AddChild(effectNode, node.get()))
    return false;
  hung->push_back(node.get());
  tesk_scene_node::SetStateWord(node.get(), kEffectNodeFlags);
  uint32_t version = 0, spare = 0, flag = 0, blend = 1, space = 1;
  CoreText<char> look, emitter;
  if (!StreamReadUInt(stream, &version)) return false;
  if (version > kSystemVersion) {
    ModuleCore()->RaiseError(nullptr, u"File version is newer than reader!", kLevelError);
    return false;
  }
  if (version >= kFirstSystemWithTexts &&
      (!StreamReadUInt(stream, &spare) || !StreamReadNarrowString(stream, &look.text) ||
       !StreamReadNarrowString(stream, &emitter.text)))
    return false;
  if (version >= kFirstSystemWithImage && !StreamReadByte(stream, &flag)) return false;
  if (flag && !ReadImage(stream, version, folder, &image)) return false;
  if (version >= kFirstSystemWithClassAndModes && (!StreamReadUInt(stream, &blend) || !StreamReadUInt(stream, &space)))
    return false;
  uint32_t primary = 0, secondary = 0;
  return particle_system::ParseText(system.get(), emitter.text, &primary) &&
         particle_system::SetPrimaryText(system.get(), primary) &&
         particle_system::ParseText(system.get(), look.text, &secondary) &&
         particle_system::SetSecondaryText(system.get(), secondary) &&
         particle_system::SetImage(system.get(), image.get()) &&
         particle_system::SetModes(system.get(), blend, space) &&
         particle_system::SetState(system.get(), particle_system::kIdle) &&
         part_man::AddSystem(manager, system.get());
}

bool ReadEffect(RTInstance stream, RTInstance manager, RTInstance effectNode, RTInstance folder,
                std::vector<RTInstance>* hung) {
  uint32_t version = 0;
  if (!StreamReadUInt(stream, &version) || version > kEffectVersion) return false;
  if (version < kEffectVersion) return true;
  CoreText<char> title, options;
  uint32_t count = 0;
  if (!StreamReadNarrowString(stream, &title.text) || !StreamReadNarrowString(stream, &options.text) ||
      !part_man::SetTextB(manager, options.text) || !part_man::SetTextA(manager, title.text) ||
      !StreamReadUInt(stream, &count) || !StreamHolds(stream, uint64_t{count} * kSmallestSystemRecord))
    return false;
  for (uint32_t i = 0; i < count; ++i)
    if (!ReadSystemRecord(stream, manager, effectNode, folder, hung)) return false;
  return true;
}

}  // namespace

bool ReadParticleEffect(RTInstance stream, RTInstance manager, RTInstance effectNode, RTInstance folder) {
  if (!stream || !manager || !effectNode || !part_man::Clear(manager)) return false;
  std::vector<RTInstance> hung;
  if (ReadEffect(stream, manager, effectNode, folder, &hung)) return true;
  part_man::Clear(manager);
  for (RTInstance node : hung) scene_node::Detach(node);
  return false;
}

}  // namespace tesk::effects
