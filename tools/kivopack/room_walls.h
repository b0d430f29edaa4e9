// The walls of a room description, raised in the room's own geometry:
//   "room": {..., "walls": {"height": 2.4, "material": "Root:Tesk:Assets:Materials:Plaster"},
//            "bounds": {"name": "shell", "entity": "Root:Tesk:Assets:Meshes:ExamFloor"}}
// A wall stands on every footprint edge that is no opening, from the bottom of the room's box up
// the height, facing the room's inside only (GenerateWalls, mesh_shapes.h). The walls go into the
// mesh of the room's bounds node, which the description builds with a "mesh", as a group drawn
// with their material: a room draws that mesh, and the baking lights and shades it, as the room's
// own geometry.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "kivo/support/instance_ref.h"
#include "mesh_shapes.h"

namespace kivopack {

struct RoomWalls {
  std::u16string room;      // the room's instance path, for messages
  std::u16string mesh;      // the bounds node's entity, which takes the walls
  std::string material;     // the walls' material: an RTMaterial instance path of the pack
  MeshSource shape;
};

// The "walls" of a room description over its footprint, the edges that are walls and the bottom of
// its box; false, with `error` saying why, when they are not as above.
bool ReadRoomWalls(const nlohmann::json& room, const std::vector<RTFVector2D>& footprint,
                   const std::vector<bool>& isWall, float floor, RoomWalls* walls, std::string* error);

// The walls added to a mesh's geometry, in the group of their material (added to `materials` when
// the mesh has it not).
bool AddWalls(const RoomWalls& walls, MeshSource* mesh, std::vector<kivo::InstanceRef>* materials,
              std::string* error);

}  // namespace kivopack
