// The script's questions on the prop lists and single props: how many of a kind there are and the
// n-th one's node, the single prop nodes, the axes and position of a node, a bed's name and maximum
// severity, the kind of a vending machine, and a node's script object. Nodes travel as the game's
// scene handles: 0 is none. An index outside the list, or a list the first load has not made yet,
// gives no node; the name questions leave the result as the VM set it when no name matches.
#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/wide_string.h"
#include "prop_tables.h"

namespace tesk::game {

namespace {

struct SeverityPrefix {
  const char16_t* prefix;
  uint32_t severity;
};
constexpr SeverityPrefix kSeverities[] = {{u"bed_t", 10}, {u"bed_e", 7}, {u"bed_m", 4}};

struct VendingType {
  const char16_t* model;
  uint32_t type;
};
constexpr VendingType kVendingTypes[] = {
    {u"TESK01-stm-cafeteria-sodamachine01", 0},
    {u"TESK01-stm-cafeteria-chipmachine02", 0},
    {u"TESK01-stm-cafeteria-chipsmachine01", 1},
};

// The rows of a node's placement the axis questions copy, and what they give for no node.
constexpr RTFVector3D kDefaultRows[] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}};
enum Row : uint32_t { kRight, kUp, kAhead, kPosition };

uint32_t HandleOf(GamePrivateData& game, RTInstance node) {
  return node && game.sceneHandles ? game.sceneHandles->Issue(node) : kivo::kNoHandle;
}

// The entry of the list at the index; null outside the list or without one.
RTInstance PropAt(kivo::List* list, int32_t index) {
  void* node = nullptr;
  if (!list || index < 0 || !kivo::ListDataAt(list, static_cast<uint32_t>(index), &node)) return nullptr;
  return static_cast<RTInstance>(node);
}

RTSuccess CountProps(RTInstance self, Cell* result, kivo::List* PropLists::*list) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  kivo::List* props = game->environment.lists.*list;
  result->value.word = props ? props->count : 0;
  return kRTSuccess;
}

RTSuccess NthProp(RTInstance self, uint32_t count, const Cell* arguments, Cell* result,
                  kivo::List* PropLists::*list, bool typed) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  const int32_t index = count < 1 ? -1 : NumberArgument(count, arguments, 0);
  result->value.word = HandleOf(*game, PropAt(game->environment.lists.*list, index));
  if (typed) result->type = varno::kTypeNumber;
  return kRTSuccess;
}

RTSuccess SingleProp(RTInstance self, Cell* result, RTInstance node) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.word = HandleOf(*game, node);
  result->type = varno::kTypeNumber;
  return kRTSuccess;
}

// Copies the row of the node's placement (all four floats) into the result's vector; for no node
// the row's default, with a message.
RTSuccess NodeRow(RTInstance self, uint32_t count, const Cell* arguments, Cell* result, Row row) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || !result->value.vector) return kRTFailure;
  RTFVector3D& out = *result->value.vector;
  RTInstance node = NodeArgument(*game, count, arguments, 0);
  const RTFMatrix4x4* placement = nullptr;
  if (!node || !kivo::scene_node::GetLocalMatrix(node, &placement) || !placement) {
    out = RTFVector3D{kDefaultRows[row].x, kDefaultRows[row].y, kDefaultRows[row].z, out.w};
    Report(u"Invalid node passed in!");
    return kRTSuccess;
  }
  out = RTFVector3D{placement->m[row][0], placement->m[row][1], placement->m[row][2], placement->m[row][3]};
  return kRTSuccess;
}

}  // namespace

namespace method {

#define TESK_GAME_PROP_QUERIES(countName, nodeName, list, typed)                                  \
  TESK_GAME_SCRIPT_METHOD(countName) { return CountProps(self, result, &PropLists::list); }      \
  TESK_GAME_SCRIPT_METHOD(nodeName) {                                                             \
    return NthProp(self, count, arguments, result, &PropLists::list, typed);                      \
  }
TESK_GAME_PROP_LISTS(TESK_GAME_PROP_QUERIES)
#undef TESK_GAME_PROP_QUERIES

TESK_GAME_SCRIPT_METHOD(GetBasketballNode) {
  GamePrivateData* game = RecordOf(self);
  return SingleProp(self, result, game ? game->environment.nodes.basketball : nullptr);
}

TESK_GAME_SCRIPT_METHOD(GetDeconChamberNode) {
  GamePrivateData* game = RecordOf(self);
  return SingleProp(self, result, game ? game->environment.nodes.deconChamber : nullptr);
}

// The first linen cart; the type code stays as the VM set it.
TESK_GAME_SCRIPT_METHOD(GetLinenCartNode) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.word = HandleOf(*game, PropAt(game->environment.lists.linenCarts, 0));
  return kRTSuccess;
}

// 0 for the soda machine and the chip machine 02, 1 for the chips machine 01, by the name of the
// machine's model; any other machine (or none at the index) leaves the result.
TESK_GAME_SCRIPT_METHOD(GetVendingNodeNType) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  RTInstance node =
      count < 1 ? nullptr : PropAt(game->environment.lists.vendingMachines, NumberArgument(count, arguments, 0));
  kivo::InstanceRef model;
  char16_t* name = nullptr;
  if (!node || !kivo::scene_node::GetEntity(node, model.out()) || !model.get() ||
      !kivo::component::GetName(model.get(), &name))
    return kRTSuccess;
  for (const VendingType& row : kVendingTypes)
    if (kivo::WideStrEqualNoCase(name, row.model) == 0) {
      result->value.word = row.type;
      break;
    }
  Core().ArrayFree(nullptr, name);
  return kRTSuccess;
}

// 10, 7 or 4 for a name that begins "bed_t", "bed_e" or "bed_m" (any case); a shorter name or any
// other beginning leaves the result.
TESK_GAME_SCRIPT_METHOD(GetBedMaxSevByName) {
  if (!result) return kRTFailure;
  const char16_t* name = TextArgument(count, arguments, 0);
  for (const SeverityPrefix& row : kSeverities)
    if (WideStrStartsWithNoCase(name, row.prefix)) {
      result->value.word = row.severity;
      break;
    }
  return kRTSuccess;
}

// A copy of the node's name (a core array block, which the VM frees); no node leaves the result.
TESK_GAME_SCRIPT_METHOD(GetBedNameN) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  RTInstance node = NodeArgument(*game, count, arguments, 0);
  char16_t* name = nullptr;
  if (node && kivo::component::GetName(node, &name)) result->value.text = name;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetNodeRight) { return NodeRow(self, count, arguments, result, kRight); }
TESK_GAME_SCRIPT_METHOD(GetNodeUp) { return NodeRow(self, count, arguments, result, kUp); }
TESK_GAME_SCRIPT_METHOD(GetNodeAhead) { return NodeRow(self, count, arguments, result, kAhead); }
TESK_GAME_SCRIPT_METHOD(GetNodePosition) { return NodeRow(self, count, arguments, result, kPosition); }

// The node's script object, which the outline and picking read back; the node joins the
// node-objects list. No node changes nothing.
TESK_GAME_SCRIPT_METHOD(SetNodeObject) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  RTInstance node = NodeArgument(*game, count, arguments, 0);
  if (!node || count < 2 || !Core().IsKindOfByName(nullptr, node, kivo::tesk_scene_node::kClassName))
    return kRTSuccess;
  kivo::tesk_scene_node::SetScriptObject(node, ObjectArgument(count, arguments, 1));
  if (game->environment.lists.nodeObjects) kivo::ListAppend(game->environment.lists.nodeObjects, node);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
