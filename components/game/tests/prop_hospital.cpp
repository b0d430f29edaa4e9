#include "prop_hospital.h"

#include <string>
#include <vector>

namespace gametest {

namespace {

constexpr const char* kModels[] = {"tesk01-stm-generic-sink01",
                                   "tesk01-stm-mwaitingroom-chairset-leftchair",
                                   "tesk01-stm-mwaitingroom-chairset-rtchair-sig",
                                   "tesk01-stm-mwaitingroom-chairset-pediatric",
                                   "TESK01-stm-cafeteria-maroonchair",
                                   "tesk01-stm-cafeteria-traysStacked",
                                   "tesk01-stm-cafeteria-chipmachine02",
                                   "TESK01-STM-CAFETERIA-CHIPSMACHINE01",
                                   "TESK01-stm-securityroom-securitychair",
                                   "tesk01-stm-gym-ellipticaltrainer",
                                   "tesk01-stm-gym-bench",
                                   "tesk01-stm-gym-shoulderpress",
                                   "tesk01-stm-gym-rowingmachine",
                                   "tesk01-stm-gym-yogamat01",
                                   "TESK01-stm-fwaitingroom-entertainmentcenter",
                                   "TESK01-stm-generic-cot02",
                                   "tesk01-stm-generic-linencart-green-large",
                                   "tesk11-stm-roof-deconchamber",
                                   "Male_Stall_Door",
                                   "Female_Stall_Door",
                                   "Frame",
                                   "Stall"};

std::string Description() {
  const std::vector<std::string> props = {
      Prop("bed01", "", "1, 0, 1"),
      Prop("bed_t1", "", "1, 0, 2"),
      Prop("bed_e2", "", "1, 0, 3"),
      Prop("bed_m1", "", "1, 0, 4"),
      Prop("sink01", "tesk01-stm-generic-sink01", "2, 0, 1"),
      Prop("chair01", "tesk01-stm-mwaitingroom-chairset-leftchair", "2, 0, 2"),
      Prop("sig01", "tesk01-stm-mwaitingroom-chairset-rtchair-sig", "2, 0, 3"),
      Prop("kids01", "tesk01-stm-mwaitingroom-chairset-pediatric", "2, 0, 4"),
      Prop("cafe01", "TESK01-stm-cafeteria-maroonchair", "3, 0, 1"),
      Prop("trays01", "tesk01-stm-cafeteria-traysStacked", "3, 0, 2"),
      Prop("chips02", "tesk01-stm-cafeteria-chipmachine02", "3, 0, 3"),
      Prop("chips01", "TESK01-STM-CAFETERIA-CHIPSMACHINE01", "3, 0, 4"),
      Prop("security01", "TESK01-stm-securityroom-securitychair", "4, 0, 1"),
      Prop("trainer01", "tesk01-stm-gym-ellipticaltrainer", "4, 0, 2"),
      Prop("bench01", "tesk01-stm-gym-bench", "4, 0, 3"),
      Prop("press01", "tesk01-stm-gym-shoulderpress", "4, 0, 4"),
      Prop("rower01", "tesk01-stm-gym-rowingmachine", "5, 0, 1"),
      Prop("yoga01", "tesk01-stm-gym-yogamat01", "5, 0, 2"),
      Prop("games01", "TESK01-stm-fwaitingroom-entertainmentcenter", "5, 0, 3"),
      Prop("cot01", "TESK01-stm-generic-cot02", "5, 0, 4"),
      Prop("linen01", "tesk01-stm-generic-linencart-green-large", "6, 0, 1"),
      Prop("decon01", "tesk11-stm-roof-deconchamber", "6, 0, 2"),
      Prop("male-stall", "Male_Stall_Door", "7, 0, 1"),
      Prop("female-stall", "Female_Stall_Door", "7, 0, 2")};
  std::string propList;
  for (const std::string& prop : props) propList += (propList.empty() ? "" : ",\n") + prop;
  std::vector<std::string> instances = {
      R"({"path": "Root:Cloth", "class": "RTMaterial", "material": {"color": [0.2, 0.5, 0.5]}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
          "sceneTree": {"rooms": ["Root:Tesk:Assets:Rooms:core-exam-2", "Root:Tesk:Assets:Rooms:core-mainentrance",
                                  "Root:Tesk:Assets:Rooms:core-aport-2@3967@3967"]}})",
      R"({"path": "Root:Tesk:Assets:Rooms:core-exam-2", "class": "RTBrellinRoom",
          "room": {"box": [[0, 0, 0], [12, 3, 6]], "nodes": [)" +
          propList + "]}}",
      R"({"path": "Root:Tesk:Assets:Rooms:core-mainentrance", "class": "RTBrellinRoom",
          "room": {"box": [[12, 0, 0], [18, 3, 8.6]],
                   "nodes": [{"name": "tesk_mainentrance_door_left", "position": [13.8, 0, 8.45], "state": 17},
                             {"name": "tesk_mainentrance_door_right", "position": [13.8, 0, 8.4], "state": 17}]}})",
      R"({"path": "Root:Tesk:Assets:Rooms:core-aport-2@3967", "class": "RTBrellinRoom",
          "room": {"box": [[12, 0, 8.6], [18, 3, 14]]}})",
      R"({"path": "Root:Tesk:Assets:Pathfinding:Walk", "class": "RTRoutePlanner", "graph": {"nodes": [
          {"position": [1, 0, 1], "width": 0.5, "group": 1}, {"position": [3, 0, 1], "width": 0.5, "group": 1}],
          "edges": [{"nodes": [0, 1], "cost": 2}]}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneNodes:Shower-Stall-01", "class": "RTTeskSceneNode",
          "node": {"entity": "Root:Tesk:Assets:Meshes:Stall"}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneNodes:Shower-Door-01", "class": "RTTeskSceneNode",
          "node": {"matrix": [0.87758256, 0, -0.47942554, 0,  0, 1, 0, 0,  0.47942554, 0, 0.87758256, 0,
                              0, 0, 0, 1]}})",
      R"({"path": "Root:Animated Objects:Assets:Motions:Swing", "class": "RTAnimTrack",
          "motion": {"skeleton": "swing_skeleton.json", "family": "swing.json"}})",
      R"({"path": "Root:Animated Objects:Assets:Players:Swing", "class": "RTRigid",
          "player": {"motions": ["Root:Animated Objects:Assets:Motions:Swing"], "looping": true}})",
      R"({"path": "Root:Animated Objects:Assets:SceneTrees:Elliptical_Trainer_New", "class": "RTSceneTree",
          "plainTree": {"root": {"name": "frame", "entity": "Root:Tesk:Assets:Meshes:Frame",
                                 "modifiers": ["Root:Animated Objects:Assets:Players:Swing"]}}})",
      R"({"path": "Root:Animated Objects:Assets:SceneTrees:rowingmachine", "class": "RTSceneTree",
          "plainTree": {"root": {"name": "frame", "entity": "Root:Tesk:Assets:Meshes:Frame"}}})",
      R"({"path": "Root:Animated Objects:Assets:SceneTrees:LinenCart", "class": "RTSceneTree",
          "plainTree": {"root": {"name": "cart", "entity": "Root:Tesk:Assets:Meshes:Frame"}}})"};
  for (const char* model : kModels) instances.push_back(Mesh(model));
  std::string description = "{\"instances\": [\n";
  for (const std::string& instance : instances) description += (description.back() == '\n' ? "" : ",\n") + instance;
  return description + "\n]}\n";
}

const std::vector<PackFile> kMotionFiles = {
    {"swing_skeleton.json", R"({"bones": [{"name": "Frame", "offset": [0, 0, 0]}]})"},
    {"swing.json", R"({"duration": 4.0, "keysPerSecond": 8, "continuous": true,
                       "curves": [{"bone": "Frame", "rotation": [0, 0, 0], "swing": [0, 20, 0]}]})"}};

}  // namespace

std::filesystem::path PropHospitalTest::Store() const {
  static const std::filesystem::path pack = BuildPack(Description(), kMotionFiles);
  return pack;
}

uint32_t PropHospitalTest::Handle(RTInstance node) {
  return node && record().sceneHandles ? record().sceneHandles->Issue(node) : 0;
}

Cell PropHospitalTest::Call(varno::NativeMethodSlot slot, std::vector<Cell> arguments, Cell result) {
  EXPECT_TRUE(CallScript(slot, std::move(arguments), &result));
  return result;
}

void PropHospitalTest::SetClock(double seconds) { record().gameClock = seconds; }

}  // namespace gametest
