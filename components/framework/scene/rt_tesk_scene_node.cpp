// RTTeskSceneNode: the game's scene node, an RTSceneNode with a state word (render bits, kind and
// frame phase) and the pointer to the quad item by which the scene tree files it. See
// scene_node_calls.h.
//
// Stream form: RTSceneNode's part (read and written through that level's own table), then
//   u32 version        1; a newer version is refused
//   u32                the state word
// The quad item is the scene tree's and is not streamed. A damaged stream is refused whole.
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;
namespace slot = kivo::tesk_scene_node;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{scene_node::kOwnTable, scene_node::kStreamIn, scene_node::kStreamOut};

struct TeskNodeState {
  uint32_t stateWord = 0;
  void* quadItem = nullptr;
};

TeskNodeState* StateOf(RTInstance self) { return StateIn<TeskNodeState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<TeskNodeState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<TeskNodeState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  TeskNodeState* node = StateOf(self);
  const bool written = node && CallParentMethod(self, scene_node::kOwnTable, scene_node::kStreamOut, stage, stream) &&
                       StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteUInt(stream, node->stateWord);
  return written ? kRTSuccess : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    uint32_t word = 0;
    if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamReadUInt(stream, &word)) {
      RaiseFormatted(kLevelError, u"RTTeskSceneNode::StreamIn(): the node's state word is damaged or missing");
      return false;
    }
    node->stateWord = word;
    return true;
  });
}

RTSuccess SetStateWord(RTInstance self, uint32_t word) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  node->stateWord = word;
  return kRTSuccess;
}

RTSuccess GetStateWord(RTInstance self, uint32_t* word) {
  TeskNodeState* node = StateOf(self);
  if (!node || !word) return kRTFailure;
  *word = node->stateWord;
  return kRTSuccess;
}

RTSuccess SetQuadItem(RTInstance self, void* item) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  node->quadItem = item;
  return kRTSuccess;
}

RTSuccess GetQuadItem(RTInstance self, void** item) {
  TeskNodeState* node = StateOf(self);
  if (!node || !item) return kRTFailure;
  *item = node->quadItem;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"SetStateWord", SetStateWord, slot::kSetStateWord, u"RTSuccess", u"uint aWord"),
    Method(u"GetStateWord", GetStateWord, slot::kGetStateWord, u"RTSuccess", u"uint out opWord"),
    Method(u"SetQuadItem", SetQuadItem, slot::kSetQuadItem, u"RTSuccess", u"void* apItem"),
    Method(u"GetQuadItem", GetQuadItem, slot::kGetQuadItem, u"RTSuccess", u"void* out oppItem"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = scene_node::kClassName,
    .description = u"The game's scene node: a state word and a quad item",
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
