// Calls on the RTRenderable level: the parent class of the entities that scene nodes draw (meshes,
// skinned meshes). Its level follows RTComponent's in every derived object. A derived class
// overrides the methods it draws and measures with, under the same names; its stream methods run
// RTRenderable's part first through CallParentMethod (parent_call.h) with kOwnTable.
//
// RTRenderable itself has nothing to draw: ProcessFrame draws nothing, the bounding box is the
// point (0, 0, 0), the bounding sphere's radius 0, and it has no alpha. Its stream part is a u32
// version (1); a newer version is refused.
//
// Every entity may carry a pre-draw and a post-draw hook (the game and the actors set them to
// highlight what they draw): a function and a context instance each, called by the scene tree
// around the entity's ProcessFrame. A pre-draw hook may clear *go to keep the entity from being
// drawn. The hooks are the running game's and are not streamed; the entity holds no reference on
// a hook's context: whoever sets a hook keeps its context alive, and clears the hook before the
// context goes.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

#include "kivo/scene/frame_information.h"

namespace kivo::renderable {

inline constexpr char16_t kClassName[] = u"RTRenderable";

// (context, entity, time in milliseconds, frame record, in/out go); the scene tree does not look at
// the result.
using DrawHook = RTSuccess (*)(RTInstance context, RTInstance entity, uint32_t milliseconds,
                               const RTSceneNodeEntityFrameInformation* frame, uint32_t* go);

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kProcessFrame{0x0c};
inline constexpr MethodSlot<RTFVector3D*, RTFVector3D*> kGetBoundingBox{0x10};
inline constexpr MethodSlot<float*> kGetBoundingSphere{0x14};
inline constexpr MethodSlot<RTBool*> kHasAlpha{0x18};
inline constexpr MethodSlot<DrawHook, RTInstance> kSetPreDrawHook{0x1c};
inline constexpr MethodSlot<DrawHook*, RTInstance*> kGetPreDrawHook{0x20};
inline constexpr MethodSlot<DrawHook, RTInstance> kSetPostDrawHook{0x24};
inline constexpr MethodSlot<DrawHook*, RTInstance*> kGetPostDrawHook{0x28};
inline constexpr MethodSlot<RTInstance> kClearHooksOf{0x2c};
inline constexpr uint32_t kLevel = 0x08;       // first slot table: reaches a derived class's overrides
inline constexpr uint32_t kOwnTable = 0x0C;    // second slot table: RTRenderable's own functions
inline constexpr uint32_t kObjectSize = 0x10;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kClearHooksOf + 4;

inline constexpr uint32_t kStreamVersion = 1;

inline RTSuccess GetStageCount(RTInstance r, uint32_t* count) { return CallMethod(r, kLevel, kGetStageCount, count); }
inline RTSuccess StreamIn(RTInstance r, uint32_t stage, RTInstance stream) {
  return CallMethod(r, kLevel, kStreamIn, stage, stream);
}
inline RTSuccess StreamOut(RTInstance r, uint32_t stage, RTInstance stream) {
  return CallMethod(r, kLevel, kStreamOut, stage, stream);
}
// Draws the entity for one frame (time in milliseconds).
inline RTSuccess ProcessFrame(RTInstance r, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  return CallMethod(r, kLevel, kProcessFrame, milliseconds, frame);
}
// The box in object space, as two 16-byte vectors.
inline RTSuccess GetBoundingBox(RTInstance r, RTFVector3D* min, RTFVector3D* max) {
  return CallMethod(r, kLevel, kGetBoundingBox, min, max);
}
inline RTSuccess GetBoundingSphere(RTInstance r, float* radius) {
  return CallMethod(r, kLevel, kGetBoundingSphere, radius);
}
inline RTSuccess HasAlpha(RTInstance r, RTBool* hasAlpha) { return CallMethod(r, kLevel, kHasAlpha, hasAlpha); }
// Sets the hook (null: none) and its context in place of the ones set before.
inline RTSuccess SetPreDrawHook(RTInstance r, DrawHook hook, RTInstance context) {
  return CallMethod(r, kLevel, kSetPreDrawHook, hook, context);
}
// The hook (null: none) and its context with a reference for the caller (null: none).
inline RTSuccess GetPreDrawHook(RTInstance r, DrawHook* hook, RTInstance* context) {
  return CallMethod(r, kLevel, kGetPreDrawHook, hook, context);
}
inline RTSuccess SetPostDrawHook(RTInstance r, DrawHook hook, RTInstance context) {
  return CallMethod(r, kLevel, kSetPostDrawHook, hook, context);
}
inline RTSuccess GetPostDrawHook(RTInstance r, DrawHook* hook, RTInstance* context) {
  return CallMethod(r, kLevel, kGetPostDrawHook, hook, context);
}
// Takes off each hook whose context is the instance, without a reference on it: the context may be
// going (its destroy hook clears what it set).
inline RTSuccess ClearHooksOf(RTInstance r, RTInstance context) { return CallMethod(r, kLevel, kClearHooksOf, context); }

}  // namespace kivo::renderable
