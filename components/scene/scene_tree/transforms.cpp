// The per-frame transform update: every scene node of every room gets its parent matrix, nodes of a
// moving kind move by their pending movement, a node that leaves its room is moved into the room
// that holds it (raising "OnRoomEnter" with that room's name on its script object), and every quad
// item follows its node.
//
// A node is processed once a frame even when it changes rooms during the walk: a marking pass
// stamps every listed node with the frame phase, and processing stamps it with the other phase, so
// a node that moved into a room later in the list is passed over there. The phase is one value for
// the whole library, flipped by each update.
//
// A node that carries no skin is placed by its playing motion players (RTRigid modifiers) first, in
// the order they were added: each sets the node's placement from the frame's milliseconds (see
// rigid_calls.h PlaceNode); a stopped player leaves the last pose. A skin's node is posed by its
// animator when drawn instead.
//
// Only RTTeskSceneNodes have a state word, movement, a script object and a quad item; plain scene
// nodes in a room's lists get their matrices and are never moved.
#include <cmath>
#include <optional>

#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "quad_tree.h"
#include "scene_tree_methods.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;
namespace node_calls = kivo::tesk_scene_node;

constexpr float kStill = 1e-6f;
constexpr char16_t kRoomEnterEvent[] = u"OnRoomEnter";

uint32_t gFramePhase = 0;

struct Walk {
  RTInstance self;
  SceneTreeState& tree;
  uint32_t phase;
  RTFMatrix4x4 identity;
};

uint32_t WithPhase(uint32_t word, uint32_t phase) {
  return (word & ~node_calls::kPhaseBits) | (phase << node_calls::kPhaseShift);
}

uint32_t PhaseOf(uint32_t word) { return (word & node_calls::kPhaseBits) >> node_calls::kPhaseShift; }

// Most nodes are RTTeskSceneNodes themselves: their class is tested first, without climbing the
// class tree.
bool IsTeskNode(const Walk& walk, RTInstance node) {
  const RTComponentHandle tesk = walk.tree.classes.teskSceneNode;
  return Core().IsInstanceOf(nullptr, node, tesk) || Core().IsKindOf(nullptr, node, tesk);
}

bool NodeLists(RTInstance room, List** nodes, List** lights) {
  return room::GetNodeList(room, nodes) && room::GetLightList(room, lights);
}

// The first room of `rooms` that holds the point (skipping rooms out of lookups or disabled when
// asked), with a reference for the caller.
RTInstance FirstHolding(List* rooms, const RTFVector3D& point, bool skipFlagged) {
  for (RTInstance candidate : ListItems<RTInstanceRecord>(rooms)) {
    uint32_t flags = 0;
    if (skipFlagged && (!room::GetFlags(candidate, &flags) || (flags & (room::kOutOfQuadTree | room::kDisabled))))
      continue;
    if (room::ContainsPoint(candidate, &point) && Core().ResolveHandle(nullptr, candidate)) return candidate;
  }
  return nullptr;
}

// The room a node that left `room` now stands in, with a reference; null when none holds it: the
// room's neighbours first, then the room under the point, then the room's further rooms.
RTInstance RoomTakingOver(RTInstance self, RTInstance room, const RTFVector3D& point) {
  List* rooms = nullptr;
  RTInstance found = room::GetNeighbourRooms(room, &rooms) ? FirstHolding(rooms, point, true) : nullptr;
  if (!found) method::GetRoomByPoint(self, &point, &found);
  if (!found && room::GetFurtherRooms(room, &rooms)) found = FirstHolding(rooms, point, false);
  return found;
}

// Queues "OnRoomEnter" with the room's name on the script object.
void RaiseRoomEnter(const SceneTreeState& tree, void* scriptObject, RTInstance room) {
  if (!tree.scriptVM || !scriptObject) return;
  char16_t* name = nullptr;
  if (!component::GetName(room, &name)) return;
  varno::scripting::RaiseEvent(tree.script, tree.scriptVM,
                               static_cast<varno::scripting::Symbol>(scriptObject), kRoomEnterEvent, {name});
  Core().ArrayFree(nullptr, name);
}

// Moves a node that left `room` into the room that holds `point`. A room that refuses to give the
// node up keeps it.
void TrackRoom(const Walk& walk, RTInstance room, RTInstance node, const RTFVector3D& point) {
  const RTFVector3D zero{};
  RTInstance next = room::ContainsPoint(room, &point) ? nullptr : RoomTakingOver(walk.self, room, point);
  if (!next) {
    node_calls::SetVector(node, &zero);
    return;
  }
  if (room::RemoveNode(room, node)) {
    room::AddNode(next, node);
    void* scriptObject = nullptr;
    if (node_calls::GetScriptObject(node, &scriptObject)) RaiseRoomEnter(walk.tree, scriptObject, next);
  }
  Core().ReleaseInstance(nullptr, next);
}

void RefileQuadItem(SceneTreeState& tree, RTInstance teskNode) {
  QuadItem* item = TeskNodeQuadItem(tree, teskNode);
  const RTFMatrix4x4* placement = nullptr;
  if (!item || !tree.quadRoot || !scene_node::GetLocalMatrix(teskNode, &placement)) return;
  const RTFVector3D position{placement->m[3][0], placement->m[3][1], placement->m[3][2], 0.0f};
  const bool wasFiled = item->cell != nullptr;
  // An item below the root that has not moved is still in its cell (a tree of one cell files its
  // items again on every update, which puts them last in its list).
  if (wasFiled && item->cell->parent && position.x == item->position.x && position.y == item->position.y &&
      position.z == item->position.z)
    return;
  item->position = position;
  if (!quad::Update(item) && wasFiled)
    Core().RaiseError(nullptr, u"RTTeskSceneTree::UpdateTransformsRecursive(): Unable to update the quad node.",
                      kLevelError);
}

// A node's state word; nothing for a plain scene node, or one that gives none.
std::optional<uint32_t> StateWordOf(RTInstance node, bool tesk) {
  uint32_t word = 0;
  if (!tesk || !node_calls::GetStateWord(node, &word)) return std::nullopt;
  return word;
}

bool CarriesSkin(const Walk& walk, RTInstance node) {
  RTInstance entity = nullptr;
  if (!scene_node::GetEntity(node, &entity) || !entity) return false;
  const bool skin = Core().IsKindOf(nullptr, entity, walk.tree.classes.boneModel);
  Core().ReleaseInstance(nullptr, entity);
  return skin;
}

void PlaceByPlayers(const Walk& walk, RTInstance node) {
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  const RTFMatrix4x4* local = nullptr;
  if (!scene_node::GetModifierList(node, &modifiers, &count) || count == 0 || CarriesSkin(walk, node) ||
      !scene_node::GetLocalMatrix(node, &local) || !local)
    return;
  RTFMatrix4x4 placement = *local;
  RTBool moved = 0;
  for (uint32_t i = 0; i < count; ++i) {
    RTBool placed = 0;
    if (Core().IsKindOf(nullptr, modifiers[i], walk.tree.classes.rigid) &&
        rigid::PlaceNode(modifiers[i], walk.tree.frameTime, &placement, &placed))
      moved |= placed;
  }
  if (moved) scene_node::SetLocalMatrix(node, &placement);
}

void UpdateRecursive(const Walk& walk, RTInstance room, RTInstance node, bool tesk, std::optional<uint32_t> word);

void UpdateChildren(const Walk& walk, RTInstance node, const RTFMatrix4x4& world) {
  RTInstance child = nullptr;
  scene_node::GetFirstChild(node, &child);
  while (child) {
    scene_node::ApplyParentMatrix(child, &world);
    const bool tesk = IsTeskNode(walk, child);
    UpdateRecursive(walk, nullptr, child, tesk, StateWordOf(child, tesk));
    RTInstance sibling = nullptr;
    scene_node::GetNextSibling(child, &sibling);
    Core().ReleaseInstance(nullptr, child);
    child = sibling;
  }
}

// One node (`tesk` when it is an RTTeskSceneNode, with its state word when it gives one) and the
// nodes below it; `room` is the room whose list holds it (null below that).
void UpdateRecursive(const Walk& walk, RTInstance room, RTInstance node, bool tesk, std::optional<uint32_t> state) {
  const RTFMatrix4x4* world = nullptr;
  if (!node) return;
  PlaceByPlayers(walk, node);
  if (!scene_node::GetWorldMatrix(node, &world)) return;
  RTFVector3D velocity{};
  if (state && node_calls::GetVelocity(node, &velocity)) {
    const uint32_t word = *state;
    const float speed = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y + velocity.z * velocity.z);
    if ((node_calls::IsMovingKind(node_calls::KindOf(word)) && speed > kStill) || walk.tree.designing) {
      const RTFVector3D to{world->m[3][0] + velocity.x, world->m[3][1] + velocity.y, world->m[3][2] + velocity.z, 0.0f};
      if (room) TrackRoom(walk, room, node, to);
      node_calls::ApplyMovement(node);
      node_calls::SetStateWord(node, WithPhase(word, 1 - walk.phase));
    }
  }
  if (tesk) RefileQuadItem(walk.tree, node);
  UpdateChildren(walk, node, *world);
}

// Stamps every listed node with the frame's phase.
void MarkPhase(const Walk& walk, List* nodes) {
  for (RTInstance node : ListItems<RTInstanceRecord>(nodes)) {
    uint32_t word = 0;
    if (IsTeskNode(walk, node) && node_calls::GetStateWord(node, &word))
      node_calls::SetStateWord(node, WithPhase(word, walk.phase));
  }
}

// A node not processed yet this frame (its state word read): plain scene nodes, which never move,
// every time.
bool DueThisFrame(std::optional<uint32_t> word, uint32_t phase) { return !word || PhaseOf(*word) == phase; }

// The nodes of one of the room's lists, each holding a reference while it is processed. Lights are
// processed on every visit; other nodes once a frame. The state word read for the phase test is the
// one the node's update goes on with: handing it the parent matrix leaves it as it was.
void UpdateListed(const Walk& walk, RTInstance room, List* nodes, bool lights) {
  for (ListLink* link = nodes->first; link;) {
    ListLink* next = link->next;  // the node may leave this list
    auto* node = static_cast<RTInstance>(link->data);
    // The next node's record is fetched while this one is worked on.
    if (next) __builtin_prefetch(next->data);
    Core().ResolveHandle(nullptr, node);
    const bool tesk = IsTeskNode(walk, node);
    const std::optional<uint32_t> word = StateWordOf(node, tesk);
    if (lights || DueThisFrame(word, walk.phase)) {
      scene_node::ApplyParentMatrix(node, &walk.identity);
      UpdateRecursive(walk, room, node, tesk, word);
    }
    Core().ReleaseInstance(nullptr, node);
    link = next;
  }
}

}  // namespace

namespace method {

RTSuccess UpdateTransforms(RTInstance self, uint32_t milliseconds) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->scriptVM = nullptr;
  game::GetVM(tree->game, &tree->scriptVM);
  gFramePhase = 1 - gFramePhase;
  Walk walk{self, *tree, gFramePhase, {}};
  Mat4Identity(&walk.identity);
  tree->frameTime = milliseconds;

  List* nodes = nullptr;
  List* lights = nullptr;
  for (RTInstance room : ListItems<RTInstanceRecord>(tree->rooms)) {
    if (!NodeLists(room, &nodes, &lights)) return kRTFailure;
    MarkPhase(walk, nodes);
    MarkPhase(walk, lights);
  }
  for (RTInstance room : ListItems<RTInstanceRecord>(tree->rooms)) {
    if (!NodeLists(room, &nodes, &lights)) return kRTFailure;
    UpdateListed(walk, room, nodes, false);
    UpdateListed(walk, room, lights, true);
  }
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
