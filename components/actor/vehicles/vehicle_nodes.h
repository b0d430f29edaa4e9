// The node moves that the vehicle operations share. A moving kind's translation change is applied
// at once, so that a seat or a vehicle stands where it was put before the next transform update.
#pragma once

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::actor {

inline void MoveNodeTo(RTInstance node, const RTFVector3D& at) {
  kivo::scene_node::SetTranslation(node, &at);
  kivo::tesk_scene_node::ApplyMovement(node);
}

// At its parent's origin, turned `yaw` radians about the vertical.
inline void PlaceAtOrigin(RTInstance node, float yaw) {
  MoveNodeTo(node, RTFVector3D{});
  kivo::scene_node::SetEulerAngles(node, 0.0f, yaw, 0.0f);
}

// The node leaves the room that holds it; false when none does.
inline bool LeaveContainerRoom(RTInstance node) {
  kivo::InstanceRef room;
  if (!kivo::tesk_scene_node::GetNodeRoom(node, room.out()) || !room.get()) return false;
  kivo::room::RemoveNode(room.get(), node);
  return true;
}

// The node leaves its parent node for `parent`.
inline void HangUnder(RTInstance node, RTInstance parent) {
  kivo::scene_node::Detach(node);
  kivo::scene_node::AddChild(parent, node);
}

}  // namespace tesk::actor
