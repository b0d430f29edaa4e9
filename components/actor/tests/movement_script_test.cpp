// Movement as scripts see it, over the sample's actor classes and the game's stand-in: a point list
// as the path (and lists that cannot be one), and a walker asking a standing actor to make way,
// which the script's "bIsAtBed" attribute or a can-move flag cleared forbids.
#include <cmath>
#include <cstdio>
#include <string>

#include "scripted_fixture.h"

namespace {

using namespace actortest;

constexpr char kPaths[] =
    "Paths is Thing;\n"
    "attributes { doctor is Doctor; answer is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "method Show(what is string) { print(what + \" \" + answer + \" \" + doctor.GetNumPathNodes()); }\n"
    "state Switchboard {\n"
    "  doctor.Arrive(\"Doctor\");\n"
    "  doctor.SetPosition(<-3, 0, -3>);\n"
    "  answer = doctor.MoveTo(<3, 0, 3>, false, 0.0, 0, [<-3, 0, -3>, <0, 0, -3>, <3, 0, 3>], 0);\n"
    "  Show(\"three\");\n"
    "  print(\"last \" + doctor.GetPathNodeN(2) + \" moving \" + doctor.Moving());\n"
    "  answer = doctor.MoveTo(<3, 0, 3>, false, 0.0, 0, [<1, 0, 1>, 7], 0);\n"
    "  Show(\"mixed\");\n"
    "  answer = doctor.MoveTo(<2, 0, 2>, false, 0.0, 0, [<1, 0, 1>, <2, 0, 2>], 0);\n"
    "  Show(\"again\");\n"
    "  answer = doctor.MoveTo(<2, 0, 2>, false, 0.0, 0, [<2, 0, 2>], 0);\n"
    "  Show(\"one\");\n"
    "  doctor.FinalizePath();\n"
    "  StepFrame(0.1);\n"
    "  print(\"stopped \" + doctor.Moving() + \" \" + doctor.GetPosition());\n"
    "  doctor.Destroy();\n"
    "  exit();\n"
    "}\n";

// Placed twice in the same room, then somewhere no room holds.
constexpr char kPlacing[] =
    "Placing is Thing;\n"
    "attributes { doctor is Doctor; passes is number; }\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    doctor.Arrive(\"Doctor\");\n"
    "    doctor.SetPosition(<1, 0, 1>);\n"
    "    doctor.SetPosition(<2, 0, 1>);\n"
    "    doctor.SetPosition(<50, 0, 50>);\n"
    "    doctor.SetPosition(<8, 0, 1>);\n"
    "    start(doctor);\n"
    "  }\n"
    "  passes = passes + 1;\n"
    "  if (passes == 10) { doctor.Destroy(); exit(); }\n"
    "}\n";

// A walker heads for a standing actor dead ahead; the stander prints the make-way requests it gets.
constexpr char kMakeWay[] =
    "Stander is Actor;\n"
    "attributes { bIsAtBed is bool; }\n"
    "event DoMoveOutOfWay(point is vector3) { print(\"make way to \" + point); }\n"
    "state Switchboard { }\n";

constexpr char kMeeting[] =
    "Meeting is Thing;\n"
    "attributes { walker is Doctor; stander is Stander; passes is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    walker.Arrive(\"Doctor\");\n"
    "    stander.Arrive(\"Doctor\");\n"
    "    STANDER\n"
    "    walker.SetPosition(<1, 0, -3>);\n"
    "    stander.SetPosition(<1, 0, -1>);\n"
    "    walker.SetViewDirection(0.0);\n"
    "    walker.MoveTo(<1, 0, 3>, false, 0.0, 0, [<1, 0, -3>, <1, 0, 3>], 0);\n"
    "    walker.FinalizePath();\n"
    "    start(stander);\n"
    "  }\n"
    "  StepFrame(1.0 / 30.0);\n"
    "  passes = passes + 1;\n"
    "  if (passes == 120) {\n"
    "    print(\"stander at \" + stander.GetPosition());\n"
    "    walker.Destroy();\n"
    "    stander.Destroy();\n"
    "    exit();\n"
    "  }\n"
    "}\n";

// A class without the actor's events: every placement's "OnRoomEnter" is refused, and leaves the
// argument stack as it found it (forty placements would overflow its 32 places otherwise).
constexpr char kEventless[] =
    "Eventless is Thing;\n"
    "attributes { k is number; }\n"
    "method Create(skin is string) implemented \"RTTeskActor.Create\";\n"
    "method Destroy() implemented \"RTTeskActor.Destroy\";\n"
    "method SetPosition(point is vector3) implemented \"RTTeskActor.SetPosition\";\n"
    "state Switchboard {\n"
    "  Create(\"Doctor\");\n"
    "  for (k = 0; k < 40; k += 1) { SetPosition(<1, 0, 1>); }\n"
    "  print(\"placed \" + k);\n"
    "  Destroy();\n"
    "  exit();\n"
    "}\n";

class MovementScripts : public ScriptedTest {};

// A list becomes the path whole, or not at all; a path of one point has nothing to follow. The old
// path given back each time is checked by the fixture's count of live core blocks at the end.
TEST_F(MovementScripts, APointListIsThePathWholeOrNotAtAll) {
  Run("Paths", kPaths, SampleClassFolders());
  EXPECT_TRUE(Printed("three 1 3")) << host_.DebugLog();
  EXPECT_TRUE(Printed("last <3.000000, 0.000000, 3.000000> moving 0")) << "the actor does not start";
  EXPECT_TRUE(Printed("mixed 0 3")) << "refused; the old path kept";
  EXPECT_EQ(Logged("RTTeskActor::MoveTo(): element 1 of the point list is not a vector3"), 1u);
  EXPECT_TRUE(Printed("again 1 2"));
  EXPECT_TRUE(Printed("one 1 1"));
  EXPECT_EQ(Logged("RTTeskActor::ProcessNavigation(): Attempted to move without a path."), 1u);
  EXPECT_TRUE(Printed("stopped 0 <-3.000000, 0.000000, -3.000000>"));
  EXPECT_TRUE(PrintedLines("doctor faces its way").empty()) << "no node 1 to turn to";
}

TEST_F(MovementScripts, EveryPlacementInARoomAnnouncesTheRoom) {
  Run("Placing", kPlacing, SampleClassFolders());
  EXPECT_EQ(PrintedLines("doctor enters"),
            (std::vector<std::string>{"doctor enters Ward", "doctor enters Ward", "doctor enters Hall"}))
      << host_.DebugLog();
}

TEST_F(MovementScripts, RefusedRoomEventsLeaveTheArgumentStackAsItWas) {
  Run("Eventless", kEventless);
  EXPECT_TRUE(Printed("placed 40")) << host_.DebugLog();
  EXPECT_EQ(Logged("[VARNO VM] Cannot find event specified in object."), 40u);
  EXPECT_EQ(Logged("Argument Stack Overflow"), 0u);
}

// What the stander is told before the walker sets off, and the make-way requests it then gets.
struct Meeting {
  const char* stander;
  size_t requests;
};

class MakingWay : public ScriptedTest, public ::testing::WithParamInterface<Meeting> {};

TEST_P(MakingWay, AStandingActorIsAskedOnceToMakeWayUnlessItLiesAtABedOrCannotMove) {
  std::string meeting = kMeeting;
  meeting.replace(meeting.find("STANDER"), 7, GetParam().stander);
  tesk::testing::WriteFile(classes_.path() / "Stander.varno", kMakeWay);
  Run("Meeting", meeting.c_str(), SampleClassFolders());
  const std::vector<std::string> requests = PrintedLines("make way to ");
  ASSERT_EQ(requests.size(), GetParam().requests) << host_.DebugLog();
  if (requests.empty()) {
    EXPECT_TRUE(Printed("stander at <1.000000, 0.000000, -1.000000>")) << "never pushed";
    return;
  }
  float x = 0, y = 0, z = 0;
  ASSERT_EQ(std::sscanf(requests[0].c_str(), "make way to <%f, %f, %f>", &x, &y, &z), 3);
  // Across the walker's heading from where the stander stands: 1.5 walker radii to a side, or
  // nowhere when the walker comes exactly dead ahead (a drift of 1e-4 already picks a side). The
  // heading leaves z as the walker steers round the stander.
  EXPECT_NEAR(y, 0, 0.01f);
  const float aside = std::hypot(x - 1, z + 1);
  EXPECT_TRUE(aside < 0.01f || std::fabs(aside - 0.45f) < 0.01f) << requests[0];
}

INSTANTIATE_TEST_SUITE_P(AtBedOrNot, MakingWay,
                         ::testing::Values(Meeting{"stander.bIsAtBed = false;", 1},
                                           Meeting{"stander.bIsAtBed = true;", 0},
                                           Meeting{"stander.EnableCanMove(false);", 0}));

}  // namespace
