// The environment "Tesk_Test" of the sample's store on the wrapper fixture: the game's stand-in
// loads it (its scene tree with scenario 0 and its quad tree, and its one route planner as kind 0).
// Two rooms side by side, BrellinRoom1 (x -6 to 0, group 1) and BrellinRoom2 (x 0 to 6, group 2),
// each 8 deep (z -4 to 4), share the wall x = 0, open between z -1 and 1; they are each other's
// neighbours and plan on kind 0. BrellinRoom1 holds the node "Cabinet", whose obstacle box spans x
// -3.2 to -2.8 and z -2.7 to -2.3. The graph's nodes lie in both rooms and in the doorway (kNodes).
// Characters are made with the skin "Doctor" and placed with SetPosition; the controller's own
// record serves the functions that the tests call directly.
#pragma once

#include <vector>

#include "actor_state.h"
#include "kivo/navigation/navigation_calls.h"
#include "wrapper_fixture.h"

namespace actortest {

inline constexpr char16_t kEnvironment[] = u"Tesk_Test";
inline constexpr char kFirstRoom[] = "Root:Tesk_Test:Assets:Rooms:BrellinRoom1";
inline constexpr char kSecondRoom[] = "Root:Tesk_Test:Assets:Rooms:BrellinRoom2";
inline constexpr char kGraph[] = "Root:Tesk_Test:Assets:Pathfinding:Walk";
inline constexpr char kCabinet[] = "Root:Tesk_Test:Assets:Rooms:BrellinRoom1:Cabinet";

// The graph's nodes (x, z; y 0) with their widths and groups, and the route between the rooms.
struct GraphNode {
  float x, z, width;
  int group;
};
inline constexpr GraphNode kNodes[] = {{-3.0f, 2.0f, 0.5f, 1},
                                       {-1.5f, 0.0f, 0.5f, 1},
                                       {0.0f, 0.0f, 0.3f, 1},
                                       {1.5f, 0.0f, 0.5f, 2},
                                       {3.0f, 2.0f, 0.5f, 2}};

// The sample store's descriptions of the environment's instances, for the fixture's pack.
std::string TestEnvironmentInstances();
// The navigation components the environment's graph needs.
void InstallNavigationComponents(tesk::testing::CoreHost& host);

RTFVector3D At(float x, float y, float z);
Cell VectorCell(RTFVector3D* v);

class NavigationTest : public WrapperTest {
 protected:
  std::string MoreInstances() const override;
  void InstallMore(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  tesk::actor::ActorControllerData& actor();
  // A new character for the object, standing at the point and looking along +x.
  RTTeskActorWrapper* Place(void* object, RTFVector3D at);
  // Moves the character to the point at once.
  void MoveTo(RTTeskActorWrapper* w, void* object, RTFVector3D at);
  RTInstance Stored(const char* path);
  // The path's points.
  std::vector<kivo::PathPoint> Path(const RTTeskActorWrapper* w) const;

 private:
  std::vector<kivo::InstanceRef> held_;
};

}  // namespace actortest
