// Calls on RTSceneTree: the plain scene tree of a small scene (the talking head, stored prop
// assets): one root node under which the scene's nodes hang, and one further setting word. Its
// level follows RTComponent's. Every call returns 1 on success and 0 on failure.
//
// The tree draws its root's subtree from a render camera node (a scene node carrying an RTCamera)
// through the RTRasterizer singleton: Update places every node below the root (the root's parent
// matrix is the identity) and advances the motion player of every game node (RTTeskSceneNode)
// that carries a skin; Render draws every entity of the subtree, lit by the subtree's first lights
// (kMaxNodeLights at most) over a fixed ambient, translucent ones again in a deferred stage. No
// culling: a small scene is drawn whole. The render camera is the running game's and is not
// streamed.
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
inline constexpr MethodSlot<RTInstance> kSetRenderCameraNode{0x18};  // (scene node or null)
inline constexpr MethodSlot<uint32_t, uint32_t> kUpdate{0x1c};  // (time in milliseconds, reserved: 0)
inline constexpr MethodSlot<> kRender{0x20};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kRender + 4;
inline constexpr uint32_t kStreamVersion = 1;

// Holds the root node (an RTSceneNode or a descendant; null: none) with a reference, giving up the
// one it had.
inline RTSuccess SetRootNode(RTInstance t, RTInstance node) { return CallMethod(t, kLevel, kSetRootNode, node); }
// The root node with a reference for the caller; null (and success) when there is none.
inline RTSuccess GetRootNode(RTInstance t, RTInstance* node) { return CallMethod(t, kLevel, kGetRootNode, node); }
// The word the scene keeps for its next drawing (0 after construction).
inline RTSuccess SetNextSetting(RTInstance t, uint32_t value) { return CallMethod(t, kLevel, kSetNextSetting, value); }
inline RTSuccess GetNextSetting(RTInstance t, uint32_t* value) { return CallMethod(t, kLevel, kGetNextSetting, value); }
// Holds the node (a scene node; null: none) with a reference as the one Render draws from, giving
// up the one it had.
inline RTSuccess SetRenderCameraNode(RTInstance t, RTInstance node) {
  return CallMethod(t, kLevel, kSetRenderCameraNode, node);
}
// Places the subtree's nodes and advances its skins' motion players to the time; the second word
// is reserved (callers pass 0). Fails without a root.
inline RTSuccess Update(RTInstance t, uint32_t milliseconds, uint32_t reserved) {
  return CallMethod(t, kLevel, kUpdate, milliseconds, reserved);
}
// Draws the subtree at the last update's time. Fails, drawing nothing, without a root, without a
// render camera node carrying an RTCamera, or without a rasterizer.
inline RTSuccess Render(RTInstance t) { return CallMethod(t, kLevel, kRender); }

}  // namespace kivo::plain_scene_tree
