// The actor's methods as a script calls them through the VM: a class that declares Create as the
// sample's actors do makes a character and plays its motions; one that declares it with a number
// argument gets 0.
#include <string>

#include "kivo/articulated/articulated_calls.h"
#include "scripted_fixture.h"

namespace {

using namespace actortest;

constexpr char kDoctor[] =
    "Doctor is Thing;\n"
    "method Create(skin is string) implemented \"RTTeskActor.Create\";\n"
    "method Destroy() implemented \"RTTeskActor.Destroy\";\n"
    "method real GetAnimationTweenTime() implemented \"RTTeskActor.GetAnimationTweenTime\";\n"
    "method PlayOneShotAnimation(motion is string) implemented \"RTTeskActor.PlayOneShotAnimation\";\n"
    "method number IsAnimationPlaying() implemented \"RTTeskActor.IsAnimationPlaying\";\n"
    "state Switchboard {\n"
    "  Create(\"Doctor\");\n"
    "  print(\"tween \" + GetAnimationTweenTime());\n"
    "  PlayOneShotAnimation(\"Talk1\");\n"
    "  print(\"playing \" + IsAnimationPlaying());\n"
    "  Destroy();\n"
    "  exit();\n"
    "}\n";

constexpr char kHasty[] =
    "Hasty is Thing;\n"
    "method number Create(skin is number) implemented \"RTTeskActor.Create\";\n"
    "state Switchboard {\n"
    "  print(\"answer \" + Create(5));\n"
    "  exit();\n"
    "}\n";

using Scripted = ScriptedTest;

TEST_F(Scripted, AnActorClassMakesItsCharacterAndPlaysAMotionOnce) {
  Run("Doctor", kDoctor);
  EXPECT_TRUE(Printed("tween 0.100000")) << host_.DebugLog();
  EXPECT_TRUE(Printed("playing 1"));
  EXPECT_EQ(GameCalls(), (std::vector<std::string>{"AddActor()", "AddNode()", "RemoveActor()", "RemoveNode()",
                                                   "RemovePatientC()", "FXActorRemove()"}));
}

TEST_F(Scripted, ACreateDeclaredWithANumberArgumentAnswersZero) {
  Run("Hasty", kHasty);
  EXPECT_TRUE(Printed("answer 0")) << host_.DebugLog();
  EXPECT_TRUE(GameCalls().empty());
  EXPECT_EQ(Alive(kivo::articulated::kClassName), 0u);
}

}  // namespace
