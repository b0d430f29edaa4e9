#include "planner_state.h"

#include <cstring>

#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"

namespace kivo::planner {

namespace {

void DestroyGroup(void* value) {
  auto* group = static_cast<GroupNodes*>(value);
  ListClear(&group->list);
  CoreFree(group->indexes);
  FreeNearestIndex(group->nearest);
  CoreFree(group);
}

GroupNodes* NewGroup(HashTable* groups, uint32_t key) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(GroupNodes), &block, 1)) return nullptr;
  auto* group = static_cast<GroupNodes*>(block);
  if (!HashTableInsert(groups, key, group)) {
    CoreFree(group);
    return nullptr;
  }
  return group;
}

bool AddToGroup(GroupNodes* group, uint32_t index) {
  if (group->indexCount == group->capacity) {
    const uint32_t capacity = group->capacity ? group->capacity * 2 : 16;
    void* grown = nullptr;
    if (capacity > UINT32_MAX / sizeof(uint32_t) ||
        !ModuleCore()->MemRealloc(nullptr, capacity * static_cast<uint32_t>(sizeof(uint32_t)), group->indexes, &grown))
      return false;
    group->indexes = static_cast<uint32_t*>(grown);
    group->capacity = capacity;
  }
  group->indexes[group->indexCount++] = index;
  return true;
}

void FreeLinks(RoutePlannerState* state) {
  CoreFree(state->linkPairs);
  state->linkPairs = nullptr;
  CoreFree(state->links);
  state->links = nullptr;
}

void FreeGroups(RoutePlannerState* state) {
  if (state->groups) HashTableDestroy(state->groups);
  state->groups = nullptr;
  if (state->allNodes) ListClear(state->allNodes);
  FreeNearestIndex(state->allNodesIndex);
  state->allNodesIndex = nullptr;
}

void FreeNodes(RoutePlannerState* state) {
  FreeGroups(state);
  FreeLinks(state);
  CoreFree(state->search);
  state->search = nullptr;
  OpenListClear(&state->open);
  ModuleCore()->ArrayFree(nullptr, state->nodes);
  state->nodes = nullptr;
  state->nodeCount = 0;
}

}  // namespace

RoutePlannerState* StateOf(RTInstance self) {
  return self ? static_cast<RoutePlannerState*>(Word(ComponentObject(self), kStateWord)) : nullptr;
}

RTSuccess CreateState(RTInstance self) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(RoutePlannerState), &block, 1)) return kRTFailure;
  auto* state = static_cast<RoutePlannerState*>(block);
  if (!ListCreate(&state->allNodes)) {
    CoreFree(state);
    return kRTFailure;
  }
  Word(ComponentObject(self), kStateWord) = state;
  return kRTSuccess;
}

void DestroyState(RTInstance self) {
  RoutePlannerState* state = StateOf(self);
  if (!state) return;
  // The pathway is released only while it is alive: when the core takes a whole tree down it may
  // already have destroyed it, and then its UUID no longer finds it.
  if (state->pathway) {
    RTInstance alive = nullptr;
    if (ModuleCore()->GetInstanceByUUID(nullptr, &state->pathwayId, &alive) && alive == state->pathway) {
      ModuleCore()->ReleaseInstance(nullptr, alive);
      ModuleCore()->ReleaseInstance(nullptr, state->pathway);
    } else if (alive) {
      ModuleCore()->ReleaseInstance(nullptr, alive);
    }
  }
  OpenListDestroy(&state->open);
  FreeNodes(state);
  ListDestroy(state->allNodes);
  ModuleCore()->ArrayFree(nullptr, state->edges);
  CoreFree(state);
  Word(ComponentObject(self), kStateWord) = nullptr;
}

bool AllocateNodes(uint32_t count, NodeArrays* out) {
  *out = NodeArrays{};
  void* nodes = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(RTRoutePlannerNode), count, &nodes, 1)) return false;
  void* links = nullptr;
  if (uint64_t{count} * sizeof(NodeLinks) > UINT32_MAX ||
      (count && !ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(sizeof(NodeLinks) * count), &links, 1))) {
    ModuleCore()->ArrayFree(nullptr, nodes);
    return false;
  }
  *out = NodeArrays{static_cast<RTRoutePlannerNode*>(nodes), static_cast<NodeLinks*>(links), count};
  return true;
}

void FreeNodeArrays(const NodeArrays& arrays) {
  ModuleCore()->ArrayFree(nullptr, arrays.nodes);
  CoreFree(arrays.links);
}

void InstallNodes(RoutePlannerState* state, const NodeArrays& fresh) {
  FreeNodes(state);
  state->nodes = fresh.nodes;
  state->links = fresh.links;
  state->nodeCount = fresh.count;
}

bool RebuildGroups(RoutePlannerState* state) {
  FreeGroups(state);
  if (!HashTableCreate(&state->groups, kGroupBuckets, DestroyGroup)) return false;
  for (uint32_t i = 0; i < state->nodeCount; ++i) {
    const int32_t number = state->nodes[i].group;
    GroupNodes* group = FindGroup(state, number);
    if (!group) group = NewGroup(state->groups, static_cast<uint32_t>(number));
    if (!group || !AddToGroup(group, i)) return false;
  }
  return true;
}

bool FillNodeList(RoutePlannerState* state, List* list, const uint32_t* indexes, uint32_t count) {
  if (list->count == count) return true;
  ListClear(list);
  for (uint32_t i = 0; i < count; ++i)
    if (!ListAppend(list, &state->nodes[indexes ? indexes[i] : i])) return false;
  return true;
}

GroupNodes* FindGroup(const RoutePlannerState* state, int32_t group) {
  void* found = nullptr;
  return HashTableLookup(state->groups, static_cast<uint32_t>(group), &found) ? static_cast<GroupNodes*>(found)
                                                                                : nullptr;
}

void ClearLinks(RoutePlannerState* state) {
  CoreFree(state->linkPairs);
  state->linkPairs = nullptr;
  if (!state->links) return;
  for (uint32_t i = 0; i < state->nodeCount; ++i) {
    state->links[i] = NodeLinks{};
    RTRoutePlannerNode& node = state->nodes[i];
    node.neighbourCount = node.edgeCount = 0;
    node.neighbours = node.edges = 0;
  }
}

void ReleaseEdges(RoutePlannerState* state) {
  ClearLinks(state);
  ModuleCore()->ArrayFree(nullptr, state->edges);
  state->edges = nullptr;
  state->edgeCount = 0;
}

bool NodeIndex(const RoutePlannerState* state, const RTRoutePlannerNode* node, uint32_t* index) {
  const auto address = reinterpret_cast<uintptr_t>(node);
  const auto first = reinterpret_cast<uintptr_t>(state->nodes);
  if (!node || !state->nodes || address < first) return false;
  const uintptr_t offset = address - first;
  if (offset % sizeof(RTRoutePlannerNode) != 0 || offset / sizeof(RTRoutePlannerNode) >= state->nodeCount)
    return false;
  *index = static_cast<uint32_t>(offset / sizeof(RTRoutePlannerNode));
  return true;
}

}  // namespace kivo::planner
