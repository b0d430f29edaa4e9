// scene-view and kivopack's scene kinds as a user runs them from the staged tree: a fixture level
// packed from its description, printed as a scenario loads it and drawn from a camera; a fixture
// motion and the sample's walk printed at times; and the descriptions and command lines they
// refuse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "software_rasterizer.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

// Two rooms side by side, the second in scenario 1 only, with a node in the first.
constexpr char kLevel[] = R"({"instances": [
  {"path": "Root:Ward:Tree", "class": "RTTeskSceneTree",
   "sceneTree": {"rooms": ["Root:Ward:Rooms:A", "Root:Ward:Rooms:B@2"], "designingFlags": 1}},
  {"path": "Root:Ward:Rooms:A", "class": "RTBrellinRoom",
   "room": {"box": [[0, 0, 0], [4, 3, 4]], "flags": 32, "neighbours": ["B"],
            "nodes": [{"name": "Bed", "position": [1, 0, 1], "state": 17,
                       "children": [{"name": "Pillow", "class": "RTSceneNode", "position": [0, 0.5, 0]}]}]}},
  {"path": "Root:Ward:Rooms:B", "class": "RTBrellinRoom",
   "room": {"box": [[4, 0, 0], [8, 3, 4]], "footprint": [[4, 0], [8, 0], [8, 4], [4, 4]]}}
]})";

constexpr char kScenario1[] =
    "scene tree Root:Ward:Tree, scenario 1\n"
    "rooms: 2\n"
    "  A                        flags 0x00000000\n"
    "  B                        flags 0x00000000\n"
    "leaves: 4 in (0.00, -2.00)-(8.00, 6.00)\n"
    "    0 (4.00, 2.00)-(8.00, 6.00) rooms A B | neighbours n:- nw:- w:1 sw:2 s:3 se:- e:- ne:-\n"
    "    1 (0.00, 2.00)-(4.00, 6.00) rooms A B | neighbours n:- nw:- w:- sw:- s:2 se:3 e:0 ne:-\n"
    "    2 (0.00, -2.00)-(4.00, 2.00) rooms A B | neighbours n:1 nw:- w:- sw:- s:- se:- e:3 ne:0\n"
    "    3 (4.00, -2.00)-(8.00, 2.00) rooms A B | neighbours n:0 nw:1 w:2 sw:- s:- se:- e:- ne:-\n"
    "points:\n"
    "  (1.00, 1.00, 1.00) A\n"
    "  (4.00, 1.00, 2.00) B\n"
    "  (9.00, 1.00, 2.00) no room\n";

// A body whose arm turns 30 degrees either side of 90 about z, once a second.
constexpr char kArm[] = R"({"bones": [{"name": "Body", "offset": [0, 1, 0]},
                                      {"name": "Arm", "parent": "Body", "offset": [0.2, 0.4, 0]}]})";
constexpr char kWave[] = R"({"duration": 1, "keysPerSecond": 8, "continuous": true,
  "curves": [{"bone": "Arm", "rotation": [0, 0, 90], "swing": [0, 0, 30], "cycles": 1}]})";
constexpr char kMotions[] = R"({"instances": [
  {"path": "Root:Motions:Wave", "class": "RTAnimTrack", "motion": {"skeleton": "arm.json", "family": "wave.json"}}]})";

// At 0.25 the arm is at 120 degrees: (cos 60, 0, 0, sin 60); at 1, looped, back at key 0.
constexpr char kWaveAt[] =
    "motion Root:Motions:Wave\n"
    "times 0.000 to 1.000, looped\n"
    "at 0.250\n"
    "  Body                               position (0.000, 1.000, 0.000) rotation (1.0000, 0.0000, 0.0000, 0.0000)\n"
    "    Arm                              position (0.200, 0.400, 0.000) rotation (0.5000, 0.0000, 0.0000, 0.8660)\n"
    "at 1.000\n"
    "  Body                               position (0.000, 1.000, 0.000) rotation (1.0000, 0.0000, 0.0000, 0.0000)\n"
    "    Arm                              position (0.200, 0.400, 0.000) rotation (0.7071, 0.0000, 0.0000, 0.7071)\n";

class SceneTools : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TESK_REGISTRY");
    unsetenv("TESK_DEBUG_LOG");
  }
  tesk::testing::CommandOutcome Run(const std::string& tool, const std::string& arguments) {
    return tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / "tools" / tool).string()) + " " + arguments,
                                     files_.path());
  }
  std::string File(const char* name) const { return (files_.path() / name).string(); }
  tesk::testing::CommandOutcome Pack(const std::string& description) {
    tesk::testing::WriteFile(File("level.json"), description);
    return Run("kivopack", "build " + Quoted(File("level.json")) + " " + Quoted(File("level.kivopack")));
  }

  tesk::testing::TempDir files_;
};

TEST_F(SceneTools, PrintsTheRoomsLeavesAndPointsOfAScenario) {
  const auto packed = Pack(kLevel);
  ASSERT_EQ(packed.status, 0) << packed.err;
  const std::string pack = Quoted(File("level.kivopack"));
  const auto listing = Run("kivopack", "list " + pack);
  EXPECT_NE(listing.out.find("Root:Ward:Rooms:A:Bed:Pillow\tRTSceneNode\t"), std::string::npos) << listing.out;

  const auto scenario1 =
      Run("scene-view", pack + " Root:Ward:Tree --scenario 1 --point 1,1,1 --point 4,1,2 --point 9,1,2");
  EXPECT_EQ(scenario1.status, 0);
  EXPECT_EQ(scenario1.out, kScenario1);
  EXPECT_EQ(scenario1.err, "");

  const auto scenario0 = Run("scene-view", pack + " Root:Ward:Tree --scenario 0");
  EXPECT_EQ(scenario0.status, 0);
  EXPECT_NE(scenario0.out.find("rooms: 1\n  A "), std::string::npos) << scenario0.out;
  EXPECT_NE(scenario0.out.find("leaves: 1 in (0.00, 0.00)-(4.00, 4.00)\n"), std::string::npos) << "one cell of side 4";

  const auto every = Run("scene-view", pack + " Root:Ward:Tree");
  EXPECT_NE(every.out.find("scenario all\nrooms: 2\n"), std::string::npos) << every.out;
}

TEST_F(SceneTools, PrintsAMotionsNodesAtEachTime) {
  tesk::testing::WriteFile(File("arm.json"), kArm);
  tesk::testing::WriteFile(File("wave.json"), kWave);
  const auto packed = Pack(kMotions);
  ASSERT_EQ(packed.status, 0) << packed.err;
  const auto printed = Run("scene-view", Quoted(File("level.kivopack")) + " --motion Root:Motions:Wave --times 0.25,1");
  EXPECT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(printed.out, kWaveAt);

  // The sample's walk: a quarter and three quarters through, each thigh turns the other way.
  const std::string store = Quoted((fs::path(TESK_STAGE_DIR) / "kivo/store/root.kivopack").string());
  const auto walk =
      Run("scene-view", store + " --motion Root:Characters:Assets:Motions:DrProto_walk --times 0.25,0.75");
  ASSERT_EQ(walk.status, 0) << walk.err;
  const std::string at25 =
      "      Bip01 L Thigh                  position (0.100, -0.050, 0.000) rotation (0.9763, -0.2164, ";
  const std::string at75 =
      "      Bip01 L Thigh                  position (0.100, -0.050, 0.000) rotation (0.9763, 0.2164, ";
  EXPECT_LT(walk.out.find(at25), walk.out.find("at 0.750")) << walk.out;
  EXPECT_NE(walk.out.find(at75, walk.out.find("at 0.750")), std::string::npos) << walk.out;
}

TEST_F(SceneTools, TheSamplesTrolleyRollsIntoTheWaitingRoomAndTheBedStopsASphere) {
  const std::string store = Quoted((fs::path(TESK_STAGE_DIR) / "kivo/store/root.kivopack").string());
  const auto run = Run("scene-view", store +
                                         " Root:Tesk:Assets:TeskSceneTrees:TeskSceneTree1 --sphere 3,1,1 0,0,1 0.3"
                                         " --move Root:Tesk:Assets:Rooms:corridor:trolley01 0,0.25 16");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("by (0.00, 0.00, 1.00): distance 2.200, point (3.00, 1.00, 3.50), normal (0.00, 0.00, -1.00), "
                         "obstacle bed01\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  frame 12: corridor -> (7.00, 0.00, 6.00) in waiting-room, leaf "), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  end (7.00, 0.00, 7.00) in waiting-room, leaf "), std::string::npos) << run.out;
}

// A crate in a lit room, seen by the pack's camera and from an eye the command line places.
constexpr char kLitLevel[] = R"({"instances": [
  {"path": "Root:Ward:Tree", "class": "RTTeskSceneTree", "sceneTree": {"rooms": ["Root:Ward:Rooms:A"]}},
  {"path": "Root:Ward:Rooms:A", "class": "RTBrellinRoom",
   "room": {"box": [[-5, 0, -5], [5, 3, 5]],
            "nodes": [{"name": "Crate", "position": [0, 0, 0], "state": 1, "entity": "Root:Ward:Meshes:Crate"}],
            "lights": [{"name": "Lamp", "position": [0, 2, 2], "entity": "Root:Ward:Lights:Lamp"}]}},
  {"path": "Root:Ward:Eye", "class": "RTTeskSceneNode",
   "node": {"position": [0, 0.5, 4], "entity": "Root:Ward:Lens"}},
  {"path": "Root:Ward:Lens", "class": "RTCamera", "camera": {"fieldOfView": 1.0, "near": 0.1, "far": 50}},
  {"path": "Root:Ward:Lights:Lamp", "class": "RTPointLight", "light": {"colour": [1, 1, 1], "range": 10}},
  {"path": "Root:Ward:Meshes:Crate", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Ward:Materials:Slats"], "box": {"size": [1, 1, 1]}}},
  {"path": "Root:Ward:Materials:Slats", "class": "RTMaterial", "material": {"diffuse": "slats.json"}}
]})";

constexpr uint32_t kShotBackground = 0x141414;  // scene-view's clear colour

TEST_F(SceneTools, DrawsTheSceneFromTheCameraNodeOrFromAnEye) {
  tesk::testing::WriteFile(File("slats.json"),
                           R"({"width": 8, "height": 8, "checker": {"cell": 4, "colours": [[1, 1, 1], [0.5, 0.3, 0.1]]}})");
  const auto packed = Pack(kLitLevel);
  ASSERT_EQ(packed.status, 0) << packed.err;
  const std::string arguments = Quoted(File("level.kivopack")) + " Root:Ward:Tree --png ";
  const struct {
    const char* camera;
    bool crateInTheMiddle;
  } views[] = {
      {"--camera Root:Ward:Eye", true},
      {"--eye 0,3,-4 --at 0,0.5,0", true},
      {"--eye 0,0.5,4 --at 0,0.5,10", false},
  };
  for (const auto& view : views) {
    const std::string png = File("shot.png");
    const auto run = Run("scene-view", arguments + Quoted(png) + " " + view.camera);
    ASSERT_EQ(run.status, 0) << view.camera << ": " << run.err;
    const tesk::testing::Picture shot = tesk::testing::Picture::Load(png);
    ASSERT_EQ(shot.width(), 640) << view.camera;
    ASSERT_EQ(shot.height(), 480) << view.camera;
    EXPECT_EQ(shot.At(320, 240) != kShotBackground, view.crateInTheMiddle) << view.camera;
    EXPECT_EQ(shot.At(5, 5), kShotBackground) << view.camera;
    EXPECT_EQ(shot.CountOther(kShotBackground, 0, 0, 640, 480) > 0, view.crateInTheMiddle) << view.camera;
    fs::remove(png);
  }
}

// The sample's overview camera sees its rooms' floors and props.
TEST_F(SceneTools, TheSamplesOverviewShowsItsRooms) {
  const std::string store = Quoted((fs::path(TESK_STAGE_DIR) / "kivo/store/root.kivopack").string());
  const auto run = Run("scene-view", store + " Root:Tesk:Assets:TeskSceneTrees:TeskSceneTree1 --png " +
                                         Quoted(File("sample.png")) + " --camera Root:Tesk:Assets:Cameras:Overview");
  ASSERT_EQ(run.status, 0) << run.err;
  const tesk::testing::Picture shot = tesk::testing::Picture::Load(File("sample.png"));
  EXPECT_GT(shot.CountOther(kShotBackground, 0, 0, 640, 480), 640 * 480 / 3) << "the floors fill much of it";
}

// A floating crate over a static-lit floor with a lamp above and to one side, seen from straight
// above: the crate's baked shadow, when the floor's geometry holds the crate, and its stencil
// shadow, when it is a node of the room, fall on the floor away from the lamp.
constexpr char kShadowLevel[] = R"({"instances": [
  {"path": "Root:Ward:Tree", "class": "RTTeskSceneTree", "sceneTree": {"rooms": ["Root:Ward:Rooms:A"]}},
  {"path": "Root:Ward:Rooms:A", "class": "RTBrellinRoom",
   "room": {"box": [[-5, 0, -5], [5, 3, 5]], "bounds": {"name": "Shell", "entity": "Root:Ward:Meshes:Floor"},
            "nodes": [{"name": "Crate", "position": [0, 0.5, 0], "state": 1, "entity": "Root:Ward:Meshes:Crate"}],
            "lights": [{"name": "Lamp", "matrix": [1, 0, 0, 0,  0, 0, -1, 0,  0, 1, 0, 0,  3, 5, 0, 1],
                        "entity": "Root:Ward:Lights:Lamp"}]}},
  {"path": "Root:Ward:Lights:Lamp", "class": "RTInfDirLight", "light": {"colour": [0.6, 0.6, 0.6]}},
  {"path": "Root:Ward:Meshes:Floor", "class": "RTStaticLitMesh",
   "mesh": {"materials": ["Root:Ward:Materials:Paint"],
            "vertices": [[-2, 0, -2], [2, 0, -2], [2, 0, 2], [-2, 0, 2],
                         [-0.5, 1.5, -0.5], [-0.5, 1.5, 0.5], [0.5, 1.5, 0.5], [0.5, 1.5, -0.5]],
            "groups": [{"triangles": [[0, 3, 2], [0, 2, 1], [4, 5, 6], [4, 6, 7]]}]}},
  {"path": "Root:Ward:Meshes:Crate", "class": "RTPolyModel",
   "mesh": {"materials": ["Root:Ward:Materials:Paint"], "box": {"size": [1, 1, 1]}}},
  {"path": "Root:Ward:Materials:Paint", "class": "RTMaterial", "material": {"color": [1, 1, 1]}}
]})";

TEST_F(SceneTools, BakesLightmapsAndCastsStencilShadows) {
  const auto packed = Pack(kShadowLevel);
  ASSERT_EQ(packed.status, 0) << packed.err;
  const std::string arguments =
      Quoted(File("level.kivopack")) + " Root:Ward:Tree --eye 0,10,0.01 --at 0,0,0 --png " + Quoted(File("shot.png"));
  auto redAt = [&](const std::string& options, int x, int y) {
    const auto run = Run("scene-view", arguments + options);
    EXPECT_EQ(run.status, 0) << options << ": " << run.err;
    return static_cast<int>(tesk::testing::Picture::Load(File("shot.png")).At(x, y) >> 16);
  };
  // The floor at x = -1.2 (in both shadows) and x = 1.5 (lit), z = 0.
  constexpr int kShade = 232, kLit = 405, kRow = 240;
  EXPECT_NEAR(redAt("", kShade, kRow), redAt("", kLit, kRow), 2) << "drawn unlit, the floor is even";
  EXPECT_GE(redAt(" --bake", kLit, kRow) - redAt(" --bake", kShade, kRow), 100) << "the lid's baked shadow";
  // Described with "bake", the pack holds the floor baked: drawn as it is, it shows the shadow.
  std::string baked = kShadowLevel;
  const std::string rooms = R"("rooms": ["Root:Ward:Rooms:A"])";
  baked.insert(baked.find(rooms) + rooms.size(), R"(, "bake": true)");
  ASSERT_EQ(Pack(baked).status, 0);
  EXPECT_GE(redAt("", kLit, kRow) - redAt("", kShade, kRow), 100) << "the lid's shadow, baked by kivopack";
  EXPECT_GE(redAt(" --shadows Root:Ward:Rooms:A:Lamp", kLit, kRow) -
                redAt(" --shadows Root:Ward:Rooms:A:Lamp", kShade, kRow),
            40)
      << "the crate's stencil shadow";
  const auto noLight = Run("scene-view", arguments + " --shadows Root:Ward:Nowhere");
  EXPECT_EQ(noLight.status, 1);
  EXPECT_NE(noLight.err.find("there is no scene node at Root:Ward:Nowhere"), std::string::npos) << noLight.err;
}

TEST_F(SceneTools, RefusesWhatTheyCannotUse) {
  ASSERT_EQ(Pack(kLevel).status, 0);
  const std::string pack = Quoted(File("level.kivopack"));
  const struct {
    std::string arguments;
    int status;
    const char* error;  // the start of what it writes to standard error
  } cases[] = {
      {pack, 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --scenario -1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --point 1,2", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --point", 2, "usage: scene-view "},
      {Quoted(File("none.kivopack")) + " Root:Ward:Tree", 1, "scene-view: cannot read "},
      {pack + " Root:Ward:Rooms:A", 1, "scene-view: "},
      {pack + " Root:Nowhere", 1, "scene-view: "},
      {pack + " --motion Root:Ward:Tree", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --times 1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --motion Root:Ward:Tree --times 1", 2, "usage: scene-view "},
      {pack + " --motion Root:Ward:Tree --times 1,,2", 2, "usage: scene-view "},
      {pack + " --motion Root:Ward:Tree --times 1 --point 1,2,3", 2, "usage: scene-view "},
      {pack + " --motion Root:Ward:Tree --times 1", 1, "scene-view: "},
      {pack + " Root:Ward:Tree --ray 1,1,1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --sphere 1,1,1 1,0,0 -1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --sphere 1,1,1 1,0,0 r", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --move Root:Ward:Rooms:A:Bed 1 3", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --move Root:Ward:Rooms:A:Bed 1,0 -3", 2, "usage: scene-view "},
      {pack + " --motion Root:Ward:Tree --times 1 --ray 1,1,1 1,0,0", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --camera Root:Ward:Eye", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --eye 1,1,1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --at 1,1,1", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --camera Root:Ward:Eye --eye 1,1,1 --at 0,0,0", 2, "usage: scene-view "},
      {pack + " --motion Root:Ward:Tree --times 1 --png a.png --eye 1,1,1 --at 0,0,0", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --bake", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --shadows Root:Ward:Eye", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --eye 1,1,1 --at 0,0,0 --shadows", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --frames 2", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --bones", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --camera Root:Ward:Eye --frames 0", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --camera Root:Ward:Eye --frames 10001", 2, "usage: scene-view "},
      {pack + " Root:Ward:Tree --png a.png --camera Root:Ward:Eye --step -5", 2, "usage: scene-view "},
  };
  for (const auto& c : cases) {
    const auto run = Run("scene-view", c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.err.rfind(c.error, 0), 0u) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  EXPECT_NE(Run("scene-view", pack + " Root:Nowhere").err.find("holds no scene tree at Root:Nowhere"),
            std::string::npos);
  EXPECT_NE(
      Run("scene-view", pack + " --motion Root:Ward:Tree --times 1").err.find("holds no motion at Root:Ward:Tree"),
      std::string::npos);
  const struct {
    const char* camera;
    const char* error;
  } cameras[] = {
      {"--camera Root:Ward:Rooms:A:Bed", "there is no scene node with a camera at Root:Ward:Rooms:A:Bed"},
      {"--eye 1,1,1 --at 1,1,1", "the eye must stand apart from the point it looks at"},
      {"--eye 1,5,1 --at 1,1,1", "the eye must stand apart from the point it looks at"},
  };
  for (const auto& c : cameras) {
    const auto run = Run("scene-view", pack + " Root:Ward:Tree --png " + Quoted(File("a.png")) + " " + c.camera);
    EXPECT_EQ(run.status, 1) << c.camera;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << c.camera << ": " << run.err;
    EXPECT_FALSE(fs::exists(File("a.png"))) << c.camera;
  }
  const auto pillow = Run("scene-view", pack + " Root:Ward:Tree --move Root:Ward:Rooms:A:Bed:Pillow 1,0 2");
  EXPECT_EQ(pillow.status, 1);
  EXPECT_NE(pillow.err.find("Root:Ward:Rooms:A:Bed:Pillow is no RTTeskSceneNode listed in a room of the tree"),
            std::string::npos)
      << pillow.err;
}

TEST_F(SceneTools, KivopackRefusesBadSceneDescriptionsAndWritesNothing) {
  const struct {
    const char* description;
    const char* message;
  } cases[] = {
      {R"({"instances": [{"path": "Root:T", "class": "RTTeskSceneTree", "sceneTree": {"rooms": [5]}}]})",
       "Root:T: a \"sceneTree\" has a list of \"rooms\": room references"},
      {R"({"instances": [{"path": "Root:T", "class": "RTTeskSceneTree", "sceneTree": {"rooms": [],)"
       R"( "designingFlags": -1}}]})",
       "\"designingFlags\" is a number from 0 to 4294967295"},
      {R"({"instances": [{"path": "Root:T", "class": "RTTeskSceneTree", "sceneTree": {"rooms": [], "bake": 1}}]})",
       "Root:T: \"bake\" is true or false"},
      {R"({"instances": [{"path": "Root:T", "class": "RTComponent", "sceneTree": {"rooms": []}}]})",
       "Root:T: a \"sceneTree\" is written only into an instance of RTTeskSceneTree without \"data\""},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom", "room": {"box": [[0, 0, 0]]}}]})",
       "a \"room\" has a \"box\": [[x, y, z], [x, y, z]]"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "footprint": [[0, 0], [1, 0]]}}]})",
       "a \"footprint\" is 3 or more points [x, z]"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "neighbours": [""]}}]})",
       "\"neighbours\" is a list of room names"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "nodes": [{"position": [0, 0, 0]}]}}]})",
       "every child node needs a \"name\""},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "nodes": [{"name": "A"}, {"name": "a"}]}}]})",
       "cannot name the child node a (is the name taken?)"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "nodes": [{"name": "A", "class": "RTComponent"}]}}]})",
       "the child node A is no scene node"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"state": 1}}]})",
       "Root:N: only an RTTeskSceneNode has a \"state\""},
      {R"({"instances": [{"path": "Root:N", "class": "RTTeskSceneNode", "node": {"position": [0, 0, 0],)"
       R"( "matrix": []}}]})",
       "a node has a \"position\" or a \"matrix\", not both"},
      {R"({"instances": [{"path": "Root:N", "class": "RTTeskSceneNode", "node": {"matrix": [1, 2, 3]}}]})",
       "a node's \"matrix\" is 16 numbers, row by row"},
      {R"({"instances": [{"path": "Root:N", "class": "RTTeskSceneNode", "node": {"kind": 4096}}]})",
       "a node's \"kind\" is a number from 0 to 4095"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"kind": 5}}]})",
       "only an RTTeskSceneNode has a \"state\" or a \"kind\""},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"obstacle": [[0, 0, 0]]}}]})",
       "a node's \"obstacle\" is [[x, y, z], [x, y, z]]"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"obstacle": [[1, 0, 0], [0, 1, 1]]}}]})",
       "the node refused its obstacle box"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "openings": [4]}}]})",
       "an opening is the number of a footprint edge, from 0 to 3"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "openings": 1}}]})",
       "a room's \"openings\" are a list of footprint edge numbers"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 0, "material": "Root:M"}}}]})",
       "Root:R: a room's \"walls\" have a \"height\" above 0 and a \"material\": an RTMaterial instance path"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 1}}}]})",
       "a room's \"walls\" have a \"height\" above 0 and a \"material\""},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 1, "material": "Root:M"}}}]})",
       "a room's \"walls\" go into the mesh of its \"bounds\" node: the room needs a \"bounds\" node with an "
       "\"entity\""},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "footprint": [[0, 0], [1, 0], [2, 0]],)"
       R"( "walls": {"height": 1, "material": "Root:M"}, "bounds": {"name": "S", "entity": "Root:F"}}}]})",
       "a room with \"walls\" needs a footprint that encloses an area"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 1, "material": "Root:M"},)"
       R"( "bounds": {"name": "S", "entity": "Root:F"}}},)"
       R"( {"path": "Root:F", "class": "RTPolyModel"}, {"path": "Root:M", "class": "RTMaterial"}]})",
       "Root:R: the walls go into the mesh of the bounds node, Root:F, which the description must build with a "
       "\"mesh\""},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 1, "material": "Root:Nowhere"},)"
       R"( "bounds": {"name": "S", "entity": "Root:F"}}},)"
       R"( {"path": "Root:F", "class": "RTPolyModel", "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0]]}},)"
       R"( {"path": "Root:M", "class": "RTMaterial"}]})",
       "Root:F: the walls of Root:R name the material Root:Nowhere, which is no RTMaterial of the pack"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "walls": {"height": 1, "material": "Root:M"},)"
       R"( "bounds": {"name": "S", "entity": "Root:F"}}},)"
       R"( {"path": "Root:Q", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[1,0,0],[2,1,1]], "walls": {"height": 1, "material": "Root:M"},)"
       R"( "bounds": {"name": "S", "entity": "Root:f"}}},)"
       R"( {"path": "Root:F", "class": "RTPolyModel", "mesh": {"materials": ["Root:M"], "vertices": [[0, 0, 0]]}},)"
       R"( {"path": "Root:M", "class": "RTMaterial"}]})",
       "Root:R and Root:Q both raise their walls in Root:f: give each room a mesh of its own"},
      {R"({"instances": [{"path": "Root:R", "class": "RTBrellinRoom",)"
       R"( "room": {"box": [[0,0,0],[1,1,1]], "pathfindingKind": 0.5}}]})",
       "a room's \"pathfindingKind\" is a whole number from -2147483648 to 2147483647"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"entity": "Meshes:Bed"}}]})",
       "a node's \"entity\" is an instance path starting with \"Root:\""},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"entity": "Root:Meshes:Bed"}}]})",
       "there is no entity Root:Meshes:Bed in the pack"},
      {R"({"instances": [{"path": "Root:C", "class": "RTLight", "camera": {}}]})",
       "Root:C: a \"camera\" is written only into an instance of RTCamera without \"data\""},
      {R"({"instances": [{"path": "Root:C", "class": "RTCamera", "camera": {"fieldOfView": 3.5}}]})",
       "Root:C: a camera's \"fieldOfView\" lies between 0 and pi radians"},
      {R"({"instances": [{"path": "Root:C", "class": "RTCamera", "camera": {"near": 5, "far": 2}}]})",
       "a camera's \"near\" and \"far\" are distances with 0 < near < far"},
      {R"({"instances": [{"path": "Root:C", "class": "RTCamera", "camera": {"far": "far"}}]})",
       "\"far\" is a finite number"},
      {R"({"instances": [{"path": "Root:L", "class": "RTSpotLight", "light": {"cone": [1, 0.5]}}]})",
       "a light's \"cone\" is [penumbra, umbra] in radians, 0 <= penumbra <= umbra <= pi"},
      {R"({"instances": [{"path": "Root:L", "class": "RTPointLight", "light": {"range": 0}}]})",
       "a light's \"range\" is above 0"},
      {R"({"instances": [{"path": "Root:L", "class": "RTLight", "light": {"colour": [1, 1]}}]})",
       "a light's \"colour\" is three or four finite numbers"},
  };
  for (const auto& c : cases) {
    const auto run = Pack(c.description);
    EXPECT_EQ(run.status, 1) << c.description;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.description << ": " << run.err;
    EXPECT_FALSE(fs::exists(File("level.kivopack"))) << c.description;
  }
}

// A skin over a body with an arm and a hand, refused for each mistake of its description, a
// motion player's or a node's.
TEST_F(SceneTools, KivopackRefusesBadSkinDescriptionsAndWritesNothing) {
  tesk::testing::WriteFile(File("hand.json"), R"({"bones": [{"name": "Body", "offset": [0, 1, 0]},
      {"name": "Arm", "parent": "Body", "offset": [0.2, 0.4, 0]},
      {"name": "Hand", "parent": "Arm", "offset": [0, -0.5, 0]}]})");
  const std::string material = R"({"path": "Root:M", "class": "RTMaterial", "material": {}})";
  const auto skin = [&](const std::string& fields, const char* className = "RTTeskSkin") {
    return R"({"instances": [)" + material + R"(, {"path": "Root:S", "class": ")" + className +
           R"(", "skin": {"skeleton": "hand.json", "materials": ["Root:M"], )" + fields + "}}]}";
  };
  const std::string arm = R"("limbs": [{"bone": "Arm", "capsule": 0.05}])";
  const struct {
    std::string description;
    const char* message;
  } cases[] = {
      {skin(arm, "RTPolyModel"),
       "Root:S: a \"skin\" is built only into an instance of RTBoneModel (or a class of it) without \"data\""},
      {R"({"instances": [{"path": "Root:S", "class": "RTTeskSkin", "skin": {}}]})",
       "Root:S: a \"skin\" names its \"skeleton\" file"},
      {skin(R"("limbs": [])"), "a \"skin\" has a list of \"limbs\""},
      {skin(R"("limbs": [{"bone": "Body", "capsule": 0.05}])"), "the limb of Body: the root bone carries no limb"},
      {skin(R"("limbs": [{"bone": "Hand", "capsule": 0.05}])"),
       "the limb of Hand: a capsule runs to the bone's first child: this bone has none"},
      {skin(R"("limbs": [{"bone": "Arm", "capsule": 0.6}])"),
       "a capsule's radius must stay below its bone's length"},
      {skin(R"("limbs": [{"bone": "Leg", "capsule": 0.05}])"), "every limb names a \"bone\" of the skeleton"},
      {skin(R"("limbs": [{"bone": "Arm", "capsule": 0.05, "box": [1, 1, 1]}])"),
       "a limb is a \"capsule\" or a \"box\""},
      {skin(R"("limbs": [{"bone": "Hand", "box": [1, 0, 1]}])"), "a \"box\" is three sizes above 0"},
      {skin(R"("limbs": [{"bone": "Hand", "box": [1, 1, 1], "material": 1}])"),
       "the limb of Hand: a limb's \"material\" is the index of one of the skin's materials"},
      {skin(arm + R"(, "segments": 2)"), "\"segments\" is a number from 3 to 256"},
      {skin(arm + R"(, "limits": [{"bone": "Arm", "dof": 4}])"), "\"dof\" 1 to 3"},
      {skin(arm + R"(, "ik": {"iterations": -1})"), "a number of \"iterations\""},
      {skin(arm + R"(, "chains": [{"name": "Up", "root": "Hand", "endEffector": "Body"}])"),
       "the chain Up does not run from its end effector up to its root"},
      {R"({"instances": [{"path": "Root:S", "class": "RTTeskSkin", "skin": {"skeleton": "hand.json",)"
       R"( "materials": ["Root:M"], "limbs": []}}]})",
       "the material Root:M is no RTMaterial of the pack"},
      {R"({"instances": [{"path": "Root:P", "class": "RTArticulated", "articulated": {"motions": ["Root:M"]}}, )" +
           material + "]}",
       "Root:P: the motion Root:M is no RTAnimTrack of the pack"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"animator": "Root:P"}}]})",
       "only an RTTeskSceneNode has an \"animator\""},
      {R"({"instances": [{"path": "Root:N", "class": "RTTeskSceneNode", "node": {"animator": "Root:M"}}, )" +
           material + "]}",
       "there is no motion player Root:M in the pack"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"modifiers": "Root:P"}}]})",
       "a node's \"modifiers\" are a list of instance paths"},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"modifiers": ["Props:P"]}}]})",
       "a node's \"modifiers\" are instance paths starting with \"Root:\""},
      {R"({"instances": [{"path": "Root:N", "class": "RTSceneNode", "node": {"modifiers": ["Root:M"]}}, )" +
           material + "]}",
       "there is no modifier Root:M in the pack"},
      {R"({"instances": [{"path": "Root:P", "class": "RTSceneNode", "player": {"motions": []}}]})",
       "Root:P: a \"player\" is built only into an instance of RTRigid (or a class of it) without \"data\""},
      {R"({"instances": [{"path": "Root:P", "class": "RTRigid", "player": {"motions": ["Root:M"]}}, )" + material +
           "]}",
       "Root:P: the motion Root:M is no RTAnimTrack of the pack"},
  };
  for (const auto& c : cases) {
    const auto run = Pack(c.description);
    EXPECT_EQ(run.status, 1) << c.description;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.description << ": " << run.err;
    EXPECT_FALSE(fs::exists(File("level.kivopack"))) << c.description;
  }
}

}  // namespace
