// The actor's methods as a script calls them through the VM: a class that declares Create as the
// sample's actors do makes a character and plays its motions; one that declares it with a number
// argument gets 0.
#include <string>

#include "host/temp_dir.h"
#include "kivo/articulated/articulated_calls.h"
#include "platform/utf.h"
#include "varno/scripting_calls.h"
#include "wrapper_fixture.h"

namespace {

using namespace actortest;
namespace script = varno::scripting;

constexpr char kThing[] = "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n";

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

class Scripted : public WrapperTest {
 protected:
  void TearDown() override {
    if (varno_.get()) {
      script::VarnoVMDestructor(varno_.get(), vm_);
      script::TypeTableDestructor(varno_.get(), table_);
    }
    varno_.Reset();
    WrapperTest::TearDown();
  }

  // Compiles the class and runs its Switchboard state until the script ends the run.
  void Run(const char* className, const char* source) {
    tesk::testing::WriteFile(classes_.path() / "Thing.varno", kThing);
    const std::filesystem::path file = classes_.path() / (std::string(className) + ".varno");
    tesk::testing::WriteFile(file, source);
    const std::u16string folder = platform::FromUtf8(classes_.path().string() + "/");
    const std::u16string path = platform::FromUtf8(file.string());
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, script::kClassName, varno_.out(), 1, nullptr), kRTSuccess);
    RTInstance v = varno_.get();
    uint32_t type = 0;
    script::TypeTable parsed = nullptr;
    script::Symbol object = nullptr;
    ASSERT_TRUE(script::AddSearchPath(v, folder.c_str()) && script::TypeTableFactory(v, &table_) &&
                script::VarnoVMFactory(v, &vm_) &&
                script::VarnoParseBrellinAnsiFile(v, path.c_str(), &type, &parsed, table_) &&
                script::TypeTableGenerateCode(v, table_) && script::VarnoVMSetTypeTable(v, vm_, table_) &&
                script::VarnoVMConstructObject(v, vm_, type, &object) &&
                script::VarnoVMSetNewContext(v, vm_, object, u"Switchboard", 1))
        << host_.DebugLog();
    script::VarnoVMRun(v, vm_);
  }
  bool Printed(const std::string& line) const { return host_.DebugLog().find("\n" + line + "\n") != std::string::npos; }

  kivo::InstanceRef varno_;
  script::VM vm_ = nullptr;
  script::TypeTable table_ = nullptr;
  tesk::testing::TempDir classes_;
};

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
