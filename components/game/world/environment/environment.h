// The environment's loading and the props it finds, as the rest of the game calls them.
#pragma once

#include "game_record.h"
#include "kivo/scene/frame_information.h"

namespace tesk::game {

inline constexpr uint32_t kBusyCursor = 107;
inline constexpr uint32_t kNormalCursor = static_cast<uint32_t>(-2);

// Loads the environment of the name (the game's names: "Tesk", "Tesk_Test", ...): its scene tree,
// the scenario's rooms, the props sorted into the prop lists, the first room and the pathfinding
// graphs. 0 when the scene tree, the first room or the pathfinding folder cannot be found, the
// scenario cannot be read, or the talking-head scene cannot be made; the loading flag is clear
// and the cursor normal again on every return.
RTSuccess LoadEnvironment(RTInstance self, const char16_t* name);

// Makes the talking-head scene while its camera node or camera is missing; false at the first
// instance that cannot be made.
bool BuildHeadScene(GamePrivateData& game);

// Frees the prop lists (but the first load's) and makes them anew, and releases the single prop
// nodes; the first load's lists are made when missing.
bool EmptyPropLists(GamePrivateData& game);
// Sorts one scene node of a room into the prop lists and fields.
void SortPropNode(RTInstance self, GamePrivateData& game, RTInstance node);

// The security-camera views of the main hospital (once per game) and its shower stalls.
void ResolveSecurityCameras(GamePrivateData& game);
void SetUpShowerStalls(RTInstance self, GamePrivateData& game);
RTSuccess DoorSwingSetup(GamePrivateData& game, ShowerStall* stall);
RTSuccess DoorSwingReset(GamePrivateData& game, ShowerStall* stall);

// The mouse-over outline, registered on a prop's model (context: the game).
RTSuccess HighlightPreDraw(RTInstance self, RTInstance model, uint32_t time,
                           const RTSceneNodeEntityFrameInformation* frame, uint32_t* go);
RTSuccess HighlightPostDraw(RTInstance self, RTInstance model, uint32_t time,
                            const RTSceneNodeEntityFrameInformation* frame, uint32_t* go);
// Puts the outline callbacks on the model (post-draw first, then pre-draw) or takes them off.
void SetOutline(RTInstance self, RTInstance model, bool on);
// The same for the entity of a node; nothing for a node without one.
void SetNodeOutline(RTInstance self, RTInstance node, bool on);

// Makes an animated copy of the stored asset at the path in place of the static node (null: no
// node to replace): 1 with *copy the copy (the caller's reference), or 1 with *copy null when
// there is no asset at the path; 0 when the copy cannot be made.
RTSuccess LoadAnimatedObject(RTInstance self, RTInstance staticNode, const char16_t* path, RTInstance* copy,
                             uint32_t mode);

// The environment switch: loads the environment of the index (0 "Tesk", 1 "tesk11_hard landing",
// 2 "tesk09_BowlingAlley", 3 "03_HK", 4 "Tesk_Test"), sets up its root, camera and speech source,
// and binds the main entrance (for the scenario) and the stall doors; 0 for an unknown index or a
// failed load.
RTSuccess SetEnvironmentC(RTInstance self, uint32_t index);

// Room lights by room name (under "Root:Tesk:Assets:Rooms:"); 0 without the room or its lighting
// result. The dropped-rooms list holds each dropped room once, with a reference.
RTSuccess DropRoomLightsByName(RTInstance self, const char16_t* name);
RTSuccess RestoreRoomLightsByName(RTInstance self, const char16_t* name);
// Restores every dropped room by its name, emptying the list.
void RestoreDroppedRooms(RTInstance self, GamePrivateData& game);
// Empties the dropped-rooms list, giving back its references.
void ReleaseDroppedRooms(GamePrivateData& game);

// The five gym room pairs, each showing its first room.
void SetUpGymRoomPairs(EnvironmentState& environment);
// The gym's room pairs swapped; their indexes back to 0 (the rooms untouched).
RTSuccess ToggleWreakingBallC(RTInstance self);
RTSuccess ResetWreckingBall(RTInstance self);
// The yoga mats' and benches' outlines on or off.
RTSuccess SetGymOutlines(RTInstance self, uint32_t on);
// The glue truck's mode: 1 on, 8 off; 0 without a glue truck.
RTSuccess EnableGlueTruckC(RTInstance self, uint32_t on);
// A quad at (x, y) of |width| x |height| pixels with the texture, mirrored left to right.
RTSuccess DrawTexturedQuad(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t texture);

// Starts the animations of the node: every motion player among its modifiers takes the motion
// `first` of its set, loops when `second` is not 0, and plays from the motion's start. No node
// (null) or a node without modifiers is reported; 1 in every case.
RTSuccess PlayNodeAnimationOn(RTInstance node, uint32_t first, uint32_t second);

// Everything the environment holds, for the game's destroy hook.
void ReleaseEnvironment(RTInstance self, GamePrivateData& game);

}  // namespace tesk::game
