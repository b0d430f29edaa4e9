#include "talking_head.h"

#include "game_context.h"
#include "head_table.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/format.h"

namespace tesk::game {

namespace {

namespace rigid = kivo::rigid;
namespace node = kivo::scene_node;

// The id or mesh name raised, and whatever was started given up.
bool Refuse(GamePrivateData& game, const char16_t* message) {
  Report(message);
  StopTalkingHead(game);
  return false;
}

RTInstance Lookup(const std::u16string& path) {
  RTInstance found = nullptr;
  Core().GetInstanceByName(nullptr, path.c_str(), &found, 0);
  return found;
}

// The animator plays the head motion, once, from its start: its motion time (the setting prop
// animations leave alone) 0, started, not looping.
bool PlayHeadMotion(const HeadScene& head) {
  uint32_t index = 0;
  return kivo::tesk_scene_node::SetAnimator(head.headNode, head.animator) &&
         rigid::AppendMotion(head.animator, head.motion, &index) && rigid::SetMotion(head.animator, index) &&
         rigid::SetMotionTime(head.animator, 0.0f) && rigid::SetPlaying(head.animator, 1) &&
         rigid::SetLooping(head.animator, 0);
}

}  // namespace

bool StartTalkingHead(GamePrivateData& game, const char16_t* speechName) {
  HeadScene& head = game.environment.head;
  const char16_t* id = speechName ? speechName : u"";
  StopTalkingHead(game);
  if (!head.cameraNode || !head.headNode || !head.animator) return false;
  const HeadRow* row = FindHeadRow(id);
  if (!row) return Refuse(game, id);
  node::SetTranslation(head.cameraNode, &row->cameraPosition);
  head.motion = Lookup(kivo::Format(u"Root:Heads:Assets:Motions:%s_%s", row->motionPrefix, id));
  if (!head.motion) return Refuse(game, id);
  head.mesh = Lookup(kivo::Format(u"Root:Heads:Assets:Meshes:Skins:%s", row->mesh));
  if (!head.mesh) return Refuse(game, row->mesh);
  if (!node::SetEntity(head.headNode, head.mesh) || !PlayHeadMotion(head)) return Refuse(game, row->mesh);
  return true;
}

RTSuccess StopTalkingHead(GamePrivateData& game) {
  HeadScene& head = game.environment.head;
  if (head.headNode) node::SetEntity(head.headNode, nullptr);
  Release(head.mesh);
  if (head.animator) rigid::ClearMotions(head.animator);
  Release(head.motion);
  return kRTSuccess;
}

}  // namespace tesk::game
