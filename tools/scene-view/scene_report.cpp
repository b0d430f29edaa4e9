#include "scene_report.h"

#include <cstdio>
#include <map>

#include "kivo/scene/room_calls.h"
#include "kivo/slots.h"
#include "kivo/support/module_core.h"
#include "platform/utf.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace sceneview {

namespace {

using namespace kivo;
using tesk::scene_tree::QuadTreeNode;

constexpr uint32_t kNameUnits = 512;
constexpr const char* kDirectionNames[tesk::scene_tree::kDirections] = {"n", "nw", "w", "sw", "s", "se", "e", "ne"};

std::string NameOf(RTInstance instance) {
  char16_t name[kNameUnits] = {};
  ModuleCore()->GetInstanceName(nullptr, instance, name, kNameUnits);
  return platform::ToUtf8(name);
}

template <class... Args>
std::string Printed(const char* format, Args... args) {
  char line[256];
  std::snprintf(line, sizeof line, format, args...);
  return line;
}

std::string Square(const QuadTreeNode& cell) {
  return Printed("(%.2f, %.2f)-(%.2f, %.2f)", cell.min.x, cell.min.z, cell.max.x, cell.max.z);
}

const tesk::scene_tree::SceneTreeState& StateOf(RTInstance tree) {
  return *static_cast<const tesk::scene_tree::SceneTreeState*>(
      Word(ComponentObject(tree), tesk::scene_tree::kStateWord));
}

}  // namespace

std::string RoomsSection(RTInstance tree) {
  List* rooms = nullptr;
  tesk::scene_tree::GetRoomList(tree, &rooms);
  std::string text = Printed("rooms: %u\n", rooms ? rooms->count : 0);
  for (RTInstance room : ListItems<RTInstanceRecord>(rooms)) {
    uint32_t flags = 0;
    room::GetFlags(room, &flags);
    text += Printed("  %-24s flags 0x%08X\n", NameOf(room).c_str(), flags);
  }
  return text;
}

std::string LeavesSection(RTInstance tree) {
  const auto& state = StateOf(tree);
  if (!state.quadRoot || !state.leaves) return "leaves: no quad tree\n";
  std::map<const QuadTreeNode*, uint32_t> number;
  for (const QuadTreeNode* leaf : ListItems<QuadTreeNode>(state.leaves))
    number.emplace(leaf, static_cast<uint32_t>(number.size()));
  std::string text = Printed("leaves: %u in ", state.leaves->count) + Square(*state.quadRoot) + "\n";
  for (const QuadTreeNode* leaf : ListItems<QuadTreeNode>(state.leaves)) {
    text += Printed("  %3u ", number[leaf]) + Square(*leaf) + " rooms";
    for (RTInstance room : ListItems<RTInstanceRecord>(leaf->rooms)) text += " " + NameOf(room);
    text += " | neighbours";
    for (uint32_t d = 0; d < tesk::scene_tree::kDirections; ++d) {
      const QuadTreeNode* neighbour = leaf->neighbours[d];
      text += std::string(" ") + kDirectionNames[d] + ":" + (neighbour ? std::to_string(number[neighbour]) : "-");
    }
    text += "\n";
  }
  return text;
}

std::string PointsSection(RTInstance tree, const std::vector<RTFVector3D>& points) {
  std::string text = points.empty() ? "" : "points:\n";
  for (const RTFVector3D& point : points) {
    RTInstance room = nullptr;
    const bool found = tesk::scene_tree::GetRoomByPoint(tree, &point, &room);
    text += Printed("  (%.2f, %.2f, %.2f) ", point.x, point.y, point.z) + (found ? NameOf(room) : "no room") + "\n";
    if (found) ModuleCore()->ReleaseInstance(nullptr, room);
  }
  return text;
}

}  // namespace sceneview
