// Route planners written into a pack by kivopack from a readable graph description, loaded by path
// through the instance store, searched and streamed back out.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/temp_dir.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/store_calls.h"
#include "navigation_fixture.h"

namespace {

using namespace navtest;
using namespace kivo;

constexpr char kFloorPath[] = "Root:Tesk:Assets:Pathfinding:Floor1";

// The graph the description below describes, as the planner holds it.
Graph DescribedGraph() {
  Graph graph;
  graph.nodes = {{.x = 0, .group = 1}, {.x = 4, .group = 1, .width = 2}, {.x = 4, .y = 3, .group = 1, .blocked = 1},
                 {.x = 8, .y = 3}, {.x = 8}};
  graph.edges = {{.a = 0, .b = 1, .cost = 4}, {.a = 1, .b = 2, .cost = 3}, {.a = 2, .b = 3, .cost = 4},
                 {.a = 1, .b = 4, .cost = 9.5f}, {.a = 4, .b = 3, .cost = 3}};
  return graph;
}

constexpr char kDescription[] = R"({"instances": [{"path": "Root:Tesk:Assets:Pathfinding:Floor1",
  "class": "RTRoutePlanner",
  "graph": {
    "nodes": [{"position": [0, 0, 0], "group": 1},
              {"position": [4, 0, 0], "width": 2, "group": 1},
              {"position": [4, 3, 0], "group": 1, "blocked": true},
              {"position": [8, 3, 0]},
              {"position": [8, 0, 0]}],
    "edges": [{"nodes": [0, 1], "cost": 4}, {"nodes": [1, 2], "cost": 3}, {"nodes": [2, 3], "cost": 4},
              {"nodes": [1, 4], "cost": 9.5}, {"nodes": [4, 3], "cost": 3}]}}]})";

// Runs kivopack build on a description; the exit status and what it wrote to standard error.
int RunKivopack(const std::filesystem::path& dir, const std::string& description, const std::filesystem::path& pack,
                std::string* errors) {
  tesk::testing::WriteFile(dir / "pack.json", description);
  const std::string command = std::string(KIVOPACK) + " build " + (dir / "pack.json").string() + " " + pack.string() +
                              " 2>" + (dir / "errors.txt").string();
  const int status = std::system(command.c_str());
  *errors = tesk::testing::ReadFile(dir / "errors.txt");
  return status;
}

class PackedPlanner : public NavigationTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    NavigationTest::InstallComponents(host);
    std::filesystem::create_directories(host.root() / "store");
    std::string errors;
    ASSERT_EQ(RunKivopack(host.root().parent_path().parent_path(), kDescription, host.root() / "store/root.kivopack",
                          &errors),
              0)
        << errors;
  }
};

TEST_F(PackedPlanner, LoadsByPathSearchesAndStreamsBackByteIdentically) {
  const std::u16string path(kFloorPath, kFloorPath + sizeof kFloorPath - 1);
  RTInstance planner = nullptr;
  ASSERT_EQ(core().GetInstanceByName(nullptr, path.c_str(), &planner, 0), kRTSuccess);
  Hold(planner);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, planner, route_planner::kClassName), 1u);

  ASSERT_EQ(route_planner::CanPathAStar(planner, At(0), 1, At(8, 3), -1), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (std::vector<uint32_t>{0, 1, 4, 3})) << "round the blocked node";
  ASSERT_EQ(route_planner::CanPath(planner, At(0), At(8, 3)), kRTSuccess);
  EXPECT_EQ(PathNodes(planner), (std::vector<uint32_t>{0, 1, 2, 3}));

  const std::string expected = navtest::GraphStream(DescribedGraph());
  EXPECT_EQ(StreamedOut(planner), expected) << "after searching, the same bytes";
  InstanceRef store;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, instance_store::kClassName, store.out(), 1, nullptr), kRTSuccess);
  InstanceRef stored;
  ASSERT_EQ(instance_store::DataStream(store.get(), path.c_str(), stored.out()), kRTSuccess);
  EXPECT_EQ(Contents(stored.get()), expected) << "the pack holds the planner's stream";
}

// kivopack on a root with the navigation components, the core not started.
TEST(KivopackGraphs, RefusesGraphsThePlannerWouldRefuse) {
  tesk::testing::CoreHost host;
  for (const char* name : {"RTPathfinding", "RTSteerPathway", "RTRoutePlanner", "RTPathFollower"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  const struct {
    const char* what;
    std::string graph;
    const char* message;
  } cases[] = {
      {"edge past the node count", R"({"nodes": [{"position": [0, 0, 0]}], "edges": [{"nodes": [0, 1], "cost": 1}]})",
       "graph edge 0 joins nodes 0 and 1, but there are 1 nodes"},
      {"negative cost",
       R"({"nodes": [{"position": [0, 0, 0]}, {"position": [1, 0, 0]}], "edges": [{"nodes": [0, 1], "cost": -2}]})",
       "graph edge 0: \"cost\" must be a finite number of at least 0"},
      {"a position of two numbers", R"({"nodes": [{"position": [0, 0]}]})",
       "graph node 0: \"position\" must be three finite numbers"},
      {"no nodes list", R"({"edges": []})", "a \"graph\" needs a list of \"nodes\""},
  };
  tesk::testing::TempDir dir;
  for (const auto& c : cases) {
    const std::string description = std::string(R"({"instances": [{"path": "Root:Floor", "class": "RTRoutePlanner",)") +
                                    R"("graph": )" + c.graph + "}]}";
    std::string errors;
    EXPECT_NE(RunKivopack(dir.path(), description, dir.path() / "out.kivopack", &errors), 0) << c.what;
    EXPECT_NE(errors.find(c.message), std::string::npos) << c.what << ": " << errors;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.kivopack")) << c.what;
  }
  std::string errors;
  EXPECT_NE(RunKivopack(dir.path(), R"({"instances": [{"path": "Root:Floor", "class": "RTComponent", "graph": {}}]})",
                        dir.path() / "out.kivopack", &errors),
            0);
  EXPECT_NE(errors.find("a \"graph\" is written only into an RTRoutePlanner instance"), std::string::npos) << errors;
}

}  // namespace
