#include "filed_actors.h"

#include "kivo/scene/scene_node_calls.h"
#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "kivo/support/module_core.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

const scene_tree::SceneTreeState* TreeStateOf(RTInstance tree) {
  return static_cast<const scene_tree::SceneTreeState*>(Word(ComponentObject(tree), scene_tree::kStateWord));
}

}  // namespace

const scene_tree::QuadItem* FiledActors::FiledItem(RTInstance tree, RTInstance node) {
  CoreTable* core = ModuleCore();
  if (treeClass_ == kNoComponent) core->GetComponentHandle(nullptr, scene_tree::kClassName, &treeClass_);
  if (!tree || !node || treeClass_ == kNoComponent || !core->IsKindOf(nullptr, tree, treeClass_)) return nullptr;
  const scene_tree::SceneTreeState* state = TreeStateOf(tree);
  void* item = nullptr;
  if (!state || !core->IsKindOf(nullptr, node, state->classes.teskSceneNode) ||
      !tesk_scene_node::GetQuadItem(node, &item) || !item)
    return nullptr;
  const auto* filed = static_cast<const scene_tree::QuadItem*>(item);
  return filed->owner == state && filed->cell ? filed : nullptr;
}

void FiledActors::LookUp(RTInstance self, const scene_tree::QuadTreeNode& leaf) {
  for (const scene_tree::QuadItem* item : ListItems<scene_tree::QuadItem>(leaf.items)) {
    void* object = nullptr;
    RTTeskActorWrapper* wrapper =
        tesk_scene_node::GetScriptObject(item->node, &object) && object ? WrapperOf(self, object) : nullptr;
    if (wrapper) filed_.push_back(FiledActor{item, wrapper});
  }
}

std::span<const FiledActor> FiledActors::Of(RTInstance self, const scene_tree::QuadTreeNode& leaf) {
  if (!holding_) {
    filed_.clear();
    LookUp(self, leaf);
    return filed_;
  }
  Leaf& kept = leaves_[&leaf];
  if (kept.pass != pass_) {
    kept.pass = pass_;
    kept.first = filed_.size();
    LookUp(self, leaf);
    kept.count = filed_.size() - kept.first;
  }
  return std::span<const FiledActor>(filed_).subspan(kept.first, kept.count);
}

Surroundings& FiledActors::Around(RTInstance self, const scene_tree::QuadTreeNode& leaf) {
  Surroundings& around = holding_ ? around_[&leaf] : unheld_;
  if (holding_ && around.pass == pass_) return around;
  around.pass = pass_;
  around.actors.clear();
  for (const FiledActor& filed : Of(self, leaf)) around.actors.push_back(filed);
  for (const scene_tree::QuadTreeNode* neighbour : leaf.neighbours)
    if (neighbour)
      for (const FiledActor& filed : Of(self, *neighbour)) around.actors.push_back(filed);
  around.links.resize(around.actors.size());
  around.list = List{};
  for (size_t i = 0; i < around.actors.size(); ++i) ListAppendOwned(&around.list, &around.links[i], around.actors[i].wrapper);
  return around;
}

}  // namespace tesk::actor
