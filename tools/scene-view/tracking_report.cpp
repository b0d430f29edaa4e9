#include "tracking_report.h"

#include <cstdio>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "platform/utf.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace sceneview {

namespace {

using namespace kivo;
using tesk::scene_tree::QuadItem;
using tesk::scene_tree::QuadTreeNode;

constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kFrameMs = 33;

std::string NameOf(RTInstance instance) {
  if (!instance) return "none";
  char16_t name[kNameUnits] = {};
  ModuleCore()->GetInstanceName(nullptr, instance, name, kNameUnits);
  return platform::ToUtf8(name);
}

template <class... Args>
std::string Printed(const char* format, Args... args) {
  char line[512];
  std::snprintf(line, sizeof line, format, args...);
  return line;
}

// Adding 0 prints -0 as 0.
std::string Point(const RTFVector3D& p) { return Printed("(%.2f, %.2f, %.2f)", p.x + 0.0f, p.y + 0.0f, p.z + 0.0f); }

RTFVector3D Translation(RTInstance node) {
  const RTFMatrix4x4* local = nullptr;
  if (!scene_node::GetLocalMatrix(node, &local)) return RTFVector3D{};
  return RTFVector3D{local->m[3][0], local->m[3][1], local->m[3][2], 0};
}

// The room of the tree whose node list holds the node; null for none.
RTInstance RoomListing(RTInstance tree, RTInstance node) {
  List* rooms = nullptr;
  tesk::scene_tree::GetRoomList(tree, &rooms);
  for (RTInstance room : ListItems<RTInstanceRecord>(rooms)) {
    List* nodes = nullptr;
    room::GetNodeList(room, &nodes);
    for (RTInstance listed : ListItems<RTInstanceRecord>(nodes))
      if (listed == node) return room;
  }
  return nullptr;
}

// The number of the leaf the node's quad item is filed in (leaves in the order they were made), or
// "-" when it is filed in none.
std::string LeafOf(RTInstance tree, RTInstance node) {
  const auto& state =
      *static_cast<const tesk::scene_tree::SceneTreeState*>(Word(ComponentObject(tree), tesk::scene_tree::kStateWord));
  void* item = nullptr;
  tesk_scene_node::GetQuadItem(node, &item);
  const QuadTreeNode* cell = item ? static_cast<const QuadItem*>(item)->cell : nullptr;
  uint32_t number = 0;
  for (const QuadTreeNode* leaf : ListItems<QuadTreeNode>(state.leaves)) {
    if (leaf == cell) return std::to_string(number);
    ++number;
  }
  return "-";
}

std::string Where(RTInstance tree, RTInstance node) {
  return Point(Translation(node)) + " in " + NameOf(RoomListing(tree, node)) + ", leaf " + LeafOf(tree, node);
}

}  // namespace

std::string MoveSection(RTInstance tree, const Move& move, std::string* error) {
  CoreTable& core = *ModuleCore();
  InstanceRef node;
  const std::u16string path = platform::FromUtf8(move.node);
  if (!core.GetInstanceByName(nullptr, path.c_str(), node.out(), 0) ||
      !core.IsKindOfByName(nullptr, node.get(), tesk_scene_node::kClassName) || !RoomListing(tree, node.get())) {
    *error = move.node + " is no RTTeskSceneNode listed in a room of the tree";
    return "";
  }
  uint32_t word = 0;
  tesk_scene_node::GetStateWord(node.get(), &word);
  tesk::scene_tree::QTAddNode(tree, node.get());
  std::string text = Printed("move %s by (%.2f, %.2f) for %u frames, kind %u\n", move.node.c_str(), move.dx, move.dz,
                             move.frames, tesk_scene_node::KindOf(word));
  text += "  start " + Where(tree, node.get()) + "\n";
  RTInstance room = RoomListing(tree, node.get());
  for (uint32_t frame = 1; frame <= move.frames; ++frame) {
    const RTFVector3D at = Translation(node.get());
    const RTFVector3D to{at.x + move.dx, at.y, at.z + move.dz, 0};
    scene_node::SetTranslation(node.get(), &to);
    tesk::scene_tree::UpdateTransforms(tree, frame * kFrameMs);
    RTInstance now = RoomListing(tree, node.get());
    if (now == room) continue;
    text += Printed("  frame %u: %s -> ", frame, NameOf(room).c_str()) + Where(tree, node.get()) + "\n";
    room = now;
  }
  return text + "  end " + Where(tree, node.get()) + "\n";
}

std::string ProbeLine(RTInstance tree, const Probe& probe) {
  float distance = 0;
  RTFVector3D point{}, normal{};
  uint32_t wordA = 0;
  InstanceRef wordB;
  const bool hit = probe.sphere
                       ? tesk::scene_tree::SphereHitTest(tree, nullptr, &probe.start, &probe.vector, probe.radius,
                                                         &distance, &point, &normal, &wordA, wordB.out())
                       : tesk::scene_tree::RayHitTest(tree, nullptr, &probe.start, &probe.vector, &distance, &point,
                                                      &wordA, wordB.out());
  std::string text = probe.sphere ? Printed("  sphere %.2f from ", probe.radius) : std::string("  ray from ");
  text += Point(probe.start) + (probe.sphere ? " by " : " along ") + Point(probe.vector) + ": ";
  if (!hit) return text + "no hit\n";
  text += Printed("distance %.3f, point ", distance) + Point(point);
  if (probe.sphere) text += ", normal " + Point(normal);
  return text + (wordA == room::kHitObstacle ? ", obstacle " + NameOf(wordB.get()) : std::string(", wall")) + "\n";
}

}  // namespace sceneview
