// Calls on a scene tree (class RTTeskSceneTree, parent RTEditable): the rooms of a level, their
// references and scenarios, the quad tree over their footprints, and the camera, listener and
// editor nodes. Every call takes the tree first and returns 1 on success and 0 on failure.
//
// References: getters that hand out an instance add a reference for the caller, with one
// exception: GetRenderCameraNode first releases whatever instance the caller's out variable holds
// (pass it null, or holding a reference of yours that you give up), then hands out the camera node
// with a reference. List getters hand out the tree's own list, valid until the next change; the
// caller must not change or free it. The quad query list is emptied and refilled by each query.
//
// Rooms: the room list holds a reference per entry (a room added twice is listed twice); the name
// table finds a room by instance name (exactly, the room added last winning) and the path table by
// instance path (ignoring case). A room's entries leave both tables when its last entry leaves the
// room list, and the room is then detached from the tree.
//
// Room references: instance paths of rooms, each optionally tagged "@N", N a decimal number whose
// bit n (0 to 9) places the room in scenario n and whose bit 15 disables it in scenario 5. An
// untagged reference belongs to every scenario. The tag follows the last "@": a room whose name
// holds one ("gym@4031") is referenced with a tag.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"

namespace tesk::scene_tree {

inline constexpr char16_t kClassName[] = u"RTTeskSceneTree";

inline constexpr kivo::MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr kivo::MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr kivo::MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr kivo::MethodSlot<uint32_t> kUpdateTransforms{0x0c};
inline constexpr kivo::MethodSlot<> kRender{0x10};
inline constexpr kivo::MethodSlot<RTInstance> kSetRenderCameraNode{0x14};
inline constexpr kivo::MethodSlot<RTInstance*> kGetRenderCameraNode{0x18};
inline constexpr kivo::MethodSlot<RTInstance> kAddRoom{0x1c};
inline constexpr kivo::MethodSlot<RTInstance> kRemoveRoom{0x20};
inline constexpr kivo::MethodSlot<uint32_t*> kGetRoomCount{0x24};
inline constexpr kivo::MethodSlot<uint32_t, RTInstance*> kGetRoomN{0x28};
inline constexpr kivo::MethodSlot<RTBool> kEnableDesigning{0x2c};
inline constexpr kivo::MethodSlot<> kPrelight{0x30};
inline constexpr kivo::MethodSlot<uint32_t, RTBool> kEnableStochasticLightingMode{0x34};
inline constexpr kivo::MethodSlot<float> kSetLightmapRez{0x38};
inline constexpr kivo::MethodSlot<float*> kGetLightmapRez{0x3c};
inline constexpr kivo::MethodSlot<RTInstance> kSetEditorProject{0x40};
inline constexpr kivo::MethodSlot<RTInstance*> kGetEditorProject{0x44};
inline constexpr kivo::MethodSlot<const RTFVector3D*, RTInstance*> kGetRoomByPoint{0x48};
inline constexpr kivo::MethodSlot<RTInstance, const RTFVector3D*, const RTFVector3D*, float*, RTFVector3D*, uint32_t*, RTInstance*> kRayHitTest{0x4c};
inline constexpr kivo::MethodSlot<> kClearRoomList{0x50};
inline constexpr kivo::MethodSlot<uint32_t, RTInstance> kAddNodeToRoomN{0x54};
inline constexpr kivo::MethodSlot<RTInstance, RTInstance> kAddNodeToRoom{0x58};
inline constexpr kivo::MethodSlot<RTInstance> kQTAddNode{0x5c};
inline constexpr kivo::MethodSlot<RTInstance> kQTRemoveNode{0x60};
inline constexpr kivo::MethodSlot<RTInstance, float, kivo::List**> kQTQueryRadius{0x64};
inline constexpr kivo::MethodSlot<RTInstance, const RTFVector3D*, const RTFVector3D*, float, float*, RTFVector3D*, RTFVector3D*, uint32_t*, RTInstance*> kSphereHitTest{0x68};
inline constexpr kivo::MethodSlot<uint32_t> kSetDesigningFlags{0x6c};
inline constexpr kivo::MethodSlot<uint32_t*> kGetDesigningFlags{0x70};
inline constexpr kivo::MethodSlot<> kUpdateQuadTree{0x74};
inline constexpr kivo::MethodSlot<RTInstance> kSetListenerNode{0x78};
// 0x7c: empty
inline constexpr kivo::MethodSlot<const RTFVector3D*, float, kivo::List**> kQTQueryRadiusByPoint{0x80};
inline constexpr kivo::MethodSlot<const char16_t*, RTInstance*> kGetRoomByName{0x84};
inline constexpr kivo::MethodSlot<RTInstance> kPrelightRoom{0x88};
inline constexpr kivo::MethodSlot<uint32_t> kLoadScenarioN{0x8c};
inline constexpr kivo::MethodSlot<const char16_t*> kAddRoomByName{0x90};
inline constexpr kivo::MethodSlot<RTInstance> kSetHitTestFilter{0x94};
// 0x98: empty
inline constexpr kivo::MethodSlot<kivo::List**> kGetRoomList{0x9c};
inline constexpr kivo::MethodSlot<kivo::List**> kGetRoomNameList{0xa0};
inline constexpr uint32_t kLevel = 0x10;  // the tree's own level, after RTComponent's and RTEditable's
inline constexpr uint32_t kOwnTable = 0x14;
inline constexpr uint32_t kStateWord = 0x18;  // the SceneTreeState record (scene_tree_state.h)
inline constexpr uint32_t kObjectSize = 0x1c;
inline constexpr uint32_t kSlotTableSize = 0xa4;  // 164 bytes: slots 0x0 to 0xa0
inline constexpr uint32_t kStreamVersion = 512;
inline constexpr uint32_t kAllScenarios = 0xFFFFFFFFu;  // LoadScenarioN: every referenced room, enabled

// Properties (name, packed type word): the state's lightmap and ambient settings.
inline constexpr char16_t kLightmapRezProperty[] = u"LightmapRez";  // float, 0.15
inline constexpr uint32_t kLightmapRezType = 0x70404;
inline constexpr char16_t kStochasticSamplesProperty[] = u"LightmapStochasticSamples";  // uint, 0
inline constexpr uint32_t kStochasticSamplesType = 0x50404;
inline constexpr char16_t kAmbientColorProperty[] = u"AmbientColor";  // 4 floats r, g, b, a: 0.2, 0.2, 0.2, 0
inline constexpr uint32_t kAmbientColorType = 0x800b0404;
inline constexpr char16_t kFilterLightmapProperty[] = u"FilterLightmap";  // bool, 1
inline constexpr uint32_t kFilterLightmapType = 0xa0404;

template <class... Params>
RTSuccess Call(RTInstance tree, kivo::MethodSlot<Params...> slot, std::type_identity_t<Params>... args) {
  return kivo::CallMethod(tree, kLevel, slot, args...);
}

// --- Streaming and scenarios (the stream holds the room references and the designing flags) -----

inline RTSuccess GetStageCount(RTInstance t, uint32_t* count) { return Call(t, kGetStageCount, count); }
inline RTSuccess StreamIn(RTInstance t, uint32_t stage, RTInstance stream) { return Call(t, kStreamIn, stage, stream); }
inline RTSuccess StreamOut(RTInstance t, uint32_t stage, RTInstance stream) {
  return Call(t, kStreamOut, stage, stream);
}
// Registers the rooms of scenario n (fetching those not registered yet), disables the registered
// rooms outside it, clears flag 0x20 on each, then refreshes every listed room.
inline RTSuccess LoadScenarioN(RTInstance t, uint32_t scenario) { return Call(t, kLoadScenarioN, scenario); }
// Appends a copy of a room reference (no duplicate check).
inline RTSuccess AddRoomByName(RTInstance t, const char16_t* reference) { return Call(t, kAddRoomByName, reference); }
// The tree's own list of room references (char16_t* data).
inline RTSuccess GetRoomNameList(RTInstance t, kivo::List** references) {
  return Call(t, kGetRoomNameList, references);
}

// --- Rooms ------------------------------------------------------------------------------------

// The room must be an RTBrellinRoom or a descendant.
inline RTSuccess AddRoom(RTInstance t, RTInstance room) { return Call(t, kAddRoom, room); }
// Removes one entry of the room.
inline RTSuccess RemoveRoom(RTInstance t, RTInstance room) { return Call(t, kRemoveRoom, room); }
// Releases every listed room and empties the list.
inline RTSuccess ClearRoomList(RTInstance t) { return Call(t, kClearRoomList); }
inline RTSuccess GetRoomCount(RTInstance t, uint32_t* count) { return Call(t, kGetRoomCount, count); }
// The room at a 0-based index, with a reference; fails (out untouched) out of range.
inline RTSuccess GetRoomN(RTInstance t, uint32_t index, RTInstance* room) { return Call(t, kGetRoomN, index, room); }
// The room of an instance name, with a reference; out null and failure when there is none.
inline RTSuccess GetRoomByName(RTInstance t, const char16_t* name, RTInstance* room) {
  return Call(t, kGetRoomByName, name, room);
}
// The tree's own room list (RTInstance data).
inline RTSuccess GetRoomList(RTInstance t, kivo::List** rooms) { return Call(t, kGetRoomList, rooms); }

// --- Camera, listener, editor and designing ---------------------------------------------------

inline RTSuccess SetRenderCameraNode(RTInstance t, RTInstance node) { return Call(t, kSetRenderCameraNode, node); }
// Releases what *node holds first (see the top of this header).
inline RTSuccess GetRenderCameraNode(RTInstance t, RTInstance* node) { return Call(t, kGetRenderCameraNode, node); }
// With an audio service, the node's world matrix goes to it as the listener's; a null node keeps
// the service's listener where it was.
inline RTSuccess SetListenerNode(RTInstance t, RTInstance node) { return Call(t, kSetListenerNode, node); }
inline RTSuccess SetEditorProject(RTInstance t, RTInstance project) { return Call(t, kSetEditorProject, project); }
inline RTSuccess GetEditorProject(RTInstance t, RTInstance* project) { return Call(t, kGetEditorProject, project); }
// Stores the switch and passes it to every listed room.
inline RTSuccess EnableDesigning(RTInstance t, RTBool on) { return Call(t, kEnableDesigning, on); }
inline RTSuccess SetDesigningFlags(RTInstance t, uint32_t flags) { return Call(t, kSetDesigningFlags, flags); }
inline RTSuccess GetDesigningFlags(RTInstance t, uint32_t* flags) { return Call(t, kGetDesigningFlags, flags); }

// --- Quad tree --------------------------------------------------------------------------------

// Rebuilds the tree over the listed rooms' footprints and files every registered node again.
inline RTSuccess UpdateQuadTree(RTInstance t) { return Call(t, kUpdateQuadTree); }
// The first room of the point's leaf that holds the point and is neither out of the quad tree
// (0x10) nor disabled (0x40), with a reference; out null and failure when there is none.
inline RTSuccess GetRoomByPoint(RTInstance t, const RTFVector3D* point, RTInstance* room) {
  return Call(t, kGetRoomByPoint, point, room);
}
// Registers an RTTeskSceneNode at the translation of its placement: its quad item holds one
// reference on it. Registering a node again replaces its item.
inline RTSuccess QTAddNode(RTInstance t, RTInstance node) { return Call(t, kQTAddNode, node); }
// Gives the node to the room (room AddNode), then registers it as QTAddNode does.
inline RTSuccess AddNodeToRoom(RTInstance t, RTInstance room, RTInstance node) {
  return Call(t, kAddNodeToRoom, room, node);
}
inline RTSuccess AddNodeToRoomN(RTInstance t, uint32_t index, RTInstance node) {
  return Call(t, kAddNodeToRoomN, index, node);
}
inline RTSuccess QTRemoveNode(RTInstance t, RTInstance node) { return Call(t, kQTRemoveNode, node); }
// The nodes filed in the node's leaf (but the node itself) and in its eight neighbour leaves,
// whatever the radius, in the tree's query list (RTInstance data, no references).
inline RTSuccess QTQueryRadius(RTInstance t, RTInstance node, float radius, kivo::List** nodes) {
  return Call(t, kQTQueryRadius, node, radius, nodes);
}
// The nodes filed in the point's leaf and its eight neighbour leaves, whatever the radius.
inline RTSuccess QTQueryRadiusByPoint(RTInstance t, const RTFVector3D* point, float radius, kivo::List** nodes) {
  return Call(t, kQTQueryRadiusByPoint, point, radius, nodes);
}

// --- Lightmaps ---------------------------------------------------------------------------------

// The side of a lightmap texel that baking lays the rooms' lightmaps out with.
inline RTSuccess SetLightmapRez(RTInstance t, float rez) { return Call(t, kSetLightmapRez, rez); }
inline RTSuccess GetLightmapRez(RTInstance t, float* rez) { return Call(t, kGetLightmapRez, rez); }
// Stores the sample word with the switch on, 0 with it off: any non-zero word has baking take six
// samples around each light, 0 one at its position.
inline RTSuccess EnableStochasticLightingMode(RTInstance t, uint32_t samples, RTBool on) {
  return Call(t, kEnableStochasticLightingMode, samples, on);
}
// Bakes the lightmaps of the rooms' meshes (static_lit_mesh_calls.h) in design mode: each room
// whose bounds node's entity is an RTStaticLitMesh has its lightmaps laid out at the tree's
// resolution and filled with the ambient colour; each lightmap then takes every light of the room
// and of its further rooms that reaches it, texel by texel where the way from the light is not
// blocked by the meshes of the room and its further rooms, has its unlit texels take the mean of
// their lit neighbours and, with FilterLightmap set, is smoothed by a 3 x 3 box filter. Rooms out
// of the quad tree (0x10) or disabled (0x40) are reported and left out. Writes the times taken
// to the debug output. Outside design mode it reports so and fails, baking nothing.
inline RTSuccess Prelight(RTInstance t) { return Call(t, kPrelight); }
// The same for one room, then for each of its further rooms (without theirs).
inline RTSuccess PrelightRoom(RTInstance t, RTInstance room) { return Call(t, kPrelightRoom, room); }

// --- Transforms and room tracking ---------------------------------------------------------------

// Once a frame, with the game clock in whole milliseconds: hands every node of every room its
// parent matrix, moves the nodes of a moving kind by their pending movement (every node when
// designing), moves a node that left its room into the room that now holds it, raising the script
// event "OnRoomEnter" with that room's name on the node's script object, and re-files quad items.
// Fails when a room cannot give its node or light list (the rooms after it wait for the next frame).
inline RTSuccess UpdateTransforms(RTInstance t, uint32_t milliseconds) {
  return Call(t, kUpdateTransforms, milliseconds);
}

// --- Drawing ------------------------------------------------------------------------------------

// Draws a frame from the render camera node (its entity an RTCamera): the enabled rooms not outside
// the view, the game's area-of-interest rings (outside design mode), every node of every enabled
// room with the nearest three of the room's lights, then the translucent entities again in the
// deferred stage. The rasterizer's frame must be open. Fails without a camera node or camera
// entity, or when a room cannot give its lists (the frame's view matrix is popped all the same).
inline RTSuccess Render(RTInstance t) { return Call(t, kRender); }

// --- Hit tests (room_calls.h tells what the rooms answer) ----------------------------------------

// In the room given, or the one under the origin when null; rooms out of lookups (0x10) or disabled
// (0x40) take no part. A hit in the room itself stands; else the nearest of its neighbours' hits.
// *distance is 3.4028235e38 when nothing is hit. *wordB, when not null, holds a reference that the
// caller gives back.
inline RTSuccess RayHitTest(RTInstance t, RTInstance room, const RTFVector3D* origin, const RTFVector3D* direction,
                            float* distance, RTFVector3D* point, uint32_t* wordA, RTInstance* wordB) {
  return Call(t, kRayHitTest, room, origin, direction, distance, point, wordA, wordB);
}
// As RayHitTest, with the start as the look-up point, under the hit-test filter: the nearest hit of
// the room and its neighbours, ties going to the room, then to the earlier neighbour.
inline RTSuccess SphereHitTest(RTInstance t, RTInstance room, const RTFVector3D* start, const RTFVector3D* movement,
                               float radius, float* distance, RTFVector3D* point, RTFVector3D* normal,
                               uint32_t* wordA, RTInstance* wordB) {
  return Call(t, kSphereHitTest, room, start, movement, radius, distance, point, normal, wordA, wordB);
}
// The node (null: none) whose subtree the sphere tests leave out until it is set again; the tree
// holds one reference on it. Ray tests ignore it.
inline RTSuccess SetHitTestFilter(RTInstance t, RTInstance filter) { return Call(t, kSetHitTestFilter, filter); }

}  // namespace tesk::scene_tree
