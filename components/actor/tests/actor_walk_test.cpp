// The sample's doctor walking its square against the game's stand-in over the fixture's two rooms:
// a driver class places it in the ward, sends it round a square that reaches into the hall, and
// runs the game's frames at 30 a second until it stops. The doctor prints its events, where it is
// every second and where it stops.
#include <cmath>

#include "scripted_fixture.h"

namespace {

using namespace actortest;

constexpr char kWalkCheck[] =
    "WalkCheck is Thing;\n"
    "attributes { doctor is Doctor; passes is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    doctor.Arrive(\"Doctor\");\n"
    "    doctor.SetPosition(<2, 0, -2>);\n"
    "    doctor.Walk(6);\n"
    "    start(doctor);\n"
    "  }\n"
    "  StepFrame(1.0 / 30.0);\n"
    "  passes = passes + 1;\n"
    "  if (passes > 2) { if (not doctor.walking) passes = 1801; }\n"
    "  if (passes > 1800) { doctor.Destroy(); exit(); }\n"
    "}\n";

class ActorWalk : public ScriptedTest {};

TEST_F(ActorWalk, TheDoctorWalksItsSquareThroughBothRoomsAndStopsAtItsCorner) {
  Run("WalkCheck", kWalkCheck, SampleClassFolders());
  const std::vector<std::string> events = PrintedLines("doctor enters");
  EXPECT_EQ(events, (std::vector<std::string>{"doctor enters Ward", "doctor enters Hall", "doctor enters Ward"}))
      << host_.DebugLog();
  EXPECT_EQ(PrintedLines("doctor faces its way").size(), 1u);
  const std::vector<std::string> positions = PrintedLines("doctor at ");
  EXPECT_GT(positions.size(), 20u) << "a square of 24 at about a metre a second";
  for (const std::string& line : positions) EXPECT_EQ(PointIn(line).y, 0.0f) << line;
  const std::vector<std::string> stop = PrintedLines("doctor Moving 0 at ");
  ASSERT_EQ(stop.size(), 1u) << host_.DebugLog();
  const PrintedPoint end = PointIn(stop[0]);
  EXPECT_LT(std::hypot(end.x - 2, end.z + 2), 0.2f) << stop[0];
}

}  // namespace
