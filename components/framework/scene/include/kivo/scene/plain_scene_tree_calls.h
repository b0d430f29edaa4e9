// Calls on RTSceneTree: the plain scene tree of a small scene (the talking head, stored prop
// assets): one root node under which the scene's nodes hang, and one further setting word. Its
// level follows RTComponent's. Every call returns 1 on success and 0 on failure.
#pragma once

#include "kivo/slots.h"

namespace kivo::plain_scene_tree {

inline constexpr char16_t kClassName[] = u"RTSceneTree";

inline constexpr MethodSlot<RTInstance> kSetRootNode{0x00};  // (scene node or null)
inline constexpr MethodSlot<RTInstance*> kGetRootNode{0x04};  // (out node)
inline constexpr MethodSlot<uint32_t> kSetNextSetting{0x08};
inline constexpr MethodSlot<uint32_t*> kGetNextSetting{0x0c};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x10};  // overrides RTComponent's: (stage, stream)
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x14};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kStreamOut + 4;
inline constexpr uint32_t kStreamVersion = 1;

// Holds the root node (an RTSceneNode or a descendant; null: none) with a reference, giving up the
// one it had.
inline RTSuccess SetRootNode(RTInstance t, RTInstance node) { return CallMethod(t, kLevel, kSetRootNode, node); }
// The root node with a reference for the caller; null (and success) when there is none.
inline RTSuccess GetRootNode(RTInstance t, RTInstance* node) { return CallMethod(t, kLevel, kGetRootNode, node); }
// The word the scene keeps for its next drawing (0 after construction).
inline RTSuccess SetNextSetting(RTInstance t, uint32_t value) { return CallMethod(t, kLevel, kSetNextSetting, value); }
inline RTSuccess GetNextSetting(RTInstance t, uint32_t* value) { return CallMethod(t, kLevel, kGetNextSetting, value); }

}  // namespace kivo::plain_scene_tree
