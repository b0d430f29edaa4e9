// A game over a small hospital that kivopack packs once per process: the environment "Tesk" with
// the rooms "core-exam-2" (its props: beds by name, a cot, a node without a model, two men's
// stall doors, the elevator mats, a sink, a waiting chair, an elliptical trainer and a spawn
// node, and a glue truck) and "hall", two pathfinding graphs, an animated trainer asset, and of the hospital's
// fixed nodes the cameras "cam-exam-1", "cam-gym-unwrecked" and "cam-gym-wrecked" and the first
// shower stall with its door. "Tesk_Test" has a room and a graph, "03_HK" a room and no graphs,
// "tesk09_BowlingAlley" no rooms, "tesk11_hard landing" no scene tree. The scenario is 0, and the cursor
// ids the game sets are recorded. A fixture may take another store in its place (Store()).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace gametest {

// A prop node of a room for a pack description: drawn, kind 1, at "x, y, z", carrying the mesh of
// the model's name under "Root:Tesk:Assets:Meshes:" (none for an empty name); and that mesh, a
// unit box of the material "Root:Cloth".
std::string Prop(const std::string& name, const std::string& model, const std::string& at);
std::string Mesh(const std::string& name);
// A file the description names (a motion's skeleton or family), beside it.
struct PackFile {
  std::string name;
  std::string text;
};
// The pack kivopack builds from the description and its files, in a temporary folder kept for the
// process.
std::filesystem::path BuildPack(const std::string& description, const std::vector<PackFile>& files = {});

class EnvironmentTest : public GameTest {
 public:
  static std::vector<uint32_t>& Cursors();

 protected:
  // The instance store the core opens: the small hospital.
  virtual std::filesystem::path Store() const;
  void InstallMore(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  // The node of the environment's rooms with the instance name, or null.
  RTInstance Node(const char16_t* name);
  // The nodes of a list as their instance names, in order.
  std::vector<std::string> Names(kivo::List* list);
  // The script's SetEnvironment with the index (0 "Tesk", 1 "tesk11_hard landing",
  // 2 "tesk09_BowlingAlley", 3 "03_HK", 4 "Tesk_Test").
  RTSuccess Load(uint32_t index = 0);
};

}  // namespace gametest
