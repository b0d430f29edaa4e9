// The controller's record (one per RTTeskActor instance, hung on the component object) and what
// the library keeps for all its controllers: the built-in motions and the head-render cache.
#pragma once

#include <vector>

#include "kivo/support/handle_table.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"
#include "filed_actors.h"
#include "head_render_cache.h"
#include "motion_table.h"

struct VehicleRecord;

namespace tesk::actor {

// The overlay images' textures, loaded once per controller.
struct OverlayImages {
  RTBool loaded;
  uint32_t glow;
  uint32_t plus;
  uint32_t conversationTopics;
  uint32_t leftButtons;
  uint32_t rightButtons;
  uint32_t icons;
  uint32_t portalBalls;
};

// A cell of one of the overlay images: its texture and the texture coordinates of its corners.
struct Sprite {
  uint32_t texture;
  RTFVector2D corners[4];
};
inline constexpr uint32_t kSpriteCount = 12;

// An image rising over an actor and fading.
struct Floatie {
  RTFVector3D position;
  float riseSpeed;
  uint32_t texture;
  float life;  // seconds left
  RTBool active;
  float size;
};
inline constexpr uint32_t kFloatieCount = 4;

struct GlowRing;  // a ring of the shared highlight effect (made with the overlay drawing)

struct Aura {
  RTBool active;
  float endTime;
  float startTime;
  float position[3];
  float alpha;
  float velocity[3];
  float fadeRate;
  uint32_t further[2];
  uint32_t value;
};

struct LevelUpEffect {
  RTBool active;
  float startTime;
};

// The float properties, in their published order.
struct ActorProperties {
  float lateralGain = 0.0f;
  float brakingGain = 0.2f;
  float lateralSlowingMin = 0.0f;
  float lateralSlowingMax = 1.0f;
  float wheelchairWheelBlend = 0.2f;
  float gurneyWheelBlend = 0.18f;
  float actorAvoidanceGain = 1.5f;
};

struct ActorControllerData {
  RTBool debug = 0;
  RTInstance game = nullptr;        // fetched on first need; one reference held
  RTInstance rasterizer = nullptr;  // the RTRasterizer singleton; one reference held
  RTInstance script = nullptr;      // the RTVarno singleton; one reference held
  void* vm = nullptr;               // the script VM (SetVM)
  kivo::List* actorList = nullptr;  // ours until the frame entry takes the game's list
  RTBool actorListOwned = 0;        // the list above is the controller's own
  float lastFrameTime = 0.0f;
  kivo::List* routeScratch = nullptr;  // the route planner's node list while planning
  RTInstance timer = nullptr;          // the RTTeskTimer singleton; one reference held
  RTInstance nameFont = nullptr;       // "Root:Fonts:Verdana"; one reference held
  RTInstance largeFont = nullptr;      // "Root:Fonts:Verdana19"; one reference held
  RTFVector3D* outlinePoints = nullptr;  // core array block, grown by the patient outline drawing
  uint32_t outlineCapacity = 0;
  OverlayImages images{};
  uint32_t frameCounter = 0;
  uint32_t frameParity = 0;
  LevelUpEffect levelUp{};
  kivo::List* vehicles = nullptr;  // wheelchairs and gurneys, in the order added: the vehicle pool
  kivo::HandleTable vehicleHandles{kivo::HandleTable::Holds::kRecords};  // the pooled records' handles
  VehicleRecord* ambulance = nullptr;
  uint32_t nextWrapperSerial = 0;
  RTInstance meshFolder = nullptr;        // "Root:pendra_obj:assets:meshes", or null; one reference held
  RTInstance attachNodeFolder = nullptr;  // "Root:pendra_obj:assets:AttachNodes", or null; one reference held
  RTBool vehicleMovementFree = 1;
  void* vehicleMovementOwner = nullptr;  // the script object that captured the vehicle movement
  void* player = nullptr;                // the player's script object (SetPlayer)
  ActorProperties properties;
  RTComponentHandle skinClass = kNoComponent;  // RTTeskSkin
  // Effects of the overlay drawing.
  Sprite sprites[kSpriteCount]{};
  GlowRing* rings = nullptr;
  uint32_t ringCount = 0;
  float ringStartTime = 0.0f;
  Floatie* floaties[kFloatieCount]{};
  uint32_t nextFloatie = 0;
  Aura aura{};
  // The meshes carrying this controller's highlight hooks; one reference each.
  std::vector<RTInstance> hooked;
  // The neighbourhood: the wrappers of the quad tree's leaves and each leaf's surroundings (the
  // actors' NeighbourQueryList).
  FiledActors filedActors;
};

// What the library keeps for all its controllers: the first controller made loads it, the last
// one destroyed gives it back.
struct SharedActorState {
  RTInstance motions[kMotionCount]{};  // one reference each, by motion index
  uint32_t motionCount = 0;            // kMotionCount once every motion is loaded
  HeadRenderCache heads;
  uint32_t controllers = 0;
};
SharedActorState& Shared();

// The record of a controller instance; null when its construction failed.
ActorControllerData* StateOf(RTInstance actor);

}  // namespace tesk::actor
