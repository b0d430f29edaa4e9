// Turning to look, starting and stopping as scripts ask for them, over the sample's actor classes
// and the game's stand-in: a looker in the ward turns toward a point or toward the nearest of its
// bystanders and prints the heading each finished turn leaves it with; requests cancel and replace
// each other, and end at once while it walks. A walker stopped halfway keeps its path and resumes
// it; the can-move flag follows the script and a path given.
#include <cmath>
#include <string>
#include <vector>

#include "scripted_fixture.h"

namespace {

using namespace actortest;

// Each finished turn printed with the heading it leaves.
constexpr char kLooker[] =
    "Looker is Actor;\n"
    "event OnDoneLookAtPoint() { print(\"done point \" + GetForwardVector()); }\n"
    "event OnDoneLookAtClosest() { print(\"done closest \" + GetForwardVector()); }\n"
    "state Switchboard { }\n";

// The looker stands at (-2, 0, -2) facing north (+z); FIRST runs then, LATER after every frame.
constexpr char kLookAround[] =
    "LookAround is Thing;\n"
    "attributes { looker is Looker; near is Actor; far is Actor; passes is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "' Two bystanders level with the looker: the nearer 2 west of it, the farther 3 east.\n"
    "method Company() {\n"
    "  near.Arrive(\"Doctor\");\n"
    "  near.SetPosition(<-4, 0, -2>);\n"
    "  far.Arrive(\"Doctor\");\n"
    "  far.SetPosition(<1, 0, -2>);\n"
    "}\n"
    "' Off north along a path from a list.\n"
    "method WalkNorth() {\n"
    "  looker.MoveTo(<-2, 0, 3>, false, 0.0, 0, [<-2, 0, -2>, <-2, 0, 3>], 0);\n"
    "  looker.FinalizePath();\n"
    "}\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    looker.Arrive(\"Doctor\");\n"
    "    looker.SetPosition(<-2, 0, -2>);\n"
    "    looker.SetViewDirection(0.0);\n"
    "    FIRST\n"
    "    start(looker);\n"
    "  }\n"
    "  StepFrame(1.0 / 30.0);\n"
    "  passes = passes + 1;\n"
    "  LATER\n"
    "  if (passes == 60) {\n"
    "    print(\"end \" + looker.GetForwardVector());\n"
    "    looker.Destroy();\n"
    "    near.Destroy();\n"
    "    far.Destroy();\n"
    "    exit();\n"
    "  }\n"
    "}\n";

struct Heading {
  float x, z;
};

struct Done {
  const char* event;  // "point" or "closest"
  Heading heading;
};

struct Look {
  const char* what;
  const char* first;
  const char* later;
  std::vector<Done> done;
  Heading end;
};

void Replace(std::string* text, const std::string& mark, const std::string& by) {
  text->replace(text->find(mark), mark.size(), by);
}

// Within the turn's end test: the cosine to the target above 0.999, some 2.6 degrees.
void ExpectHeading(const std::string& line, Heading expected) {
  const PrintedPoint forward = PointIn(line);
  EXPECT_NEAR(forward.x, expected.x, 0.05f) << line;
  EXPECT_EQ(forward.y, 0.0f) << line;
  EXPECT_NEAR(forward.z, expected.z, 0.05f) << line;
}

class LookingAround : public ScriptedTest, public ::testing::WithParamInterface<Look> {};

TEST_P(LookingAround, EachTurnEndsOnceFacingItsTarget) {
  const Look& look = GetParam();
  SCOPED_TRACE(look.what);
  std::string driver = kLookAround;
  Replace(&driver, "FIRST", look.first);
  Replace(&driver, "LATER", look.later);
  tesk::testing::WriteFile(classes_.path() / "Looker.varno", kLooker);
  Run("LookAround", driver.c_str(), SampleClassFolders());
  const std::vector<std::string> done = PrintedLines("done ");
  ASSERT_EQ(done.size(), look.done.size()) << host_.DebugLog();
  for (size_t i = 0; i < done.size(); ++i) {
    EXPECT_EQ(done[i].rfind(std::string("done ") + look.done[i].event + " <", 0), 0u) << done[i];
    ExpectHeading(done[i], look.done[i].heading);
  }
  const std::vector<std::string> end = PrintedLines("end ");
  ASSERT_EQ(end.size(), 1u) << host_.DebugLog();
  ExpectHeading(end[0], look.end);
}

constexpr Heading kNorth{0, 1}, kSouth{0, -1}, kEast{1, 0}, kWest{-1, 0};

INSTANTIATE_TEST_SUITE_P(
    Requests, LookingAround,
    ::testing::Values(
        Look{"a point to the east", "looker.LookAtPoint(<2, 0, -2>);", "", {{"point", kEast}}, kEast},
        Look{"a point straight behind", "looker.LookAtPoint(<-2, 0, -5>);", "", {{"point", kSouth}}, kSouth},
        Look{"a point overhead ends at once", "looker.LookAtPoint(<-2, 3, -2>);", "", {{"point", kNorth}}, kNorth},
        Look{"the nearer of two", "Company(); looker.LookAtClosest();", "", {{"closest", kWest}}, kWest},
        Look{"nobody about ends at once", "looker.LookAtClosest();", "", {{"closest", kNorth}}, kNorth},
        Look{"the closest replaces a point", "Company(); looker.LookAtPoint(<2, 0, -2>); looker.LookAtClosest();",
             "", {{"closest", kWest}}, kWest},
        Look{"a point replaces the closest", "Company(); looker.LookAtClosest(); looker.LookAtPoint(<2, 0, -2>);",
             "", {{"point", kEast}}, kEast},
        Look{"LookAtNothing cancels a point", "looker.LookAtPoint(<2, 0, -2>); looker.LookAtNothing();", "", {},
             kNorth},
        Look{"LookAtNothing cancels the closest", "Company(); looker.LookAtClosest(); looker.LookAtNothing();", "",
             {}, kNorth},
        Look{"a heading set cancels a point", "looker.LookAtPoint(<2, 0, -2>); looker.SetViewDirection(180.0);", "",
             {}, kSouth},
        Look{"a path from a list cancels the closest",
             "Company(); looker.LookAtClosest();\n"
             "looker.MoveTo(<-2, 0, 3>, false, 0.0, 0, [<-2, 0, -2>, <-2, 0, 3>], 0);",
             "", {}, kNorth},
        // The walk's own first turn toward its second node, straight ahead, then the script's.
        Look{"a point while walking ends at once, unturned", "WalkNorth();",
             "if (passes == 10) looker.LookAtPoint(<2, 0, -1>);", {{"point", kNorth}, {"point", kNorth}}, kNorth},
        Look{"the closest while walking ends at once, unturned", "Company(); WalkNorth();",
             "if (passes == 10) looker.LookAtClosest();", {{"point", kNorth}, {"closest", kNorth}}, kNorth},
        Look{"a point after stopping turns the standing walker", "WalkNorth();",
             "if (passes == 10) { looker.StopMoving(); looker.LookAtPoint(<100, 0, -2>); }",
             {{"point", kNorth}, {"point", kEast}}, kEast}));

// Stopped halfway along its path, the walker stands where it stopped and resumes the same path to
// its end; StartMoving without a path does nothing. A script object without a character changes
// nothing and reads zeros.
constexpr char kErrands[] =
    "Errands is Thing;\n"
    "attributes { walker is Actor; ghost is Actor; passes is number; }\n"
    "method StepFrame(seconds is real) implemented \"RTTeskGame.StepFrame\";\n"
    "method Show(what is string, who is Actor) {\n"
    "  print(what + \" moving \" + who.Moving() + \" can \" + who.CanMove() + \" nodes \" + who.GetNumPathNodes()\n"
    "        + \" at \" + who.GetPosition());\n"
    "}\n"
    "state Switchboard {\n"
    "  if (passes == 0) {\n"
    "    walker.Arrive(\"Doctor\");\n"
    "    walker.SetPosition(<-2, 0, -2>);\n"
    "    walker.SetViewDirection(0.0);\n"
    "    Show(\"made\", walker);\n"
    "    walker.StartMoving();\n"
    "    walker.EnableCanMove(false);\n"
    "    Show(\"pathless\", walker);\n"
    "    walker.MoveTo(<0.5, 0, 0.5>, false, 0.0, 0, [<-2, 0, -2>, <0.5, 0, 0.5>], 0);\n"
    "    Show(\"refused\", walker);\n"
    "    walker.MoveTo(<-2, 0, 3>, false, 0.0, 0, [<-2, 0, -2>, <-2, 0, 3>], 0);\n"
    "    Show(\"listed\", walker);\n"
    "    walker.StartMoving();\n"
    "    Show(\"started\", walker);\n"
    "    ghost.EnableCanMove(true);\n"
    "    ghost.LookAtPoint(<2, 0, 2>);\n"
    "    ghost.StartMoving();\n"
    "    ghost.StopMoving();\n"
    "    Show(\"ghost\", ghost);\n"
    "  }\n"
    "  StepFrame(1.0 / 30.0);\n"
    "  passes = passes + 1;\n"
    "  if (passes == 30) {\n"
    "    walker.StopMoving();\n"
    "    Show(\"stopped\", walker);\n"
    "  }\n"
    "  if (passes == 60) {\n"
    "    Show(\"standing\", walker);\n"
    "    walker.StartMoving();\n"
    "    walker.EnableCanMove(false);\n"
    "    Show(\"resumed\", walker);\n"
    "  }\n"
    "  if ((passes > 60) and (walker.Moving() == 0)) {\n"
    "    Show(\"arrived\", walker);\n"
    "    passes = 600;\n"
    "  }\n"
    "  if (passes >= 600) {\n"
    "    walker.Destroy();\n"
    "    exit();\n"
    "  }\n"
    "}\n";

using StartingAndStopping = ScriptedTest;

TEST_F(StartingAndStopping, AStoppedWalkerKeepsItsPathAndResumesIt) {
  Run("Errands", kErrands, SampleClassFolders());
  const auto shown = [&](const std::string& what) {
    const std::vector<std::string> lines = PrintedLines(what + " ");
    EXPECT_EQ(lines.size(), 1u) << what << "\n" << host_.DebugLog();
    return lines.empty() ? std::string() : lines[0].substr(what.size() + 1);
  };
  EXPECT_EQ(shown("made"), "moving 0 can 1 nodes 0 at <-2.000000, 0.000000, -2.000000>");
  EXPECT_EQ(shown("pathless"), "moving 0 can 0 nodes 0 at <-2.000000, 0.000000, -2.000000>");
  EXPECT_EQ(shown("refused"), "moving 0 can 0 nodes 0 at <-2.000000, 0.000000, -2.000000>")
      << "a goal near the origin is refused and leaves the flag";
  EXPECT_EQ(shown("listed"), "moving 0 can 1 nodes 2 at <-2.000000, 0.000000, -2.000000>")
      << "a path given lets the actor move; it has not started";
  EXPECT_EQ(shown("started"), "moving 1 can 1 nodes 2 at <-2.000000, 0.000000, -2.000000>");
  EXPECT_EQ(shown("ghost"), "moving 0 can 0 nodes 0 at <0.000000, 0.000000, 0.000000>");

  const std::string stopped = shown("stopped");
  const PrintedPoint halfway = PointIn(stopped);
  EXPECT_EQ(stopped.rfind("moving 0 can 1 nodes 2 at ", 0), 0u) << stopped;
  EXPECT_NEAR(halfway.x, -2, 0.01f) << stopped;
  EXPECT_GT(halfway.z, -1.5f) << "about a second of walking north";
  EXPECT_LT(halfway.z, 0.0f) << stopped;
  EXPECT_EQ(shown("standing"), stopped) << "not a step while stopped";
  EXPECT_EQ(shown("resumed").rfind("moving 1 can 0 nodes 2 at ", 0), 0u);

  const std::string arrived = shown("arrived");
  EXPECT_EQ(arrived.rfind("moving 0 can 0 nodes 2 at ", 0), 0u) << arrived;
  const PrintedPoint end = PointIn(arrived);
  EXPECT_LT(std::hypot(end.x + 2, end.z - 3), 0.2f) << arrived;
}

}  // namespace
