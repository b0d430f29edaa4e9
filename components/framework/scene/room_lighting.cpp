#include "room_lighting.h"

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/instance_ref.h"
#include "room_state.h"

namespace room {

// The entity of the bounds node, when it is a static-lit mesh whose lighting is done.
RTSuccess GetLightingResult(RTInstance self, RTInstance* result) {
  if (!StateOf(self) || !result) return kRTFailure;
  *result = nullptr;
  kivo::InstanceRef bounds;
  kivo::InstanceRef mesh;
  if (!kivo::room::GetBoundsNode(self, bounds.out()) || !bounds.get() ||
      !kivo::scene_node::GetEntity(bounds.get(), mesh.out()) || !mesh.get() ||
      !kivo::ModuleCore()->IsKindOfByName(nullptr, mesh.get(), kivo::static_lit_mesh::kClassName))
    return kRTSuccess;
  RTBool lit = 0;
  if (kivo::static_lit_mesh::IsLit(mesh.get(), &lit) && lit) *result = mesh.Take();
  return kRTSuccess;
}

RTSuccess SetLightsDropped(RTInstance self, RTBool dropped) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  room->lightsDropped = dropped != 0;
  return kRTSuccess;
}

RTSuccess GetLightsDropped(RTInstance self, RTBool* dropped) {
  RoomState* room = StateOf(self);
  if (!room || !dropped) return kRTFailure;
  *dropped = room->lightsDropped ? 1 : 0;
  return kRTSuccess;
}

}  // namespace room
