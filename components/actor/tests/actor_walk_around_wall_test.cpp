// The sample's doctor walking around the wall of the sample environment "Tesk_Test" against the
// game's stand-in: placed in the first room, it is sent to a point behind the wall in the second.
// The straight line meets the wall, so the route comes from the planner through the doorway. The
// doctor prints its route, its events, where it is every second and where it stops; the driver
// prints each new steering state.
#include <cmath>

#include "navigation_fixture.h"
#include "scripted_fixture.h"
#include "tesk/game_standin_calls.h"

namespace {

using namespace actortest;

constexpr char kWalkAroundWall[] =
    "WalkAroundWall is Thing;\n"
    "attributes { doctor is Doctor; passes is number; shown is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    shown = 9;\n"
    "    doctor.Arrive(\"Doctor\");\n"
    "    doctor.SetPosition(<-3, 0, 2.5>);\n"
    "    doctor.WalkTo(<3, 0, 2.5>);\n"
    "    start(doctor);\n"
    "  }\n"
    "  StepFrame(1.0 / 30.0);\n"
    "  if (doctor.GetLastSteeringState() != shown) {\n"
    "    shown = doctor.GetLastSteeringState();\n"
    "    print(\"state \" + shown);\n"
    "  }\n"
    "  passes = passes + 1;\n"
    "  if (passes > 2) { if (not doctor.walking) passes = 1801; }\n"
    "  if (passes > 1800) { doctor.Destroy(); exit(); }\n"
    "}\n";

class WalkAroundWall : public ScriptedTest {
 protected:
  std::string MoreInstances() const override { return TestEnvironmentInstances(); }
  void InstallMore(tesk::testing::CoreHost& host) override {
    InstallNavigationComponents(host);
    ScriptedTest::InstallMore(host);
  }
  void SetUp() override {
    ScriptedTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(tesk::game_standin::LoadEnvironment(game(), kEnvironment), kRTSuccess) << host_.ErrorLog();
  }
};

TEST_F(WalkAroundWall, TheDoctorTakesThePlannersRouteThroughTheDoorwayAndStopsAtTheGoal) {
  Run("WalkAroundWall", kWalkAroundWall, SampleClassFolders());
  const std::vector<std::string> route = PrintedLines("doctor route ");
  for (const std::string& line : route) std::printf("%s\n", line.c_str());
  const PrintedPoint expected[] = {{-3, 0, 2.5f}, {-1.5f, 0, 0}, {0, 0, 0}, {1.5f, 0, 0}, {3, 0, 2.5f}};
  ASSERT_EQ(route.size(), std::size(expected)) << host_.DebugLog();
  for (size_t i = 0; i < route.size(); ++i) {
    const PrintedPoint p = PointIn(route[i]);
    EXPECT_EQ(std::make_tuple(p.x, p.y, p.z), std::make_tuple(expected[i].x, expected[i].y, expected[i].z)) << route[i];
  }

  // It turns, follows the route, brakes and stops: those states in that order, braking last.
  const std::vector<std::string> states = PrintedLines("state ");
  for (const std::string& line : states) std::printf("%s\n", line.c_str());
  size_t next = 0;
  for (const std::string& line : states)
    if (next < 3 && line == std::string("state ") + "502"[next]) ++next;
  EXPECT_EQ(next, 3u) << "turning (5), following (0), braking (2)";
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back(), "state 2");
  EXPECT_EQ(PrintedLines("doctor faces its way").size(), 1u);

  EXPECT_EQ(PrintedLines("doctor enters "),
            (std::vector<std::string>{"doctor enters BrellinRoom1", "doctor enters BrellinRoom2"}));
  for (const std::string& line : PrintedLines("doctor at ")) EXPECT_EQ(PointIn(line).y, 0.0f) << line;
  const std::vector<std::string> stop = PrintedLines("doctor Moving 0 at ");
  ASSERT_EQ(stop.size(), 1u) << host_.DebugLog();
  std::printf("%s\n", stop[0].c_str());
  const PrintedPoint end = PointIn(stop[0]);
  EXPECT_LT(std::hypot(end.x - 3, end.z - 2.5f), 0.05f) << "within the arrival tolerance: " << stop[0];
}

}  // namespace
