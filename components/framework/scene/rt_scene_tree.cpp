// RTSceneTree: the plain scene tree of a small scene (see plain_scene_tree_calls.h).
//
// Stream form, all little-endian:
//   u32 version        1; a newer version is refused
//   wide string        the root node's instance path (u32 length, then length + 1 units), 0 for none
//   u32                the next setting
// The root node is looked up by its path when it is first asked for (it may be a child of the tree,
// which the core loads only after the tree). A damaged stream is refused whole: the tree keeps what
// it had. The render camera node and the last update's time are not streamed.
#include <string>
#include <utility>

#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "small_scene_drawing.h"

namespace {

using namespace kivo;
namespace slot = kivo::plain_scene_tree;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr uint32_t kPathUnits = 1024;
constexpr bool kOverrides = true;

struct TreeState {
  RTInstance root = nullptr;  // one reference held
  std::u16string rootPath;    // streamed in, not yet looked up
  uint32_t nextSetting = 0;
  RTInstance renderCamera = nullptr;  // one reference held
  uint32_t frameTime = 0;             // milliseconds of the last update

  void DropRoot() {
    if (root) ModuleCore()->ReleaseInstance(nullptr, root);
    root = nullptr;
    rootPath.clear();
  }
};

TreeState* StateOf(RTInstance self) { return StateIn<TreeState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<TreeState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (TreeState* tree = StateOf(self)) {
    tree->DropRoot();
    if (tree->renderCamera) ModuleCore()->ReleaseInstance(nullptr, tree->renderCamera);
  }
  EndState<TreeState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess SetRootNode(RTInstance self, RTInstance node) {
  TreeState* tree = StateOf(self);
  if (!tree || (node && !ModuleCore()->IsKindOfByName(nullptr, node, scene_node::kClassName))) return kRTFailure;
  if (node && !ModuleCore()->ResolveHandle(nullptr, node)) return kRTFailure;
  tree->DropRoot();
  tree->root = node;
  return kRTSuccess;
}

RTSuccess GetRootNode(RTInstance self, RTInstance* node) {
  TreeState* tree = StateOf(self);
  if (!tree || !node) return kRTFailure;
  if (!tree->root && !tree->rootPath.empty()) {
    RTInstance found = nullptr;
    if (ModuleCore()->GetInstanceByName(nullptr, tree->rootPath.c_str(), &found, 0) && found) {
      tree->root = found;
      tree->rootPath.clear();
    }
  }
  *node = tree->root;
  return !tree->root || ModuleCore()->ResolveHandle(nullptr, tree->root) ? kRTSuccess : kRTFailure;
}

RTSuccess SetNextSetting(RTInstance self, uint32_t value) {
  TreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->nextSetting = value;
  return kRTSuccess;
}

RTSuccess GetNextSetting(RTInstance self, uint32_t* value) {
  TreeState* tree = StateOf(self);
  if (!tree || !value) return kRTFailure;
  *value = tree->nextSetting;
  return kRTSuccess;
}

RTSuccess SetRenderCameraNode(RTInstance self, RTInstance node) {
  TreeState* tree = StateOf(self);
  if (!tree || (node && !ModuleCore()->IsKindOfByName(nullptr, node, scene_node::kClassName))) return kRTFailure;
  if (node && !ModuleCore()->ResolveHandle(nullptr, node)) return kRTFailure;
  if (tree->renderCamera) ModuleCore()->ReleaseInstance(nullptr, tree->renderCamera);
  tree->renderCamera = node;
  return kRTSuccess;
}

// The root with a reference, looked up by its streamed path when it must be; null when there is none.
InstanceRef Root(RTInstance self) {
  InstanceRef root;
  GetRootNode(self, root.out());
  return root;
}

RTSuccess Update(RTInstance self, uint32_t milliseconds, uint32_t) {
  const InstanceRef root = Root(self);
  if (!root.get()) return kRTFailure;
  StateOf(self)->frameTime = milliseconds;
  small_scene::UpdateSubtree(root.get(), milliseconds);
  return kRTSuccess;
}

RTSuccess Render(RTInstance self) {
  const InstanceRef root = Root(self);
  const TreeState* tree = StateOf(self);
  return root.get() && tree->renderCamera &&
                 small_scene::RenderSubtree(root.get(), tree->renderCamera, tree->frameTime)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  TreeState* tree = StateOf(self);
  if (!tree || !component::IsWholeStage(stage)) return kRTFailure;
  const bool written =
      StreamWriteUInt(stream, slot::kStreamVersion) &&
      (tree->root ? StreamWriteInstanceRef(stream, tree->root) : StreamWriteWString(stream, tree->rootPath.c_str())) &&
      StreamWriteUInt(stream, tree->nextSetting);
  return written ? kRTSuccess : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  TreeState* tree = StateOf(self);
  if (!tree || !component::IsWholeStage(stage)) return kRTFailure;
  uint32_t version = 0;
  char16_t* path = nullptr;
  uint32_t nextSetting = 0;
  const bool read = StreamReadVersion(stream, slot::kStreamVersion, &version) &&
                    StreamReadWStringBounded(stream, kPathUnits, &path) && StreamReadUInt(stream, &nextSetting);
  std::u16string rootPath = path ? path : u"";
  ModuleCore()->ArrayFree(nullptr, path);
  if (!read) {
    RaiseFormatted(kLevelError,
                   u"RTSceneTree::StreamIn(): the scene tree's stream is damaged; the tree is left as it was");
    return kRTFailure;
  }
  tree->DropRoot();
  tree->rootPath = std::move(rootPath);
  tree->nextSetting = nextSetting;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"SetRootNode", SetRootNode, slot::kSetRootNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"GetRootNode", GetRootNode, slot::kGetRootNode, u"RTSuccess", u"RTInstance out ophNode"),
    Method(u"SetNextSetting", SetNextSetting, slot::kSetNextSetting, u"RTSuccess", u"uint aValue"),
    Method(u"GetNextSetting", GetNextSetting, slot::kGetNextSetting, u"RTSuccess", u"uint out opValue"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetRenderCameraNode", SetRenderCameraNode, slot::kSetRenderCameraNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"Update", Update, slot::kUpdate, u"RTSuccess", u"uint aMSTime, uint aReserved"),
    Method(u"Render", Render, slot::kRender, u"RTSuccess", u""),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A small scene: a root node, its next setting, drawn from a render camera node",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
