// The first hour of a new user: the tools run from the staged tree with no TESK_REGISTRY set find
// the tree by themselves, answer --help, refuse what they do not know, and say where they looked
// when the registry is not there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

class FirstUse : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TESK_REGISTRY");
    unsetenv("TESK_DEBUG_LOG");
    setenv("XDG_CONFIG_HOME", (files_.path() / "config").c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  tesk::testing::CommandOutcome Run(const std::string& tool, const std::string& arguments) {
    return tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / tool).string()) + " " + arguments,
                                     files_.path());
  }
  std::string File(const char* name) const { return (files_.path() / name).string(); }

  tesk::testing::TempDir files_;
};

TEST_F(FirstUse, TheStagedToolsWorkWithoutTheRegistryVariable) {
  tesk::testing::WriteFile(File("Hello.varno"),
                           "Hello is Thing;\nstate Switchboard { print(\"hello from the staged tree\"); exit(); }\n");
  tesk::testing::WriteFile(File("first.json"), R"({"instances": [{"path": "Root:First", "class": "RTComponent"}]})");
  const struct {
    const char* tool;
    std::string arguments;
    std::string out;  // the start of what it prints; its errors are empty
  } uses[] = {
      {"game/varnoc", "TeskGame", ""},  // found on the game's Varno Paths
      {"game/varno-run", Quoted(File("Hello.varno")), "hello from the staged tree\n"},
      {"tools/kivopack", "build " + Quoted(File("first.json")) + " " + Quoted(File("first.kivopack")), ""},
      {"tools/kivopack", "list " + Quoted(File("first.kivopack")), "Root\tRTComponent\t"},
      {"game/kivohost", "", "kivohost: core started with "},
  };
  for (const auto& use : uses) {
    SCOPED_TRACE(std::string(use.tool) + " " + use.arguments);
    const auto run = Run(use.tool, use.arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, use.out.size()), use.out);
    EXPECT_EQ(run.err, "");
  }

  for (const char* tool :
       {"game/varnoc", "game/varno-run", "tools/kivopack", "tools/glyph-sheet", "tools/scene-view", "game/kivohost"}) {
    SCOPED_TRACE(tool);
    const std::string usage = "usage: " + fs::path(tool).filename().string() + " ";
    const auto help = Run(tool, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(usage, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    const auto unknown = Run(tool, "--no-such-flag");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err.rfind(usage, 0), 0u) << unknown.err;
  }

  // The actor's controller, made from the staged store's fonts and motions (and the staged skin
  // class it looks up).
  const auto actor = Run("game/kivohost", "--create RTTeskActor");
  EXPECT_EQ(actor.status, 0) << actor.err;
  EXPECT_NE(actor.out.find("kivohost: created an instance of RTTeskActor\n"), std::string::npos) << actor.out;
  EXPECT_EQ(actor.err.find("(RTTeskActor)"), std::string::npos) << actor.err;
  const auto nothing = Run("game/kivohost", "--create RTNoSuchClass");
  EXPECT_EQ(nothing.status, 1);
  EXPECT_NE(nothing.err.find("kivohost: cannot create an instance of RTNoSuchClass"), std::string::npos) << nothing.err;

  // A registry file that is not there is named, with the variable that chooses it.
  setenv("TESK_REGISTRY", File("nowhere.ini").c_str(), 1);
  const auto lost = Run("game/kivohost", "");
  unsetenv("TESK_REGISTRY");
  EXPECT_EQ(lost.status, 1);
  EXPECT_EQ(lost.err, "kivohost: no registry file " + File("nowhere.ini") +
                          " (the registry file: $TESK_REGISTRY, else the registry.ini of the tool's staged tree, else "
                          "$XDG_CONFIG_HOME/tesk/registry.ini)\n");
}

}  // namespace
