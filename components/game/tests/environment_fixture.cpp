#include "environment_fixture.h"

#include <filesystem>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "kivo/scene/room_calls.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace gametest {

namespace {

// With the classes of the sample's hospital: its lamps, floor images and walking character.
constexpr std::string_view kSceneComponents[] = {
    "RTEditable",    "RTRenderable", "RTSceneNode", "RTTeskSceneNode", "RTBrellinRoom",   "RTTeskSceneTree",
    "RTSceneTree",   "RTCamera",     "RTLight",     "RTInfDirLight",   "RTPointLight",    "RTRigid",
    "RTArticulated", "RTMaterial",   "RTImage",     "RTPolyModel",     "RTStaticLitMesh", "RTBoneModel",
    "RTTeskSkin",    "RTSphere",     "RTAnimTrack"};

std::string Graph(const std::string& path) {
  return R"({"path": ")" + path + R"(", "class": "RTRoutePlanner", "graph": {"nodes": [{"position": [1, 0, 1],
      "width": 0.5, "group": 1}, {"position": [3, 0, 1], "width": 0.5, "group": 1}], "edges": [{"nodes": [0, 1],
      "cost": 2}]}})";
}

std::string Description() {
  const std::vector<std::string> props = {Prop("Bed_04", "", "1, 0, 1"),
                                          Prop("BED7", "", "1, 0, 2"),
                                          Prop("be", "", "1, 0, 3"),
                                          Prop("cot01", "TESK01-STM-GENERIC-COT02", "2, 0, 1"),
                                          Prop("bare01", "", "2, 0, 2"),
                                          Prop("stall-door-a", "Male_Stall_Door", "2, 0, 3"),
                                          Prop("stall-door-b", "Male_Stall_Door", "2, 0, 4"),
                                          Prop("mat-up", "elevator-mat-up", "3, 0, 1"),
                                          Prop("mat-down", "elevator-mat-down", "3, 0, 2"),
                                          Prop("sink01", "tesk01-stm-generic-sink01", "3, 0, 3"),
                                          Prop("chair01", "tesk01-stm-mwaitingroom-chairset-leftchair", "3, 0, 4"),
                                          Prop("trainer01", "tesk01-stm-gym-ellipticaltrainer", "4, 0, 1"),
                                          Prop("rower01", "tesk01-stm-gym-rowingmachine", "4, 0, 2"),
                                          Prop("spawner", "spawn_ward", "4, 0, 3"),
                                          Prop("mat-yoga", "tesk01-stm-gym-yogamat01", "4, 0, 4"),
                                          Prop("Gluetruck", "", "5, 0, 1")};
  std::string propList;
  for (const std::string& prop : props) propList += (propList.empty() ? "" : ",\n") + prop;
  std::vector<std::string> instances = {
      R"({"path": "Root:Cloth", "class": "RTMaterial", "material": {"color": [0.2, 0.5, 0.5]}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
          "sceneTree": {"rooms": ["Root:Tesk:Assets:Rooms:core-exam-2", "Root:Tesk:Assets:Rooms:hall"]}})",
      R"({"path": "Root:Tesk:Assets:Rooms:core-exam-2", "class": "RTBrellinRoom",
          "room": {"box": [[0, 0, 0], [6, 3, 6]], "nodes": [)" +
          propList + "]}}",
      R"({"path": "Root:Tesk:Assets:Rooms:hall", "class": "RTBrellinRoom", "room": {"box": [[6, 0, 0], [12, 3, 6]]}})",
      R"({"path": "Root:Tesk_Test:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
          "sceneTree": {"rooms": ["Root:Tesk_Test:Assets:Rooms:BrellinRoom1"]}})",
      R"({"path": "Root:Tesk_Test:Assets:Rooms:BrellinRoom1", "class": "RTBrellinRoom",
          "room": {"box": [[-6, 0, -4], [0, 3, 4]]}})",
      Graph("Root:Tesk_Test:Assets:Pathfinding:Walk"),
      R"({"path": "Root:tesk09_BowlingAlley:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
          "sceneTree": {"rooms": []}})",
      R"({"path": "Root:03_HK:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
          "sceneTree": {"rooms": ["Root:03_HK:Assets:Rooms:BrellinRoom1"]}})",
      R"({"path": "Root:03_HK:Assets:Rooms:BrellinRoom1", "class": "RTBrellinRoom",
          "room": {"box": [[0, 0, 0], [4, 3, 4]]}})",
      Graph("Root:Tesk:Assets:Pathfinding:Walk"),
      Graph("Root:Tesk:Assets:Pathfinding:Drive"),
      R"({"path": "Root:Animated Objects:Assets:SceneTrees:Elliptical_Trainer_New", "class": "RTSceneTree",
          "plainTree": {"root": {"name": "frame", "entity": "Root:Tesk:Assets:Meshes:TrainerFrame",
                                 "children": [{"name": "pedals", "entity": "Root:Tesk:Assets:Meshes:TrainerPedals"}]}}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneNodes:Shower-Stall-01", "class": "RTTeskSceneNode",
          "node": {"entity": "Root:Tesk:Assets:Meshes:Stall"}})",
      R"({"path": "Root:Tesk:Assets:TeskSceneNodes:Shower-Door-01", "class": "RTTeskSceneNode",
          "node": {"matrix": [0, 0, -1, 0,  0, 1, 0, 0,  1, 0, 0, 0,  0, 0, 0, 1]}})"};
  for (const char* camera : {"cam-exam-1", "cam-gym-unwrecked", "cam-gym-wrecked"})
    instances.push_back(std::string(R"({"path": "Root:Tesk:Assets:TeskSceneNodes:)") + camera +
                        R"(", "class": "RTTeskSceneNode", "node": {}})");
  for (const char* model : {"TESK01-STM-GENERIC-COT02", "Male_Stall_Door", "elevator-mat-up", "elevator-mat-down",
                            "tesk01-stm-generic-sink01", "tesk01-stm-mwaitingroom-chairset-leftchair",
                            "tesk01-stm-gym-ellipticaltrainer", "tesk01-stm-gym-rowingmachine", "spawn_ward",
                            "tesk01-stm-gym-yogamat01", "TrainerFrame", "TrainerPedals", "Stall"})
    instances.push_back(Mesh(model));
  std::string description = "{\"instances\": [\n";
  for (const std::string& instance : instances) description += (description.back() == '\n' ? "" : ",\n") + instance;
  return description + "\n]}\n";
}

const std::filesystem::path& Pack() {
  static const std::filesystem::path pack = BuildPack(Description());
  return pack;
}

int32_t RecordCursor(uint32_t cursor) {
  EnvironmentTest::Cursors().push_back(cursor);
  return 1;
}

}  // namespace

std::string Prop(const std::string& name, const std::string& model, const std::string& at) {
  return R"({"name": ")" + name + R"(", "position": [)" + at + R"(], "state": 17)" +
         (model.empty() ? "" : R"(, "entity": "Root:Tesk:Assets:Meshes:)" + model + "\"") + "}";
}

std::string Mesh(const std::string& name) {
  return R"({"path": "Root:Tesk:Assets:Meshes:)" + name +
         R"(", "class": "RTPolyModel", "mesh": {"materials": ["Root:Cloth"], "box": {"size": [1, 1, 1]}}})";
}

std::filesystem::path BuildPack(const std::string& description, const std::vector<PackFile>& files) {
  static tesk::testing::TempDir* dir = new tesk::testing::TempDir();
  static int packs = 0;
  const std::string name = "pack" + std::to_string(++packs);
  tesk::testing::WriteFile(dir->path() / (name + ".json"), description);
  for (const PackFile& file : files) tesk::testing::WriteFile(dir->path() / file.name, file.text);
  const std::filesystem::path built = dir->path() / (name + ".kivopack");
  const auto run = tesk::testing::RunCommand(std::string(KIVOPACK) + " build " +
                                                 tesk::testing::Quoted((dir->path() / (name + ".json")).string()) +
                                                 " " + tesk::testing::Quoted(built.string()),
                                             dir->path());
  EXPECT_EQ(run.status, 0) << run.err;
  return built;
}

std::vector<uint32_t>& EnvironmentTest::Cursors() {
  static std::vector<uint32_t> cursors;
  return cursors;
}

std::filesystem::path EnvironmentTest::Store() const { return Pack(); }

void EnvironmentTest::InstallMore(tesk::testing::CoreHost& host) {
  GameTest::InstallMore(host);
  for (std::string_view name : kSceneComponents) host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  std::filesystem::create_directories(host.root() / "store");
  std::filesystem::create_symlink(Store(), host.root() / "store/root.kivopack");
}

void EnvironmentTest::SetUp() {
  GameTest::SetUp();
  Cursors().clear();
  record().cursorCallback = RecordCursor;
  record().scenarioIndex = 0;
}

// The scene tree holds the game: the game's reference on the tree goes first, so that both are
// destroyed while the core runs (the scripting component they hold then starts afresh).
void EnvironmentTest::TearDown() {
  record().cursorCallback = nullptr;
  if (record().sceneTree) core().ReleaseInstance(nullptr, record().sceneTree);
  record().sceneTree = nullptr;
  GameTest::TearDown();
}

RTSuccess EnvironmentTest::Load(uint32_t index) {
  Cell result{};
  return CallScript(tesk::game::kSetEnvironment, {NumberCell(static_cast<int32_t>(index))}, &result);
}

RTInstance EnvironmentTest::Node(const char16_t* name) {
  kivo::List* rooms = nullptr;
  if (!record().sceneTree || !tesk::scene_tree::GetRoomList(record().sceneTree, &rooms)) return nullptr;
  for (RTInstanceRecord* room : kivo::ListItems<RTInstanceRecord>(rooms)) {
    kivo::List* nodes = nullptr;
    kivo::room::GetNodeList(room, &nodes);
    for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(nodes)) {
      char16_t found[256] = {};
      core().GetInstanceName(nullptr, node, found, 256);
      if (std::u16string_view(found) == name) return node;
    }
  }
  return nullptr;
}

std::vector<std::string> EnvironmentTest::Names(kivo::List* list) {
  std::vector<std::string> names;
  for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(list)) {
    char16_t name[256] = {};
    core().GetInstanceName(nullptr, node, name, 256);
    names.push_back(platform::ToUtf8(name));
  }
  return names;
}

}  // namespace gametest
