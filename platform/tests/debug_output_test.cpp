#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::ReadFile;
using tesk::testing::WriteFile;

class DebugOutputRouting : public ::testing::Test {
 protected:
  void WriteLogs() {
    WriteFile(named(), "earlier\n");
    WriteFile(own(), "last run\n");
  }
  void TearDown() override { unsetenv("TESK_DEBUG_LOG"); }

  fs::path named() const { return dir_.path() / "named.log"; }
  fs::path own() const { return dir_.path() / "state/tesk/own.log"; }
  std::string Variable() const {
    const char* value = std::getenv("TESK_DEBUG_LOG");
    return value ? value : "(unset)";
  }

  tesk::testing::TempDir dir_;
};

// Standard error when asked; else the log the variable names, appended to; else the program's own,
// started afresh and named by the variable from then on.
TEST_F(DebugOutputRouting, ChoosesStandardErrorTheNamedLogOrItsOwn) {
  const struct {
    const char* name;
    bool toStandardError;
    bool variableSet;
    fs::path route;          // empty: standard error
    const char* namedAfter;  // the named log's contents after a line was written
    const char* ownAfter;
  } cases[] = {
      {"verbose", true, true, {}, "earlier\n", "last run\n"},
      {"named", false, true, named(), "earlier\nline\n", "last run\n"},
      {"own", false, false, own(), "earlier\n", "line\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLogs();
    if (c.variableSet) {
      setenv("TESK_DEBUG_LOG", named().c_str(), 1);
    } else {
      unsetenv("TESK_DEBUG_LOG");
    }
    EXPECT_EQ(platform::RouteDebugOutput(c.toStandardError, own()), c.route);
    EXPECT_EQ(Variable(), c.route.empty() ? "(unset)" : c.route.string());
    testing::internal::CaptureStderr();
    platform::DebugOutput(u"line");
    const std::string onStandardError = testing::internal::GetCapturedStderr();
    EXPECT_EQ(onStandardError, c.route.empty() ? "line\n" : "");
    EXPECT_EQ(ReadFile(named()), c.namedAfter);
    EXPECT_EQ(ReadFile(own()), c.ownAfter);
  }
}

// A log of its own that cannot be made leaves the debug output on standard error.
TEST_F(DebugOutputRouting, AnOwnLogThatCannotBeMadeLeavesStandardError) {
  unsetenv("TESK_DEBUG_LOG");
  WriteFile(dir_.path() / "file", "not a folder");
  EXPECT_EQ(platform::RouteDebugOutput(false, dir_.path() / "file/own.log"), fs::path());
  EXPECT_EQ(Variable(), "(unset)");
}

TEST(UserStateFile, LiesInTheStateFolderOfTheUser) {
  setenv("XDG_STATE_HOME", "/state", 1);
  EXPECT_EQ(platform::UserStateFile("x.log"), fs::path("/state/tesk/x.log"));
  unsetenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  EXPECT_EQ(platform::UserStateFile("x.log"), fs::path(home ? home : ".") / ".local/state/tesk/x.log");
}

}  // namespace
