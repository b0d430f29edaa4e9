// What the game keeps of its environment: the prop lists and single prop nodes the loader sorts
// the scene's nodes into, the talking-head scene, the shower stalls and security-camera views of
// the main hospital, the gym's room pairs, and the environment's camera and switches.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::game {

// An elevator mat: a core block, owned by the elevator-mat list.
struct ElevatorMat {
  uint32_t floor;   // 0 for the up mat, 1 for the down mat
  RTInstance node;  // no reference: the room holds the node
};

// The swing state of a door that turns about the vertical (its yaw), in radians; times are the
// game clock in seconds.
struct DoorSwing {
  float closedAngle;
  float targetAngle;
  float currentAngle;
  float startAngle;
  float startTime;
  uint32_t last;
};

struct ShowerStall {
  const char16_t* stallName;
  const char16_t* doorName;
  RTInstance stall;  // one reference, or null
  RTInstance door;   // one reference, or null
  DoorSwing swing;
};
inline constexpr size_t kShowerStallCount = 5;

// A bathroom stall door: index 0 the men's, 1 the women's. Its closed angle stays 0.
struct StallDoor {
  RTInstance door;  // one reference, or null
  DoorSwing swing;
};
inline constexpr size_t kStallDoorCount = 2;

// One sliding leaf of the main entrance: x positions of its node's translation.
struct EntranceLeaf {
  float targetX;
  float currentX;
  float startX;
};

// The main entrance, whose two leaves slide open when a character comes near its sensor.
struct EntranceDoors {
  RTInstance entranceRoom;  // one reference, or null
  RTInstance portRoom;      // the ambulance port room: one reference, or null
  EntranceLeaf left;
  EntranceLeaf right;
  float closeTime;
  float startTime;
  uint32_t open;
};

// Two gym rooms of which one shows at a time; the rooms are looked up by name at each toggle.
struct GymRoomPair {
  const char16_t* nameA;
  const char16_t* nameB;
  uint32_t index;  // 0 shows A, 1 shows B
};
inline constexpr size_t kGymRoomPairCount = 5;

inline constexpr size_t kSecurityCameraCount = 18;

// The prop lists: scene nodes without a reference (the rooms hold them), except elevatorMats
// (ElevatorMat blocks). ellipticals, rowingMachines and linenCarts hold the animated copies that
// the first load makes and live on across loads.
struct PropLists {
  kivo::List* beds;
  kivo::List* cots;
  kivo::List* sinks;
  kivo::List* vendingMachines;
  kivo::List* shoulderPresses;
  kivo::List* yogaMats;
  kivo::List* benches;
  kivo::List* scales;
  kivo::List* gameMachines;
  kivo::List* cafeteriaChairs;
  kivo::List* cafeteriaTrays;
  kivo::List* securityCameras;
  kivo::List* showers;
  kivo::List* waitingChairs;
  kivo::List* sigChairs;
  kivo::List* pediatricChairs;
  kivo::List* elevatorMats;
  kivo::List* nodeObjects;
  // The first load's.
  kivo::List* ellipticals;
  kivo::List* rowingMachines;
  kivo::List* linenCarts;
};
inline constexpr size_t kReloadedPropListCount = 18;  // the lists before ellipticals

// Single prop nodes, one reference each.
struct PropNodes {
  RTInstance mainEntranceLeft;
  RTInstance mainEntranceRight;
  RTInstance glueTruck;
  RTInstance maleStallDoor;
  RTInstance femaleStallDoor;
  RTInstance deconChamber;
  RTInstance basketball;
  RTInstance ceilingChunk;  // never bound: every load clears it
};

// The scene the speaking character's head is drawn in, made by the first load; one reference each.
struct HeadScene {
  RTInstance cameraNode;
  RTInstance camera;
  RTInstance rootNode;
  RTInstance scene;
  RTInstance headNode;  // an RTTeskSceneNode, which carries the animator that poses its skin
  RTInstance animator;
  RTInstance mesh;    // the talking head's skin, or null
  RTInstance motion;  // the talking head's motion, or null
};

struct EnvironmentState {
  uint32_t index;         // the last index given to SetEnvironmentC
  RTInstance cameraNode;  // RTTeskSceneNode, made once; one reference
  RTInstance cameraLens;  // RTCamera, made once; one reference
  float fieldOfView;      // radians
  RTInstance firstRoom;   // one reference, or null
  uint32_t wreckingBallShown;
  uint32_t glueTruckEnabled;
  uint32_t gymOutlinesOn;  // 1 at creation
  PropLists lists;
  PropNodes nodes;
  HeadScene head;
  kivo::HashTable* showerTable;  // stall node's scene handle -> ShowerStall
  ShowerStall showers[kShowerStallCount];
  StallDoor stallDoors[kStallDoorCount];
  EntranceDoors entrance;
  RTInstance cameraViews[kSecurityCameraCount];  // resolved views, one reference each, or null
  uint32_t cameraViewsResolved;
  GymRoomPair gymPairs[kGymRoomPairCount];
  RTFVector3D* outlineScratch;  // core array, grown only
  uint32_t outlineCapacity;
};

}  // namespace tesk::game
