#include "anim_object.h"

#include <algorithm>

#include "environment.h"
#include "game_context.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

namespace node_calls = kivo::scene_node;

constexpr char16_t kTempPath[] = u"Root:OBJ_TEMP";
constexpr char16_t kTempName[] = u"OBJ_TEMP";
constexpr uint32_t kCopyFlags = 0x59;  // mode 9, kind 5
constexpr float kNoBox = 1000000.0f;

bool Create(RTInstance parent, const char16_t* className, kivo::InstanceRef* made) {
  return Core().CreateInstanceByString(parent, className, made->out(), 0, 1) && made->get();
}

// A player for the copy, filled from the source's first modifier.
bool CopyModifiers(TempHolder& holder, RTInstance source, RTInstance copy) {
  uint32_t count = 0;
  if (!node_calls::GetModifierCount(source, &count) || count == 0) return true;
  const RTInstance* modifiers = nullptr;
  kivo::InstanceRef rigid;
  if (!node_calls::GetModifierList(source, &modifiers, &count) ||
      !Create(holder.component, kivo::rigid::kClassName, &rigid))
    return false;
  if (count && modifiers && Core().IsKindOfByName(nullptr, modifiers[0], kivo::rigid::kClassName))
    kivo::rigid::CopyInto(modifiers[0], rigid.get());
  if (!node_calls::AddModifier(copy, rigid.get())) return false;
  kivo::ListAppend(holder.rigidList, rigid.get());
  return true;
}

bool CopyChildren(TempHolder& holder, RTInstance game, RTInstance source, RTInstance copy, bool outline) {
  kivo::InstanceRef child;
  node_calls::GetFirstChild(source, child.out());
  while (child.get()) {
    kivo::InstanceRef childCopy;
    if (!TempCloneNode(&holder, game, child.get(), childCopy.out(), outline) ||
        !node_calls::AddChild(copy, childCopy.get()))
      return false;
    kivo::InstanceRef next;
    node_calls::GetNextSibling(child.get(), next.out());
    child = std::move(next);
  }
  return true;
}

// The copy's obstacle box: the first copy's model's box, folded into an empty box, in the node's
// own space (the rooms place it by the node's world matrix); none without a model.
void GiveBox(TempHolder& holder, RTInstance copy) {
  RTFVector3D min{kNoBox, kNoBox, kNoBox, 0.0f};
  RTFVector3D max{-kNoBox, -kNoBox, -kNoBox, 0.0f};
  kivo::InstanceRef model;
  RTFVector3D low{}, high{};
  if (!holder.firstCopy || !node_calls::GetEntity(holder.firstCopy, model.out()) || !model.get() ||
      !kivo::renderable::GetBoundingBox(model.get(), &low, &high))
    return;
  min = RTFVector3D{std::min(min.x, low.x), std::min(min.y, low.y), std::min(min.z, low.z), 0.0f};
  max = RTFVector3D{std::max(max.x, high.x), std::max(max.y, high.y), std::max(max.z, high.z), 0.0f};
  node_calls::SetObstacleBox(copy, &min, &max);
}

// The copy takes the static node's placement and its place in the static node's room.
void TakePlaceOf(RTInstance staticNode, RTInstance copy) {
  const RTFMatrix4x4* placement = nullptr;
  if (node_calls::GetLocalMatrix(staticNode, &placement) && placement) {
    const RTFMatrix4x4 local = *placement;
    node_calls::SetLocalMatrix(copy, &local);
  }
  kivo::InstanceRef room;
  if (!kivo::tesk_scene_node::GetNodeRoom(staticNode, room.out()) || !room.get()) return;
  kivo::room::RemoveNode(room.get(), staticNode);
  kivo::room::AddNode(room.get(), copy);
}

}  // namespace

RTSuccess TempHolderCreate(TempHolder* holder) {
  if (!holder) return kRTFailure;
  *holder = TempHolder{};
  if (!Core().GetInstanceByName(nullptr, kTempPath, &holder->component, 0) || !holder->component) {
    holder->component = nullptr;
    if (!Core().CreateInstanceByString(nullptr, u"RTComponent", &holder->component, 0, 0) || !holder->component ||
        !Core().SetInstanceName(nullptr, holder->component, kTempName)) {
      Release(holder->component);
      return kRTFailure;
    }
  }
  return kivo::ListCreate(&holder->rigidList) && kivo::ListCreate(&holder->nodeList) ? kRTSuccess : kRTFailure;
}

void TempHolderDestroy(TempHolder* holder) {
  if (!holder) return;
  kivo::ListDestroy(holder->rigidList);
  kivo::ListDestroy(holder->nodeList);
  Release(holder->component);
  delete holder;
}

RTSuccess TempCloneNode(TempHolder* holder, RTInstance game, RTInstance source, RTInstance* copy, bool outline) {
  if (!holder || !holder->component || !source || !copy) return kRTFailure;
  *copy = nullptr;
  kivo::InstanceRef made;
  const RTFMatrix4x4* placement = nullptr;
  if (!Create(holder->component, kivo::tesk_scene_node::kClassName, &made) ||
      !node_calls::GetLocalMatrix(source, &placement) || !placement ||
      !node_calls::SetLocalMatrix(made.get(), placement))
    return kRTFailure;
  kivo::InstanceRef object;
  node_calls::GetEntity(source, object.out());
  if (object.get()) {
    node_calls::SetEntity(made.get(), object.get());
    if (outline) SetOutline(game, object.get(), true);
  }
  kivo::ListAppend(holder->nodeList, made.get());
  kivo::tesk_scene_node::SetStateWord(made.get(), kCopyFlags);
  if (!holder->firstCopy) holder->firstCopy = made.get();
  if (!CopyModifiers(*holder, source, made.get()) || !CopyChildren(*holder, game, source, made.get(), outline))
    return kRTFailure;
  *copy = made.Take();
  return kRTSuccess;
}

RTSuccess LoadAnimatedObject(RTInstance self, RTInstance staticNode, const char16_t* path, RTInstance* copy,
                             uint32_t mode) {
  if (!copy) return kRTFailure;
  *copy = nullptr;
  kivo::InstanceRef asset;
  kivo::InstanceRef root;
  Core().GetInstanceByName(nullptr, path, asset.out(), 0);
  if (!asset.get() || !kivo::plain_scene_tree::GetRootNode(asset.get(), root.out()) || !root.get()) return kRTSuccess;
  auto* holder = new TempHolder{};
  if (!TempHolderCreate(holder)) {
    TempHolderDestroy(holder);
    return kRTFailure;
  }
  kivo::InstanceRef made;
  const bool copied = TempCloneNode(holder, self, root.get(), made.out(), mode == 1);
  if (copied) {
    if (staticNode) TakePlaceOf(staticNode, made.get());
    GiveBox(*holder, made.get());
    *copy = made.Take();
  }
  TempHolderDestroy(holder);
  return copied ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::game
