#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "host/temp_dir.h"

namespace {

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", (dir_.path() / "runtime").c_str(), 1);
    setenv("TMPDIR", (dir_.path() / "tmp").c_str(), 1);
    std::filesystem::create_directories(dir_.path() / "runtime");
    std::filesystem::create_directories(dir_.path() / "tmp");
    setenv("TESK_DEBUG_LOG", DebugLog().c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("TMPDIR");
    unsetenv("TESK_DEBUG_LOG");
  }
  std::filesystem::path DebugLog() const { return dir_.path() / "debug.log"; }
  tesk::testing::TempDir dir_;
};

TEST_F(SingleInstance, TheFirstTakesTheGuardAndLaterOnesAreRefused) {
  EXPECT_EQ(platform::InstanceLockFiles(u"Tesk: THE GAME"),
            (std::vector<std::filesystem::path>{dir_.path() / "runtime/Tesk__THE_GAME.lock",
                                                dir_.path() / "tmp/Tesk__THE_GAME.lock"}));
  EXPECT_FALSE(platform::CheckSecondInstance(u"Tesk: THE GAME"));
  EXPECT_TRUE(platform::CheckSecondInstance(u"Tesk: THE GAME"));
  // Another process is refused too; another name is free.
  const pid_t child = fork();
  if (child == 0) _exit(platform::CheckSecondInstance(u"Tesk: THE GAME") ? 1 : 0);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_FALSE(platform::CheckSecondInstance(u"Other"));
}

// A runtime folder that does not exist leaves the guard to the temporary folder; when no lock file
// can be made at all the process runs unguarded and says so, and reports no second instance.
TEST_F(SingleInstance, WithoutARuntimeFolderTheTemporaryFolderHoldsTheGuard) {
  setenv("XDG_RUNTIME_DIR", (dir_.path() / "missing").c_str(), 1);
  EXPECT_FALSE(platform::CheckSecondInstance(u"Tesk: THE GAME"));
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "tmp/Tesk__THE_GAME.lock"));
  EXPECT_TRUE(platform::CheckSecondInstance(u"Tesk: THE GAME"));

  setenv("TMPDIR", (dir_.path() / "missing too").c_str(), 1);
  EXPECT_FALSE(platform::CheckSecondInstance(u"Unguarded"));
  const std::string tried = (dir_.path() / "missing/Unguarded.lock").string();
  EXPECT_NE(tesk::testing::ReadFile(DebugLog())
                .find("No single-instance lock file can be made (tried: " + tried +
                      "): running without the single-instance guard"),
            std::string::npos);
}

}  // namespace
