#include "vehicle_fixture.h"

#include <cctype>

#include "host/core_host.h"
#include "kivo/scene/scene_node_calls.h"

namespace actortest {

namespace {

constexpr char kMeshes[] = "Root:Raririrer Objects:Assets:Meshes:";

std::string Mesh(const std::string& name, float x, float y, float z) {
  return R"({"path": ")" + std::string(kMeshes) + name + R"(", "class": "RTPolyModel", "mesh": {"materials":
      ["Root:Cloth"], "box": {"size": [)" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) +
         "]}}}";
}

// A node carrying the mesh, named after it and its position (unique among its siblings here).
std::string Node(const std::string& mesh, const std::string& position, const std::string& children = "") {
  std::string name = mesh + position;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') c = '_';
  std::string node = R"({"name": ")" + name + R"(", "entity": ")" + std::string(kMeshes) + mesh +
                     R"(", "position": )" + position;
  if (!children.empty()) node += R"(, "children": [)" + children + "]";
  return node + "}";
}

}  // namespace

RTFVector3D Point(float x, float y, float z) { return RTFVector3D{x, y, z, 0.0f}; }


std::string VehicleTest::MoreInstances() const {
  const std::string chair = "tesk01-stm-generic-wheelchair01-";
  const std::string gurney = "tesk01-dm-generic-gurney01";
  std::string more;
  for (const char* part : {"seat", "bigwheel-left", "bigwheel-right", "leftcaster", "rightcaster", "littlewheel-left",
                           "littlewheel-right"})
    more += Mesh(chair + part, 0.6f, 0.9f, 0.6f) + ",\n";
  for (const char* part : {"", "-frontwheels", "-leftrearstrut", "-leftrearwheel", "-rtrearstrut", "-rtrearwheel"})
    more += Mesh(gurney + part, 0.6f, 0.8f, 2.0f) + ",\n";
  const std::string chairParts =
      Node(chair + "bigwheel-left", "[0.3, 0.3, 0]") + ", " + Node(chair + "bigwheel-right", "[-0.3, 0.3, 0]") + ", " +
      Node(chair + "leftcaster", "[0.25, 0.1, 0.3]") + ", " + Node(chair + "rightcaster", "[-0.25, 0.1, 0.3]") + ", " +
      Node(chair + "littlewheel-left", "[0.25, 0.05, 0.3]") + ", " +
      Node(chair + "littlewheel-right", "[-0.25, 0.05, 0.3]") + ", " + Node(chair + "bigwheel-left", "[0.5, 0.3, 0]");
  more += R"({"path": "Root:Raririrer Objects:Assets:SceneTrees:Wheelchair01", "class": "RTSceneTree",
      "plainTree": {"root": )" +
          Node(chair + "seat", "[0, 0, 0]", chairParts) + "}},\n";
  const std::string gurneyParts = Node(gurney + "-frontwheels", "[0, 0.1, 0.9]") + ", " +
                                  Node(gurney + "-leftrearstrut", "[0.27, 0.1, -0.99]", Node(gurney + "-leftrearwheel", "[0, -0.05, 0]")) +
                                  ", " +
                                  Node(gurney + "-rtrearstrut", "[-0.27, 0.1, -0.99]", Node(gurney + "-rtrearwheel", "[0, -0.05, 0]"));
  more += R"({"path": "Root:Raririrer Objects:Assets:SceneTrees:Anbulance_gurney", "class": "RTSceneTree",
      "plainTree": {"root": )" +
          GurneyRoot(Node(gurney, "[0, 0, 0]", gurneyParts)) + "}}";
  return more;
}

std::string VehicleTest::GurneyRoot(const std::string& full) const { return full; }

void VehicleTest::InstallMore(tesk::testing::CoreHost& host) {
  // Before the pack is built: the builder makes the pack's instances in this core's components.
  host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTSceneTree"));
  MovementTest::InstallMore(host);
}

uint32_t VehicleTest::AddWheelchair(RTFVector3D at) {
  uint32_t handle = kivo::actor::kNoVehicle;
  kivo::actor::AddWheelchair(controller(), &at, &handle);
  return handle;
}

uint32_t VehicleTest::AddGurney(RTFVector3D at) {
  uint32_t handle = kivo::actor::kNoVehicle;
  kivo::actor::AddGurney(controller(), &at, &handle);
  return handle;
}

VehicleRecord* VehicleTest::Vehicle(uint32_t handle) {
  VehicleRecord* vehicle = nullptr;
  kivo::actor::GetVehicleN(controller(), handle, &vehicle);
  return vehicle;
}

RTTeskActorWrapper* VehicleTest::Character(void* object, RTFVector3D at, int32_t firstWord) {
  RTTeskActorWrapper* w = Walker(object, at.x, at.z);
  if (w) w->AvoidPriority = firstWord;
  return w;
}

RTFVector3D VehicleTest::WorldPosition(RTInstance node) {
  const RTFMatrix4x4* world = nullptr;
  kivo::scene_node::GetWorldMatrix(node, &world);
  return world ? RTFVector3D{world->m[3][0], world->m[3][1], world->m[3][2], 0.0f} : RTFVector3D{};
}

}  // namespace actortest
