// RTTeskSceneNode: the game's scene node, an RTSceneNode with a state word (render bits, kind and
// frame phase), the pointer to the quad item by which the scene tree files it, the script object
// that stands for it, the pending movement of a node of a moving kind, the motion player of the
// skin it carries and the room that holds it. See scene_node_calls.h.
//
// A moving kind's translation changes (through either setter, which this level overrides) wait in
// the pending movement until ApplyMovement: the scene tree then sees every mover, and a second
// transform update in one frame moves nothing twice.
//
// Stream form: RTSceneNode's part (read and written through that level's own table), then
//   u32 version        2; a newer version is refused
//   u32                the state word
//   wide string        from version 2: the motion player's instance path (u32 length in UTF-16
//                      units, then the units and a terminator), 0 for none
// The player is looked up by its path when it is first asked for, as the entity is. The quad item,
// the script object, the pending movement and the container room belong to the running game and
// are not streamed. A damaged stream is refused whole.
#include <string>

#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/held_children.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/matrix.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;
namespace slot = kivo::tesk_scene_node;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{scene_node::kOwnTable, scene_node::kStreamIn, scene_node::kStreamOut};
constexpr uint32_t kFirstVersionWithAnimator = 2;
constexpr uint32_t kPathUnits = 1024;

struct TeskNodeState {
  uint32_t stateWord = 0;
  void* quadItem = nullptr;
  void* scriptObject = nullptr;
  RTFVector3D velocity{};  // the pending movement
  RTFVector3D vector{};    // the last vector the scene tree handed
  RTInstance animator = nullptr;  // one reference held
  bool animatorIsChild = false;   // see held_children.h
  std::u16string animatorPath;    // streamed in, not yet looked up
  RTInstance room = nullptr;      // the container room; no reference (the room holds the node)

  void DropAnimator() {
    if (animator) ModuleCore()->ReleaseInstance(nullptr, animator);
    animator = nullptr;
    animatorPath.clear();
  }
};

TeskNodeState* StateOf(RTInstance self) { return StateIn<TeskNodeState>(self, kStateWord); }

RTFVector3D TranslationOf(const RTFMatrix4x4& m) { return RTFVector3D{m.m[3][0], m.m[3][1], m.m[3][2], 0.0f}; }

// The placement's translation; false when the node has none to give.
bool CurrentTranslation(RTInstance self, RTFVector3D* translation) {
  const RTFMatrix4x4* local = nullptr;
  if (!scene_node::GetLocalMatrix(self, &local)) return false;
  *translation = TranslationOf(*local);
  return true;
}

RTSuccess MoveAtOnce(RTInstance self, const RTFVector3D& translation) {
  return CallParentMethod(self, scene_node::kOwnTable, scene_node::kSetTranslation, &translation);
}

// A moving kind keeps the way from its translation to `target` as its pending movement.
bool KeepsMovementPending(const TeskNodeState& node) { return slot::IsMovingKind(slot::KindOf(node.stateWord)); }

bool KeepPending(RTInstance self, TeskNodeState& node, const RTFVector3D& target) {
  RTFVector3D now;
  if (!CurrentTranslation(self, &now)) return false;
  node.velocity = RTFVector3D{target.x - now.x, target.y - now.y, target.z - now.z, 0.0f};
  return true;
}

RTSuccess Construct(RTInstance self) { return MakeState<TeskNodeState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  TeskNodeState* node = StateOf(self);
  if (node && !(node->animatorIsChild && ChildrenGone(self))) node->DropAnimator();
  EndState<TeskNodeState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  TeskNodeState* node = StateOf(self);
  const bool written = node && CallParentMethod(self, scene_node::kOwnTable, scene_node::kStreamOut, stage, stream) &&
                       StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteUInt(stream, node->stateWord) &&
                       (node->animator ? StreamWriteInstanceRef(stream, node->animator)
                                       : StreamWriteWString(stream, node->animatorPath.c_str()));
  return written ? kRTSuccess : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    uint32_t word = 0;
    char16_t* path = nullptr;
    if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamReadUInt(stream, &word) ||
        (version >= kFirstVersionWithAnimator && !StreamReadWStringBounded(stream, kPathUnits, &path))) {
      RaiseFormatted(kLevelError, u"RTTeskSceneNode::StreamIn(): the node's state word or motion player is damaged "
                                  u"or missing");
      return false;
    }
    node->stateWord = word;
    node->DropAnimator();
    if (path) node->animatorPath = path;
    ModuleCore()->ArrayFree(nullptr, path);
    return true;
  });
}

RTSuccess SetAnimator(RTInstance self, RTInstance animator) {
  TeskNodeState* node = StateOf(self);
  if (!node || (animator && !ModuleCore()->ResolveHandle(nullptr, animator))) return kRTFailure;
  node->DropAnimator();
  node->animator = animator;
  node->animatorIsChild = IsChildOf(animator, self);
  return kRTSuccess;
}

RTSuccess GetAnimator(RTInstance self, RTInstance* animator) {
  TeskNodeState* node = StateOf(self);
  if (!node || !animator) return kRTFailure;
  if (!node->animatorPath.empty()) {
    RTInstance found = nullptr;
    if (ModuleCore()->GetInstanceByName(nullptr, node->animatorPath.c_str(), &found, 0)) {
      node->animator = found;
      node->animatorIsChild = IsChildOf(found, self);
    } else {
      RaiseFormatted(kLevelError, u"RTTeskSceneNode::GetAnimator(): there is no motion player %s; the node has none",
                     node->animatorPath);
    }
    node->animatorPath.clear();
  }
  *animator = node->animator;
  return node->animator ? ModuleCore()->ResolveHandle(nullptr, node->animator) : kRTSuccess;
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

RTSuccess GetScriptObject(RTInstance self, void** object) {
  TeskNodeState* node = StateOf(self);
  if (!node || !object) return kRTFailure;
  *object = node->scriptObject;
  return kRTSuccess;
}

RTSuccess SetScriptObject(RTInstance self, void* object) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  node->scriptObject = object;
  return kRTSuccess;
}

RTSuccess GetVelocity(RTInstance self, RTFVector3D* velocity) {
  TeskNodeState* node = StateOf(self);
  if (!node || !velocity) return kRTFailure;
  *velocity = node->velocity;
  return kRTSuccess;
}

RTSuccess ApplyMovement(RTInstance self) {
  TeskNodeState* node = StateOf(self);
  RTFVector3D now;
  if (!node || !CurrentTranslation(self, &now)) return kRTFailure;
  const RTFVector3D moved{now.x + node->velocity.x, now.y + node->velocity.y, now.z + node->velocity.z, 0.0f};
  if (!MoveAtOnce(self, moved)) return kRTFailure;
  node->velocity = RTFVector3D{};
  return kRTSuccess;
}

RTSuccess SetVector(RTInstance self, const RTFVector3D* vector) {
  TeskNodeState* node = StateOf(self);
  if (!node || !vector) return kRTFailure;
  node->vector = *vector;
  return kRTSuccess;
}

RTSuccess GetNodeRoom(RTInstance self, RTInstance* room) {
  TeskNodeState* node = StateOf(self);
  if (!node || !room) return kRTFailure;
  *room = node->room;
  return node->room ? ModuleCore()->ResolveHandle(nullptr, node->room) : kRTSuccess;
}

RTSuccess SetNodeRoom(RTInstance self, RTInstance room) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  node->room = room;
  return kRTSuccess;
}

RTSuccess LeaveNodeRoom(RTInstance self, RTInstance room) {
  TeskNodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  if (node->room == room) node->room = nullptr;
  return kRTSuccess;
}

RTSuccess SetTranslation(RTInstance self, const RTFVector3D* translation) {
  TeskNodeState* node = StateOf(self);
  if (!node || !translation) return kRTFailure;
  if (!KeepsMovementPending(*node)) return MoveAtOnce(self, *translation);
  return KeepPending(self, *node, *translation) ? kRTSuccess : kRTFailure;
}

// A moving kind takes the rest of the matrix at once and keeps the translation pending.
RTSuccess SetLocalMatrix(RTInstance self, const RTFMatrix4x4* local) {
  TeskNodeState* node = StateOf(self);
  if (!node || !local) return kRTFailure;
  RTFMatrix4x4 placement = *local;
  if (KeepsMovementPending(*node)) {
    RTFVector3D now;
    if (!CurrentTranslation(self, &now) || !KeepPending(self, *node, TranslationOf(*local))) return kRTFailure;
    Mat4SetTranslation(&placement, now);
  }
  return CallParentMethod(self, scene_node::kOwnTable, scene_node::kSetLocalMatrix, &placement);
}

// The placement turned about its own axis: local := R x local (row vectors), the translation kept.
RTSuccess Rotate(RTInstance self, const RTFMatrix4x4& turn) {
  const RTFMatrix4x4* local = nullptr;
  if (!StateOf(self) || !scene_node::GetLocalMatrix(self, &local)) return kRTFailure;
  RTFMatrix4x4 turned;
  Mat4Multiply(turn, *local, &turned);
  Mat4SetTranslation(&turned, TranslationOf(*local));
  return CallParentMethod(self, scene_node::kOwnTable, scene_node::kSetLocalMatrix, &turned);
}

RTSuccess RotateRoll(RTInstance self, float radians) {
  RTFMatrix3x3 roll;
  Mat3RotationZ(&roll, radians);
  RTFMatrix4x4 turn;
  Mat4Identity(&turn);
  Mat4SetRotation(&turn, roll);
  return Rotate(self, turn);
}

RTSuccess RotateYaw(RTInstance self, float radians) {
  RTFMatrix4x4 turn;
  Mat4RotationY(&turn, radians);
  return Rotate(self, turn);
}

RTSuccess RotatePitch(RTInstance self, float radians) {
  RTFMatrix4x4 turn;
  Mat4RotationX(&turn, radians);
  return Rotate(self, turn);
}

void PassWorldDown(RTInstance node) {
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(node, &world)) return;
  const RTFMatrix4x4 placed = *world;
  RTInstance child = nullptr;
  scene_node::GetFirstChild(node, &child);
  while (child) {
    scene_node::ApplyParentMatrix(child, &placed);
    PassWorldDown(child);
    RTInstance sibling = nullptr;
    scene_node::GetNextSibling(child, &sibling);
    ModuleCore()->ReleaseInstance(nullptr, child);
    child = sibling;
  }
}

RTSuccess RefreshNode(RTInstance self) {
  if (!ApplyMovement(self)) return kRTFailure;
  PassWorldDown(self);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetScriptObject", GetScriptObject, slot::kGetScriptObject, u"RTSuccess", u"void* out oppObject"),
    Method(u"GetVelocity", GetVelocity, slot::kGetVelocity, u"RTSuccess", u"RTFVector3D out opVelocity"),
    Method(u"ApplyMovement", ApplyMovement, slot::kApplyMovement, u"RTSuccess", u""),
    Method(u"SetStateWord", SetStateWord, slot::kSetStateWord, u"RTSuccess", u"uint aWord"),
    Method(u"GetStateWord", GetStateWord, slot::kGetStateWord, u"RTSuccess", u"uint out opWord"),
    Method(u"SetQuadItem", SetQuadItem, slot::kSetQuadItem, u"RTSuccess", u"void* apItem"),
    Method(u"GetQuadItem", GetQuadItem, slot::kGetQuadItem, u"RTSuccess", u"void* out oppItem"),
    Method(u"SetVector", SetVector, slot::kSetVector, u"RTSuccess", u"RTFVector3D in apVector"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetScriptObject", SetScriptObject, slot::kSetScriptObject, u"RTSuccess", u"void* apObject"),
    Method(u"SetLocalMatrix", SetLocalMatrix, slot::kSetLocalMatrix, u"RTSuccess", u"RTFMatrix4x4 in apMatrix",
           kOverrides),
    Method(u"SetTranslation", SetTranslation, slot::kSetTranslation, u"RTSuccess", u"RTFVector3D in apTranslation",
           kOverrides),
    Method(u"SetAnimator", SetAnimator, slot::kSetAnimator, u"RTSuccess", u"RTInstance ahAnimator"),
    Method(u"GetAnimator", GetAnimator, slot::kGetAnimator, u"RTSuccess", u"RTInstance out ophAnimator"),
    Method(u"GetNodeRoom", GetNodeRoom, slot::kGetNodeRoom, u"RTSuccess", u"RTInstance out ophRoom"),
    Method(u"SetNodeRoom", SetNodeRoom, slot::kSetNodeRoom, u"RTSuccess", u"RTInstance ahRoom"),
    Method(u"LeaveNodeRoom", LeaveNodeRoom, slot::kLeaveNodeRoom, u"RTSuccess", u"RTInstance ahRoom"),
    Method(u"RotateRoll", RotateRoll, slot::kRotateRoll, u"RTSuccess", u"float aRadians"),
    Method(u"RotateYaw", RotateYaw, slot::kRotateYaw, u"RTSuccess", u"float aRadians"),
    Method(u"RotatePitch", RotatePitch, slot::kRotatePitch, u"RTSuccess", u"float aRadians"),
    Method(u"RefreshNode", RefreshNode, slot::kRefreshNode, u"RTSuccess", u""),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = scene_node::kClassName,
    .description = u"The game's scene node: a state word, a quad item, a script object, pending movement and a "
                   u"motion player",
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
