#include "effect_shot.h"

#include "effect_file.h"
#include "kivo/image/stored_data_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "platform/utf.h"
#include "tesk/scene/scene_tree_calls.h"

namespace sceneview {

using kivo::InstanceRef;

ShotEffect::~ShotEffect() {
  if (room_.get() && node_.get()) kivo::room::RemoveNode(room_.get(), node_.get());
}

bool ShotEffect::Place(CoreTable& core, RTInstance tree, const std::string& className, const RTFVector3D& at,
                       std::string* error) {
  const std::string path = "Root:FX:" + className + ".peffect";
  InstanceRef stored, stream;
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  if (!core.GetInstanceByName(nullptr, platform::FromUtf8(path).c_str(), stored.out(), 0) ||
      !core.IsKindOfByName(nullptr, stored.get(), kivo::stored_data::kClassName) ||
      !kivo::stored_data::GetData(stored.get(), &bytes, &size) ||
      !kivo::memory_stream::CreateWith(bytes, size, stream.out())) {
    *error = "there is no effect file at " + path;
    return false;
  }
  if (!core.CreateInstanceByString(nullptr, kivo::part_man::kClassName, manager_.out(), 0, 1) ||
      !core.CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, node_.out(), 0, 1) ||
      !tesk::effects::ReadParticleEffect(stream.get(), manager_.get(), node_.get(), nullptr)) {
    *error = "the effect file at " + path + " cannot be read";
    return false;
  }
  kivo::tesk_scene_node::SetStateWord(node_.get(), tesk::effects::kEffectNodeFlags);
  if (!tesk::scene_tree::GetRoomByPoint(tree, &at, room_.out()) || !kivo::room::AddNode(room_.get(), node_.get())) {
    room_.Reset();
    *error = "no room holds the effect's point";
    return false;
  }
  kivo::scene_node::SetTranslation(node_.get(), &at);
  kivo::tesk_scene_node::RefreshNode(node_.get());
  return true;
}

void ShotEffect::Play(uint32_t milliseconds) {
  int32_t result = 0;
  if (started_) {
    kivo::part_man::Update(manager_.get(), milliseconds, &result);
  } else {
    kivo::part_man::Start(manager_.get(), milliseconds, &result);
    started_ = true;
  }
}

}  // namespace sceneview
