// The scene tree's methods and the pieces its files share. The definition record
// (rt_tesk_scene_tree.cpp) lists the methods; each file holds one group of them.
#pragma once

#include <string>

#include "kivo/core_table.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/support/module_core.h"
#include "tesk/scene/scene_tree_state.h"

namespace tesk::scene_tree {

SceneTreeState* StateOf(RTInstance tree);

inline CoreTable& Core() { return *kivo::ModuleCore(); }

namespace method {

// construction.cpp
RTSuccess Construct(RTInstance self);
RTSuccess Destruct(RTInstance self);

// room_list.cpp
RTSuccess AddRoom(RTInstance self, RTInstance room);
RTSuccess RemoveRoom(RTInstance self, RTInstance room);
RTSuccess ClearRoomList(RTInstance self);
RTSuccess GetRoomCount(RTInstance self, uint32_t* count);
RTSuccess GetRoomN(RTInstance self, uint32_t index, RTInstance* room);
RTSuccess GetRoomList(RTInstance self, kivo::List** rooms);
RTSuccess GetRoomNameList(RTInstance self, kivo::List** references);
RTSuccess GetRoomByName(RTInstance self, const char16_t* name, RTInstance* room);
RTSuccess AddRoomByName(RTInstance self, const char16_t* reference);
RTSuccess EnableDesigning(RTInstance self, RTBool on);

// held_nodes.cpp: camera, listener, editor project, hit-test filter, settings
RTSuccess SetRenderCameraNode(RTInstance self, RTInstance node);
RTSuccess GetRenderCameraNode(RTInstance self, RTInstance* node);
RTSuccess SetListenerNode(RTInstance self, RTInstance node);
RTSuccess SetEditorProject(RTInstance self, RTInstance project);
RTSuccess GetEditorProject(RTInstance self, RTInstance* project);
RTSuccess SetHitTestFilter(RTInstance self, RTInstance filter);
RTSuccess SetDesigningFlags(RTInstance self, uint32_t flags);
RTSuccess GetDesigningFlags(RTInstance self, uint32_t* flags);
RTSuccess SetLightmapRez(RTInstance self, float rez);
RTSuccess GetLightmapRez(RTInstance self, float* rez);
RTSuccess EnableStochasticLightingMode(RTInstance self, uint32_t samples, RTBool on);

// scene_tree_stream.cpp
RTSuccess GetStageCount(RTInstance self, uint32_t* count);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);

// scenarios.cpp
RTSuccess LoadScenarioN(RTInstance self, uint32_t scenario);

// transforms.cpp
RTSuccess UpdateTransforms(RTInstance self, uint32_t milliseconds);

// render.cpp
RTSuccess Render(RTInstance self);

// prelight.cpp
RTSuccess Prelight(RTInstance self);
RTSuccess PrelightRoom(RTInstance self, RTInstance room);

// hit_tests.cpp
RTSuccess RayHitTest(RTInstance self, RTInstance room, const RTFVector3D* origin, const RTFVector3D* direction,
                     float* distance, RTFVector3D* point, uint32_t* wordA, RTInstance* wordB);
RTSuccess SphereHitTest(RTInstance self, RTInstance room, const RTFVector3D* start, const RTFVector3D* movement,
                        float radius, float* distance, RTFVector3D* point, RTFVector3D* normal, uint32_t* wordA,
                        RTInstance* wordB);

// quad_methods.cpp
RTSuccess UpdateQuadTree(RTInstance self);
RTSuccess GetRoomByPoint(RTInstance self, const RTFVector3D* point, RTInstance* room);
RTSuccess QTAddNode(RTInstance self, RTInstance node);
RTSuccess AddNodeToRoom(RTInstance self, RTInstance room, RTInstance node);
RTSuccess AddNodeToRoomN(RTInstance self, uint32_t index, RTInstance node);
RTSuccess QTRemoveNode(RTInstance self, RTInstance node);
RTSuccess QTQueryRadius(RTInstance self, RTInstance node, float radius, kivo::List** nodes);
RTSuccess QTQueryRadiusByPoint(RTInstance self, const RTFVector3D* point, float radius, kivo::List** nodes);

}  // namespace method

// room_list.cpp: releases the list's references, forgets the rooms' names and detaches them.
void ReleaseRooms(RTInstance self, SceneTreeState& tree);
// The room of an instance path (ignoring case), or null; no reference is added.
RTInstance RegisteredRoomAt(SceneTreeState& tree, const std::u16string& path);

// quad_methods.cpp: frees the cells and every quad item (giving back the items' references).
void FreeQuadTree(SceneTreeState& tree);
// The node's quad item when it is this tree's; null otherwise.
QuadItem* QuadItemOf(SceneTreeState& tree, RTInstance node);
// The same for a node known to be an RTTeskSceneNode.
QuadItem* TeskNodeQuadItem(SceneTreeState& tree, RTInstance node);

}  // namespace tesk::scene_tree
