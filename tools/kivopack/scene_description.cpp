#include "scene_description.h"

#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

constexpr uint32_t kStartDesigningFlags = 7;

bool Fail(const SceneBuild& build, const std::string& why) {
  *build.error = why;
  return false;
}

bool IsNumbers(const json& value, size_t count) {
  if (!value.is_array() || value.size() != count) return false;
  for (const json& number : value)
    if (!number.is_number()) return false;
  return true;
}

bool IsWord(const json& value) { return value.is_number_unsigned() && value.get<uint64_t>() <= UINT32_MAX; }

bool IsSignedWord(const json& value) {
  return value.is_number_integer() && value.get<int64_t>() >= INT32_MIN && value.get<int64_t>() <= INT32_MAX;
}

RTFVector3D Point(const json& xyz) { return {xyz[0].get<float>(), xyz[1].get<float>(), xyz[2].get<float>(), 0.0f}; }

bool IsNameList(const json& value) {
  if (!value.is_array()) return false;
  for (const json& name : value)
    if (!name.is_string() || name.get<std::string>().empty()) return false;
  return true;
}

// The placement: a position, or a matrix row by row; the identity when neither is given.
bool ReadPlacement(const SceneBuild& build, const json& node, RTFMatrix4x4* placement) {
  kivo::Mat4Identity(placement);
  if (node.contains("position") && node.contains("matrix"))
    return Fail(build, "a node has a \"position\" or a \"matrix\", not both");
  if (node.contains("position")) {
    if (!IsNumbers(node["position"], 3)) return Fail(build, "a node's \"position\" is [x, y, z]");
    kivo::Mat4SetTranslation(placement, Point(node["position"]));
  }
  if (node.contains("matrix")) {
    if (!IsNumbers(node["matrix"], 16)) return Fail(build, "a node's \"matrix\" is 16 numbers, row by row");
    for (int i = 0; i < 16; ++i) placement->m[i / 4][i % 4] = node["matrix"][i].get<float>();
  }
  return true;
}

// A NODE: a new child of `parent`, described as "node" describes it.
RTInstance MakeChildNode(const SceneBuild& build, const json& description, RTInstance parent) {
  if (!description.is_object() || !description.contains("name") || !description["name"].is_string() ||
      (description.contains("class") && !description["class"].is_string())) {
    Fail(build, "every child node needs a \"name\" (and a \"class\" names its class)");
    return nullptr;
  }
  const std::u16string name = Wide(description["name"].get<std::string>());
  const std::u16string className =
      description.contains("class") ? Wide(description["class"].get<std::string>()) : kivo::tesk_scene_node::kClassName;
  RTInstance node = nullptr;
  if (!build.core.CreateInstanceByString(parent, className.c_str(), &node, 0, 0)) {
    Fail(build, "cannot create an instance of " + Narrow(className) + " (is its component installed?)");
    return nullptr;
  }
  build.made->push_back(node);
  if (!build.core.IsKindOfByName(nullptr, node, kivo::scene_node::kClassName)) {
    Fail(build, "the child node " + Narrow(name) + " is no scene node");
    return nullptr;
  }
  if (!build.core.SetInstanceName(nullptr, node, name.c_str())) {
    Fail(build, "cannot name the child node " + Narrow(name) + " (is the name taken?)");
    return nullptr;
  }
  return DescribeNode(build, description, node) ? node : nullptr;
}

bool MakeChildNodes(const SceneBuild& build, const json& room, const char* field, RTInstance parent,
                    RTSuccess (*add)(RTInstance, RTInstance)) {
  if (!room.contains(field)) return true;
  if (!room[field].is_array()) return Fail(build, std::string("\"") + field + "\" is a list of nodes");
  for (const json& description : room[field]) {
    RTInstance node = MakeChildNode(build, description, parent);
    if (!node) return false;
    if (add && !add(parent, node)) return Fail(build, "the parent refused its node");
  }
  return true;
}

bool AddNames(const SceneBuild& build, const json& room, const char* field, RTInstance instance,
              RTSuccess (*add)(RTInstance, const char16_t*)) {
  if (!room.contains(field)) return true;
  if (!IsNameList(room[field])) return Fail(build, std::string("\"") + field + "\" is a list of room names");
  for (const json& name : room[field])
    if (!add(instance, Wide(name.get<std::string>()).c_str())) return Fail(build, "the room refused a linked room");
  return true;
}

// "openings": the footprint edges that are no walls, by number.
bool ReadOpenings(const SceneBuild& build, const json& room, std::vector<RTBool>* walls) {
  if (!room.contains("openings")) return true;
  const json& openings = room["openings"];
  if (!openings.is_array()) return Fail(build, "a room's \"openings\" are a list of footprint edge numbers");
  for (const json& edge : openings) {
    if (!edge.is_number_unsigned() || edge.get<uint64_t>() >= walls->size())
      return Fail(build,
                  "an opening is the number of a footprint edge, from 0 to " + std::to_string(walls->size() - 1));
    (*walls)[edge.get<size_t>()] = 0;
  }
  return true;
}

// "walls": raised along the footprint's walls, into the bounds node's mesh once it is built.
bool ReadWalls(const SceneBuild& build, const json& description, const std::vector<RTFVector3D>& footprint,
               const std::vector<RTBool>& walls, float floor) {
  if (!description.contains("walls")) return true;
  std::vector<RTFVector2D> outline;
  for (const RTFVector3D& point : footprint) outline.push_back({point.x, point.z});
  RoomWalls raised;
  if (!ReadRoomWalls(description, outline, std::vector<bool>(walls.begin(), walls.end()), floor, &raised, build.error))
    return false;
  raised.room = build.path;
  build.walls->push_back(std::move(raised));
  return true;
}

// "kind" sets the kind bits of an RTTeskSceneNode's state word, over "state".
bool ReadState(const SceneBuild& build, const json& description, RTInstance node) {
  if (!description.contains("state") && !description.contains("kind")) return true;
  namespace t = kivo::tesk_scene_node;
  if (description.contains("state") && !IsWord(description["state"]))
    return Fail(build, "a node's \"state\" is a number from 0 to 4294967295");
  if (description.contains("kind") &&
      (!description["kind"].is_number_unsigned() || description["kind"].get<uint64_t>() > t::KindOf(t::kKindBits)))
    return Fail(build, "a node's \"kind\" is a number from 0 to " + std::to_string(t::KindOf(t::kKindBits)));
  uint32_t word = description.value("state", 0u);
  if (description.contains("kind")) word = t::WithKind(word, description["kind"].get<uint32_t>());
  if (!build.core.IsKindOfByName(nullptr, node, t::kClassName) || !t::SetStateWord(node, word))
    return Fail(build, "only an RTTeskSceneNode has a \"state\" or a \"kind\"");
  return true;
}

// "obstacle": the box the rooms' hit tests collide with, in the node's space.
bool ReadObstacle(const SceneBuild& build, const json& description, RTInstance node) {
  if (!description.contains("obstacle")) return true;
  const json& box = description["obstacle"];
  if (!box.is_array() || box.size() != 2 || !IsNumbers(box[0], 3) || !IsNumbers(box[1], 3))
    return Fail(build, "a node's \"obstacle\" is [[x, y, z], [x, y, z]], its lowest and highest corners");
  const RTFVector3D min = Point(box[0]);
  const RTFVector3D max = Point(box[1]);
  return kivo::scene_node::SetObstacleBox(node, &min, &max) ||
         Fail(build, "the node refused its obstacle box (is a lowest corner above a highest one?)");
}

// "entity": the instance path of what the node carries, looked up once the pack is complete.
bool ReadEntity(const SceneBuild& build, const json& description, RTInstance node) {
  if (!description.contains("entity")) return true;
  const json& path = description["entity"];
  if (!path.is_string() || path.get<std::string>().rfind("Root:", 0) != 0)
    return Fail(build, "a node's \"entity\" is an instance path starting with \"Root:\"");
  build.entities->push_back(PendingEntity{node, Wide(path.get<std::string>())});
  return true;
}

// "animator": the instance path of the node's motion player, looked up once the pack is complete.
bool ReadAnimator(const SceneBuild& build, const json& description, RTInstance node) {
  namespace t = kivo::tesk_scene_node;
  if (!description.contains("animator")) return true;
  const json& path = description["animator"];
  if (!path.is_string() || path.get<std::string>().rfind("Root:", 0) != 0)
    return Fail(build, "a node's \"animator\" is an instance path starting with \"Root:\"");
  if (!build.core.IsKindOfByName(nullptr, node, t::kClassName))
    return Fail(build, "only an RTTeskSceneNode has an \"animator\"");
  build.entities->push_back(
      PendingEntity{node, Wide(path.get<std::string>()), "motion player", u"RTArticulated", t::SetAnimator});
  return true;
}

// "modifiers": the instance paths of the node's motion players (RTRigid instances of the pack),
// which move the node as they play; looked up once the pack is complete.
bool ReadModifiers(const SceneBuild& build, const json& description, RTInstance node) {
  if (!description.contains("modifiers")) return true;
  const json& paths = description["modifiers"];
  if (!paths.is_array()) return Fail(build, "a node's \"modifiers\" are a list of instance paths");
  for (const json& path : paths) {
    if (!path.is_string() || path.get<std::string>().rfind("Root:", 0) != 0)
      return Fail(build, "a node's \"modifiers\" are instance paths starting with \"Root:\"");
    build.entities->push_back(PendingEntity{node, Wide(path.get<std::string>()), "modifier", u"RTRigid",
                                            kivo::scene_node::AddModifier});
  }
  return true;
}

}  // namespace

bool DescribeSceneTree(const SceneBuild& build, const json& description, RTInstance tree) {
  if (!description.is_object() || !description.contains("rooms") || !IsNameList(description["rooms"]))
    return Fail(build, "a \"sceneTree\" has a list of \"rooms\": room references");
  if (description.contains("designingFlags") && !IsWord(description["designingFlags"]))
    return Fail(build, "\"designingFlags\" is a number from 0 to 4294967295");
  if (description.contains("bake") && !description["bake"].is_boolean())
    return Fail(build, "\"bake\" is true or false");
  for (const json& reference : description["rooms"])
    if (!tesk::scene_tree::AddRoomByName(tree, Wide(reference.get<std::string>()).c_str()))
      return Fail(build, "the scene tree refused a room reference");
  const uint32_t flags = description.value("designingFlags", kStartDesigningFlags);
  return tesk::scene_tree::SetDesigningFlags(tree, flags) || Fail(build, "the scene tree refused its flags");
}

bool DescribeRoom(const SceneBuild& build, const json& description, RTInstance room) {
  namespace r = kivo::room;
  if (!description.is_object() || !description.contains("box") || !description["box"].is_array() ||
      description["box"].size() != 2 || !IsNumbers(description["box"][0], 3) || !IsNumbers(description["box"][1], 3))
    return Fail(build, "a \"room\" has a \"box\": [[x, y, z], [x, y, z]], its minimum and maximum corners");
  const RTFVector3D min = Point(description["box"][0]);
  const RTFVector3D max = Point(description["box"][1]);
  std::vector<RTFVector3D> footprint = {
      {min.x, 0, min.z, 0}, {max.x, 0, min.z, 0}, {max.x, 0, max.z, 0}, {min.x, 0, max.z, 0}};
  if (description.contains("footprint")) {
    const json& points = description["footprint"];
    if (!points.is_array() || points.size() < 3) return Fail(build, "a \"footprint\" is 3 or more points [x, z]");
    footprint.clear();
    for (const json& point : points) {
      if (!IsNumbers(point, 2)) return Fail(build, "a \"footprint\" is 3 or more points [x, z]");
      footprint.push_back({point[0].get<float>(), 0, point[1].get<float>(), 0});
    }
  }
  if (description.contains("flags") && !IsWord(description["flags"]))
    return Fail(build, "a room's \"flags\" are a number from 0 to 4294967295");
  for (const char* field : {"pathfindingGroup", "pathfindingKind"})
    if (description.contains(field) && !IsSignedWord(description[field]))
      return Fail(build, std::string("a room's \"") + field + "\" is a whole number from -2147483648 to 2147483647");
  std::vector<RTBool> walls(footprint.size(), 1);
  if (!ReadOpenings(build, description, &walls) || !ReadWalls(build, description, footprint, walls, min.y))
    return false;
  if (!r::SetPathfinding(room, description.value("pathfindingGroup", -1), description.value("pathfindingKind", 0)))
    return Fail(build, "the room refused its pathfinding group and kind");
  if (!r::SetBoundingBox(room, &min, &max) ||
      !r::SetFootprint(room, footprint.data(), static_cast<uint32_t>(footprint.size())) ||
      !r::SetWalls(room, walls.data(), static_cast<uint32_t>(walls.size())) ||
      !r::SetFlags(room, description.value("flags", 0u)))
    return Fail(build, "the room refused its box, footprint, walls or flags");
  if (!AddNames(build, description, "neighbours", room, r::AddNeighbourRoom) ||
      !AddNames(build, description, "further", room, r::AddFurtherRoom) ||
      !MakeChildNodes(build, description, "nodes", room, r::AddNode) ||
      !MakeChildNodes(build, description, "lights", room, r::AddLight))
    return false;
  if (!description.contains("bounds")) return true;
  RTInstance bounds = MakeChildNode(build, description["bounds"], room);
  return bounds && (r::SetBoundsNode(room, bounds) || Fail(build, "the room refused its bounds node"));
}

bool DescribeNode(const SceneBuild& build, const json& description, RTInstance node) {
  if (!description.is_object()) return Fail(build, "a \"node\" is an object");
  RTFMatrix4x4 placement;
  if (!ReadPlacement(build, description, &placement)) return false;
  // The placement goes first: a node of a moving kind would keep its translation pending.
  if (!kivo::scene_node::SetLocalMatrix(node, &placement)) return Fail(build, "the node refused its placement");
  return ReadState(build, description, node) && ReadObstacle(build, description, node) &&
         ReadEntity(build, description, node) && ReadAnimator(build, description, node) &&
         ReadModifiers(build, description, node) && MakeChildNodes(build, description, "children", node, nullptr);
}

bool DescribePlainTree(const SceneBuild& build, const json& description, RTInstance tree) {
  if (!description.is_object() || !description.contains("root"))
    return Fail(build, "a \"plainTree\" is an object with a \"root\" node");
  if (description.contains("nextSetting") && !IsWord(description["nextSetting"]))
    return Fail(build, "a plain tree's \"nextSetting\" is a number from 0 to 4294967295");
  RTInstance root = MakeChildNode(build, description["root"], tree);
  if (!root) return false;
  if (!kivo::plain_scene_tree::SetRootNode(tree, root) ||
      !kivo::plain_scene_tree::SetNextSetting(tree, description.value("nextSetting", 0u)))
    return Fail(build, "the plain tree refused its root node or next setting");
  return true;
}

bool SetEntities(CoreTable& core, const std::vector<PendingEntity>& entities, std::string* error) {
  for (const PendingEntity& pending : entities) {
    kivo::InstanceRef entity;
    if (!core.GetInstanceByName(nullptr, pending.path.c_str(), entity.out(), 0) ||
        (pending.className && !core.IsKindOfByName(nullptr, entity.get(), pending.className))) {
      *error = std::string("there is no ") + pending.role + " " + Narrow(pending.path) + " in the pack";
      return false;
    }
    if (!pending.set(pending.node, entity.get())) {
      *error = std::string("a node refused its ") + pending.role + " " + Narrow(pending.path);
      return false;
    }
  }
  return true;
}

}  // namespace kivopack
