#include "room_walls.h"

#include <algorithm>

#include "mesh_description.h"
#include "tool_support.h"

namespace kivopack {

using nlohmann::json;

bool ReadRoomWalls(const json& room, const std::vector<RTFVector2D>& footprint, const std::vector<bool>& isWall,
                   float floor, RoomWalls* walls, std::string* error) {
  const json& description = room["walls"];
  float height = 0;
  if (!description.is_object() || !description.contains("height") || !FiniteFloat(description["height"], &height) ||
      height <= 0 || !description.contains("material") || !description["material"].is_string())
    return Fail(error, "a room's \"walls\" have a \"height\" above 0 and a \"material\": an RTMaterial instance path");
  const json* bounds = room.contains("bounds") ? &room["bounds"] : nullptr;
  if (!bounds || !bounds->is_object() || !bounds->contains("entity") || !(*bounds)["entity"].is_string())
    return Fail(error, "a room's \"walls\" go into the mesh of its \"bounds\" node: the room needs a \"bounds\" node "
                       "with an \"entity\"");
  if (FootprintTwiceArea(footprint) == 0)
    return Fail(error, "a room with \"walls\" needs a footprint that encloses an area");
  walls->mesh = Wide((*bounds)["entity"].get<std::string>());
  walls->material = description["material"].get<std::string>();
  walls->shape = GenerateWalls(footprint, isWall, floor, height);
  return true;
}

bool AddWalls(const RoomWalls& walls, MeshSource* mesh, std::vector<kivo::InstanceRef>* materials,
              std::string* error) {
  kivo::InstanceRef material;
  if (!FindMaterial(walls.material, &material))
    return Fail(error, "the walls of " + Narrow(walls.room) + " name the material " + walls.material +
                           ", which is no RTMaterial of the pack");
  const auto same = [&](const kivo::InstanceRef& each) { return each.get() == material.get(); };
  const size_t group = std::find_if(materials->begin(), materials->end(), same) - materials->begin();
  if (group == materials->size()) materials->push_back(std::move(material));
  AppendShape(walls.shape, group, mesh);
  return true;
}

}  // namespace kivopack
