// RTSceneNode: a node of a scene: its placement relative to its parent node, the world transform
// the scene tree brings up to date, the entity it carries, its child nodes (its child instances
// that are scene nodes, then those added to it) and its obstacle box. See scene_node_calls.h.
//
// A node added to another holds no reference on it, only a pointer back, so that its own destroy
// hook can take it out of that node's list when it goes first (a forced release, the core's
// shutdown); the node it was added to clears that pointer before it lets go of its added nodes.
//
// Stream form, all little-endian:
//   u32 version        3; a newer version is refused
//   16 x f32           the local matrix, column by column
//   wide string        the entity's instance path (u32 length, then length + 1 units), 0 for none
//   u8                 from version 2: 1 when the node carries an obstacle box, else 0
//   3 x f32, 3 x f32   from version 2, with a box: its minimum and maximum corners
//   u32 n              from version 3: the modifiers, then each its instance path (wide string)
// A version 1 stream carries no box, versions 1 and 2 no modifiers. The entity and the modifiers
// are looked up by their paths when first asked for (they may be children of the node, which the
// core loads only after the node); a path that names nothing is reported and left out then. A
// damaged stream (a cut part, a box flag other than 0 or 1, a box whose minimum lies above its
// maximum, a modifier count larger than the bytes left) is refused whole: the node keeps what it
// had.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/class_handle.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/held_children.h"
#include "kivo/support/matrix.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;
namespace slot = kivo::scene_node;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr uint32_t kMatrixBytes = 64;
constexpr uint32_t kBoxBytes = 24;
constexpr uint32_t kFirstVersionWithBox = 2;
constexpr uint32_t kFirstVersionWithModifiers = 3;
constexpr uint32_t kLeastPathBytes = 4;
constexpr uint32_t kPathUnits = 1024;
constexpr bool kOverrides = true;

struct ObstacleBox {
  RTFVector3D min;
  RTFVector3D max;
};

// Whether min lies at or below max on every axis (false for a NaN).
bool Ordered(const RTFVector3D& min, const RTFVector3D& max) {
  return min.x <= max.x && min.y <= max.y && min.z <= max.z;
}

struct NodeState {
  RTFMatrix4x4 local;
  RTFMatrix4x4 parent;
  RTFMatrix4x4 world;  // local x parent
  RTFMatrix4x4 inverseWorld;
  bool inverseKnown = false;
  RTInstance entity = nullptr;  // one reference held
  bool entityIsChild = false;   // see held_children.h
  std::u16string entityPath;    // streamed in, not yet looked up
  std::optional<ObstacleBox> obstacle;
  uint32_t obstacleSerial = 0;  // see GetObstacleSerial
  std::vector<RTInstance> addedChildren;  // one reference each, in the order added
  RTInstance addedTo = nullptr;           // the node this one was added to; no reference
  std::vector<RTInstance> modifiers;      // one reference each, in the order added
  std::vector<std::u16string> modifierPaths;  // streamed in, not yet looked up; they come first

  NodeState() {
    Mat4Identity(&local);
    Mat4Identity(&parent);
    Mat4Identity(&world);
  }
  void UpdateWorld() {
    Mat4Multiply(local, parent, &world);
    inverseKnown = false;
    if (obstacle) ++obstacleSerial;
  }
  void SetObstacle(const std::optional<ObstacleBox>& box) {
    obstacle = box;
    ++obstacleSerial;
  }
  void Hold(RTInstance self, RTInstance held) {
    entity = held;
    entityIsChild = IsChildOf(held, self);
  }
  void DropEntity() {
    if (entity) ModuleCore()->ReleaseInstance(nullptr, entity);
    entity = nullptr;
    entityPath.clear();
  }
  void DropModifiers() {
    for (RTInstance modifier : std::exchange(modifiers, {})) ModuleCore()->ReleaseInstance(nullptr, modifier);
    modifierPaths.clear();
  }
  // The streamed modifiers, looked up ahead of those added since.
  void ResolveModifiers() {
    if (modifierPaths.empty()) return;
    std::vector<RTInstance> found;
    for (const std::u16string& path : std::exchange(modifierPaths, {})) {
      RTInstance modifier = nullptr;
      if (ModuleCore()->GetInstanceByName(nullptr, path.c_str(), &modifier, 0) && modifier)
        found.push_back(modifier);
      else
        RaiseFormatted(kLevelError, u"RTSceneNode: there is no modifier %s; the node goes without it", path);
    }
    modifiers.insert(modifiers.begin(), found.begin(), found.end());
  }
};

NodeState* StateOf(RTInstance self) { return StateIn<NodeState>(self, kStateWord); }

ClassHandle gSceneNodeClass(slot::kClassName);

bool IsSceneNode(RTInstance instance) { return gSceneNodeClass.IsKindOf(instance); }

RTSuccess Construct(RTInstance self) { return MakeState<NodeState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

void LeaveAddedTo(RTInstance self, NodeState& node) {
  if (!node.addedTo) return;
  std::vector<RTInstance>& siblings = StateOf(node.addedTo)->addedChildren;
  siblings.erase(std::find(siblings.begin(), siblings.end(), self));
  node.addedTo = nullptr;
}

RTSuccess Destroy(RTInstance self) {
  NodeState* node = StateOf(self);
  if (node) {
    if (!(node->entityIsChild && ChildrenGone(self))) node->DropEntity();
    LeaveAddedTo(self, *node);
    for (RTInstance child : std::exchange(node->addedChildren, {})) {
      StateOf(child)->addedTo = nullptr;
      ModuleCore()->ReleaseInstance(nullptr, child);
    }
    node->DropModifiers();
  }
  EndState<NodeState>(self, kStateWord);
  return kRTSuccess;
}

bool WriteObstacle(RTInstance stream, const std::optional<ObstacleBox>& obstacle) {
  if (!StreamWriteByte(stream, obstacle ? 1 : 0)) return false;
  return !obstacle || (StreamWriteVector(stream, obstacle->min) && StreamWriteVector(stream, obstacle->max));
}

bool WriteModifiers(RTInstance stream, const NodeState& node) {
  if (!StreamWriteUInt(stream, static_cast<uint32_t>(node.modifierPaths.size() + node.modifiers.size())))
    return false;
  for (const std::u16string& path : node.modifierPaths)
    if (!StreamWriteWString(stream, path.c_str())) return false;
  for (RTInstance modifier : node.modifiers)
    if (!StreamWriteInstanceRef(stream, modifier)) return false;
  return true;
}

// The modifiers' paths; false when the part is cut short, a count is larger than the bytes left or
// a path is empty.
bool ReadModifiers(RTInstance stream, std::vector<std::u16string>* paths) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count) || !StreamHolds(stream, uint64_t{count} * kLeastPathBytes)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    char16_t* path = nullptr;
    const bool read = StreamReadWStringBounded(stream, kPathUnits, &path) && path && *path;
    if (read) paths->emplace_back(path);
    ModuleCore()->ArrayFree(nullptr, path);
    if (!read) return false;
  }
  return true;
}

// The box part of the stream; false when it is cut short or damaged.
bool ReadObstacle(RTInstance stream, std::optional<ObstacleBox>* obstacle) {
  uint32_t has = 0;
  if (!StreamReadByte(stream, &has) || has > 1) return false;
  if (!has) return true;
  ObstacleBox box{};
  if (!StreamHolds(stream, kBoxBytes) || !StreamReadVector(stream, &box.min) || !StreamReadVector(stream, &box.max) ||
      !Ordered(box.min, box.max))
    return false;
  *obstacle = box;
  return true;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  NodeState* node = StateOf(self);
  if (!node || !component::IsWholeStage(stage)) return kRTFailure;
  const bool written = StreamWriteUInt(stream, slot::kStreamVersion) && StreamWriteMatrix4(stream, node->local) &&
                       (node->entity ? StreamWriteInstanceRef(stream, node->entity)
                                     : StreamWriteWString(stream, node->entityPath.c_str())) &&
                       WriteObstacle(stream, node->obstacle) && WriteModifiers(stream, *node);
  return written ? kRTSuccess : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  NodeState* node = StateOf(self);
  if (!node || !component::IsWholeStage(stage)) return kRTFailure;
  uint32_t version = 0;
  RTFMatrix4x4 local;
  char16_t* path = nullptr;
  std::optional<ObstacleBox> obstacle;
  std::vector<std::u16string> modifierPaths;
  if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamHolds(stream, kMatrixBytes) ||
      !StreamReadMatrix4(stream, &local) || !StreamReadWStringBounded(stream, kPathUnits, &path) ||
      (version >= kFirstVersionWithBox && !ReadObstacle(stream, &obstacle)) ||
      (version >= kFirstVersionWithModifiers && !ReadModifiers(stream, &modifierPaths))) {
    ModuleCore()->ArrayFree(nullptr, path);
    RaiseFormatted(kLevelError, u"RTSceneNode::StreamIn(): the node's stream is damaged; the node is left as it was");
    return kRTFailure;
  }
  node->DropEntity();
  if (path) node->entityPath = path;
  ModuleCore()->ArrayFree(nullptr, path);
  node->DropModifiers();
  node->modifierPaths = std::move(modifierPaths);
  node->local = local;
  node->SetObstacle(obstacle);
  node->UpdateWorld();
  return kRTSuccess;
}

RTSuccess GetEntity(RTInstance self, RTInstance* entity) {
  NodeState* node = StateOf(self);
  if (!node || !entity) return kRTFailure;
  if (!node->entityPath.empty()) {
    RTInstance found = nullptr;
    if (ModuleCore()->GetInstanceByName(nullptr, node->entityPath.c_str(), &found, 0)) {
      node->Hold(self, found);
    } else {
      RaiseFormatted(kLevelError, u"RTSceneNode::GetEntity(): there is no entity %s; the node carries none",
                     node->entityPath);
    }
    node->entityPath.clear();
  }
  *entity = node->entity;
  return node->entity ? ModuleCore()->ResolveHandle(nullptr, node->entity) : kRTSuccess;
}

RTSuccess SetEntity(RTInstance self, RTInstance entity) {
  NodeState* node = StateOf(self);
  if (!node || (entity && !ModuleCore()->ResolveHandle(nullptr, entity))) return kRTFailure;
  node->DropEntity();
  node->Hold(self, entity);
  return kRTSuccess;
}

RTSuccess GetLocalMatrix(RTInstance self, const RTFMatrix4x4** local) {
  NodeState* node = StateOf(self);
  if (!node || !local) return kRTFailure;
  *local = &node->local;
  return kRTSuccess;
}

RTSuccess SetLocalMatrix(RTInstance self, const RTFMatrix4x4* local) {
  NodeState* node = StateOf(self);
  if (!node || !local) return kRTFailure;
  node->local = *local;
  node->UpdateWorld();
  return kRTSuccess;
}

RTSuccess SetTranslation(RTInstance self, const RTFVector3D* translation) {
  NodeState* node = StateOf(self);
  if (!node || !translation) return kRTFailure;
  Mat4SetTranslation(&node->local, *translation);
  node->UpdateWorld();
  return kRTSuccess;
}

RTSuccess SetObstacleBox(RTInstance self, const RTFVector3D* min, const RTFVector3D* max) {
  NodeState* node = StateOf(self);
  if (!node || (min && max && !Ordered(*min, *max))) return kRTFailure;
  node->SetObstacle(min && max ? std::optional<ObstacleBox>(ObstacleBox{*min, *max}) : std::nullopt);
  return kRTSuccess;
}

RTSuccess GetObstacleBox(RTInstance self, RTBool* has, RTFVector3D* min, RTFVector3D* max) {
  NodeState* node = StateOf(self);
  if (!node || !has || !min || !max) return kRTFailure;
  *has = node->obstacle ? 1 : 0;
  if (node->obstacle) {
    *min = node->obstacle->min;
    *max = node->obstacle->max;
  }
  return kRTSuccess;
}

RTSuccess GetObstacleSerial(RTInstance self, const uint32_t** serial) {
  NodeState* node = StateOf(self);
  if (!node || !serial) return kRTFailure;
  *serial = &node->obstacleSerial;
  return kRTSuccess;
}

RTSuccess GetWorldMatrix(RTInstance self, const RTFMatrix4x4** world) {
  NodeState* node = StateOf(self);
  if (!node || !world) return kRTFailure;
  *world = &node->world;
  return kRTSuccess;
}

RTSuccess ApplyParentMatrix(RTInstance self, const RTFMatrix4x4* parent) {
  NodeState* node = StateOf(self);
  if (!node || !parent) return kRTFailure;
  // Every setter of the local matrix brings the world matrix up to date, so under the same parent
  // matrix (bit for bit) it is current already: a still node under a still parent keeps it.
  if (std::memcmp(&node->parent, parent, sizeof(RTFMatrix4x4)) == 0) return kRTSuccess;
  node->parent = *parent;
  node->UpdateWorld();
  return kRTSuccess;
}

RTSuccess GetInverseWorldMatrix(RTInstance self, const RTFMatrix4x4** inverse) {
  NodeState* node = StateOf(self);
  if (!node || !inverse) return kRTFailure;
  if (!node->inverseKnown && !Mat4Inverse(node->world, &node->inverseWorld)) return kRTFailure;
  node->inverseKnown = true;
  *inverse = &node->inverseWorld;
  return kRTSuccess;
}

// The first scene node among the children of `parent` from index `first` on, with a reference.
RTSuccess SceneNodeChildFrom(RTInstance parent, uint32_t first, RTInstance* found) {
  *found = nullptr;
  CoreTable* core = ModuleCore();
  uint32_t count = 0;
  if (!core->GetChildCount(nullptr, parent, &count)) return kRTFailure;
  for (uint32_t i = first; i < count; ++i) {
    RTInstance child = nullptr;
    if (!core->GetChild(nullptr, parent, i, &child)) continue;
    if (IsSceneNode(child)) {
      *found = child;
      return kRTSuccess;
    }
    core->ReleaseInstance(nullptr, child);
  }
  return kRTSuccess;
}

// The child added to the node at the index, with a reference; null when there is none.
RTSuccess AddedChildOf(const NodeState* node, size_t index, RTInstance* found) {
  *found = node && index < node->addedChildren.size() ? node->addedChildren[index] : nullptr;
  return *found ? ModuleCore()->ResolveHandle(nullptr, *found) : kRTSuccess;
}

// The same for an instance that may not be a scene node.
RTSuccess AddedChildAt(RTInstance parent, size_t index, RTInstance* found) {
  return AddedChildOf(IsSceneNode(parent) ? StateOf(parent) : nullptr, index, found);
}

RTSuccess GetFirstChild(RTInstance self, RTInstance* child) {
  if (!self || !child) return kRTFailure;
  if (!SceneNodeChildFrom(self, 0, child)) return kRTFailure;
  return *child ? kRTSuccess : AddedChildOf(StateOf(self), 0, child);
}

// An added node's next sibling is the next one added to its node.
RTSuccess NextAddedSibling(RTInstance self, const NodeState& node, RTInstance* sibling) {
  const std::vector<RTInstance>& siblings = StateOf(node.addedTo)->addedChildren;
  const auto at = std::find(siblings.begin(), siblings.end(), self);
  return AddedChildAt(node.addedTo, static_cast<size_t>(at - siblings.begin()) + 1, sibling);
}

RTSuccess GetNextSibling(RTInstance self, RTInstance* sibling) {
  if (!self || !sibling) return kRTFailure;
  *sibling = nullptr;
  if (const NodeState* node = StateOf(self); node && node->addedTo) return NextAddedSibling(self, *node, sibling);
  CoreTable* core = ModuleCore();
  RTInstance parent = nullptr;
  uint32_t count = 0;
  if (!core->GetParent(nullptr, self, &parent) || !parent) return kRTSuccess;
  RTSuccess result = kRTSuccess;
  if (core->GetChildCount(nullptr, parent, &count)) {
    for (uint32_t i = 0; i < count; ++i) {
      RTInstance child = nullptr;
      if (!core->GetChild(nullptr, parent, i, &child)) continue;
      core->ReleaseInstance(nullptr, child);
      if (child == self) {
        result = SceneNodeChildFrom(parent, i + 1, sibling);
        // After the last child instance come the nodes added to the parent.
        if (result && !*sibling) result = AddedChildAt(parent, 0, sibling);
        break;
      }
    }
  }
  core->ReleaseInstance(nullptr, parent);
  return result;
}

// The node above this one: the node it was added to, else its parent instance when that is a
// scene node; null for neither.
RTInstance ParentNode(RTInstance self) {
  if (const NodeState* node = StateOf(self); node->addedTo) return node->addedTo;
  RTInstance parent = nullptr;
  if (!ModuleCore()->GetParent(nullptr, self, &parent) || !parent) return nullptr;
  ModuleCore()->ReleaseInstance(nullptr, parent);  // a child holds its parent alive
  return IsSceneNode(parent) ? parent : nullptr;
}

bool IsAbove(RTInstance candidate, RTInstance node) {
  for (RTInstance at = node; at; at = ParentNode(at))
    if (at == candidate) return true;
  return false;
}

RTSuccess AddChild(RTInstance self, RTInstance child) {
  NodeState* node = StateOf(self);
  if (!node || !child || !IsSceneNode(child)) return kRTFailure;
  NodeState& added = *StateOf(child);
  if (added.addedTo == self || IsChildOf(child, self)) return kRTSuccess;
  if (IsAbove(child, self) || (!added.addedTo && ParentNode(child))) return kRTFailure;
  // A node added elsewhere brings the reference that node held; any other gets one.
  if (added.addedTo)
    LeaveAddedTo(child, added);
  else if (!ModuleCore()->ResolveHandle(nullptr, child))
    return kRTFailure;
  node->addedChildren.push_back(child);
  added.addedTo = self;
  return kRTSuccess;
}

// The reference the parent held goes last: it may be the node's last one.
RTSuccess Detach(RTInstance self) {
  NodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  if (!node->addedTo) return kRTSuccess;
  LeaveAddedTo(self, *node);
  ModuleCore()->ReleaseInstance(nullptr, self);
  return kRTSuccess;
}

// The angles of a camera or a turning prop: roll about the node's own z, then pitch about its own x,
// then yaw about the vertical, so that a pitched node keeps its pitch whichever way it is turned
// (row vectors: R = Rz(roll) x Rx(pitch) x Ry(yaw)).
RTSuccess SetEulerAngles(RTInstance self, float pitch, float yaw, float roll) {
  NodeState* node = StateOf(self);
  if (!node) return kRTFailure;
  RTFMatrix3x3 rollOnly;
  Mat3RotationZ(&rollOnly, roll);
  RTFMatrix4x4 rotation;
  Mat4Identity(&rotation);
  Mat4SetRotation(&rotation, rollOnly);
  RTFMatrix4x4 turn;
  Mat4RotationX(&turn, pitch);
  Mat4Multiply(rotation, turn, &rotation);
  Mat4RotationY(&turn, yaw);
  Mat4Multiply(rotation, turn, &rotation);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) node->local.m[row][column] = rotation.m[row][column];
  node->UpdateWorld();
  return kRTSuccess;
}

// The angles SetEulerAngles takes: row 2 is (cos p sin y, -sin p, cos p cos y) and column 1 holds
// (sin r cos p, cos r cos p). Looking straight up or down (|m21| = 1) the roll is taken as 0.
RTSuccess GetEulerAngles(RTInstance self, float* pitch, float* yaw, float* roll) {
  NodeState* node = StateOf(self);
  if (!node || !pitch || !yaw || !roll) return kRTFailure;
  const auto& m = node->local.m;
  if (m[2][1] >= 1.0f || m[2][1] <= -1.0f) {
    *pitch = m[2][1] > 0.0f ? -kHalfPi : kHalfPi;
    *yaw = MathAtan2(-m[0][2], m[0][0]);
    *roll = 0.0f;
    return kRTSuccess;
  }
  *pitch = MathAsin(-m[2][1]);
  *yaw = MathAtan2(m[2][0], m[2][2]);
  *roll = MathAtan2(m[0][1], m[1][1]);
  return kRTSuccess;
}

RTSuccess GetModifierCount(RTInstance self, uint32_t* count) {
  NodeState* node = StateOf(self);
  if (!node || !count) return kRTFailure;
  node->ResolveModifiers();
  *count = static_cast<uint32_t>(node->modifiers.size());
  return kRTSuccess;
}

RTSuccess GetModifierList(RTInstance self, const RTInstance** modifiers, uint32_t* count) {
  NodeState* node = StateOf(self);
  if (!node || !modifiers || !count) return kRTFailure;
  node->ResolveModifiers();
  *modifiers = node->modifiers.data();
  *count = static_cast<uint32_t>(node->modifiers.size());
  return kRTSuccess;
}

RTSuccess AddModifier(RTInstance self, RTInstance modifier) {
  NodeState* node = StateOf(self);
  if (!node || !modifier || !ModuleCore()->ResolveHandle(nullptr, modifier)) return kRTFailure;
  node->ResolveModifiers();
  node->modifiers.push_back(modifier);
  return kRTSuccess;
}

RTSuccess GetItemCount(RTInstance self, uint32_t* count) {
  if (!StateOf(self) || !count) return kRTFailure;
  *count = 0;
  return kRTSuccess;
}

RTSuccess GetItem(RTInstance, uint32_t, RTInstance* item) {
  if (item) *item = nullptr;
  return kRTFailure;
}

RTSuccess DesignTimeHook(RTInstance self, RTInstance) { return StateOf(self) ? kRTSuccess : kRTFailure; }
RTSuccess PreItemHook(RTInstance self) { return StateOf(self) ? kRTSuccess : kRTFailure; }
RTSuccess PreDrawNotification(RTInstance self) { return StateOf(self) ? kRTSuccess : kRTFailure; }

RTMethodRecord gMethods[] = {
    Method(u"GetEntity", GetEntity, slot::kGetEntity, u"RTSuccess", u"RTInstance out ophEntity"),
    Method(u"GetLocalMatrix", GetLocalMatrix, slot::kGetLocalMatrix, u"RTSuccess", u"RTFMatrix4x4* out oppMatrix"),
    Method(u"GetWorldMatrix", GetWorldMatrix, slot::kGetWorldMatrix, u"RTSuccess", u"RTFMatrix4x4* out oppMatrix"),
    Method(u"ApplyParentMatrix", ApplyParentMatrix, slot::kApplyParentMatrix, u"RTSuccess",
           u"RTFMatrix4x4 in apParentMatrix"),
    Method(u"GetFirstChild", GetFirstChild, slot::kGetFirstChild, u"RTSuccess", u"RTInstance out ophChild"),
    Method(u"GetNextSibling", GetNextSibling, slot::kGetNextSibling, u"RTSuccess", u"RTInstance out ophSibling"),
    Method(u"GetInverseWorldMatrix", GetInverseWorldMatrix, slot::kGetInverseWorldMatrix, u"RTSuccess",
           u"RTFMatrix4x4* out oppMatrix"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetLocalMatrix", SetLocalMatrix, slot::kSetLocalMatrix, u"RTSuccess", u"RTFMatrix4x4 in apMatrix"),
    Method(u"SetEntity", SetEntity, slot::kSetEntity, u"RTSuccess", u"RTInstance ahEntity"),
    Method(u"GetItemCount", GetItemCount, slot::kGetItemCount, u"RTSuccess", u"uint out opCount"),
    Method(u"GetItem", GetItem, slot::kGetItem, u"RTSuccess", u"uint anIndex, RTInstance out ophItem"),
    Method(u"DesignTimeHook", DesignTimeHook, slot::kDesignTimeHook, u"RTSuccess", u"RTInstance ahRasterizer"),
    Method(u"PreItemHook", PreItemHook, slot::kPreItemHook, u"RTSuccess", u""),
    Method(u"PreDrawNotification", PreDrawNotification, slot::kPreDrawNotification, u"RTSuccess", u""),
    Method(u"SetTranslation", SetTranslation, slot::kSetTranslation, u"RTSuccess", u"RTFVector3D in apTranslation"),
    Method(u"SetObstacleBox", SetObstacleBox, slot::kSetObstacleBox, u"RTSuccess",
           u"RTFVector3D in apMin, RTFVector3D in apMax"),
    Method(u"GetObstacleBox", GetObstacleBox, slot::kGetObstacleBox, u"RTSuccess",
           u"RTBool out opHas, RTFVector3D out opMin, RTFVector3D out opMax"),
    Method(u"AddChild", AddChild, slot::kAddChild, u"RTSuccess", u"RTInstance ahChild"),
    Method(u"SetEulerAngles", SetEulerAngles, slot::kSetEulerAngles, u"RTSuccess",
           u"float aPitch, float aYaw, float aRoll"),
    Method(u"GetEulerAngles", GetEulerAngles, slot::kGetEulerAngles, u"RTSuccess",
           u"float out opPitch, float out opYaw, float out opRoll"),
    Method(u"GetModifierCount", GetModifierCount, slot::kGetModifierCount, u"RTSuccess", u"uint out opCount"),
    Method(u"GetModifierList", GetModifierList, slot::kGetModifierList, u"RTSuccess",
           u"void* out oppModifiers, uint out opCount"),
    Method(u"AddModifier", AddModifier, slot::kAddModifier, u"RTSuccess", u"RTInstance ahModifier"),
    Method(u"Detach", Detach, slot::kDetach, u"RTSuccess", u""),
    Method(u"GetObstacleSerial", GetObstacleSerial, slot::kGetObstacleSerial, u"RTSuccess", u"void* out oppSerial"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A node of a scene: placement, world transform, entity, child nodes and obstacle box",
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
