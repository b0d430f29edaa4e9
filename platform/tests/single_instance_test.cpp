#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "host/temp_dir.h"

namespace {

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_RUNTIME_DIR", dir_.path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
  tesk::testing::TempDir dir_;
};

TEST_F(SingleInstance, TheFirstTakesTheGuardAndLaterOnesAreRefused) {
  EXPECT_EQ(platform::InstanceLockFile(u"Tesk: THE GAME"), dir_.path() / "Tesk__THE_GAME.lock");
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

TEST_F(SingleInstance, AGuardThatCannotBeMadeCountsAsTaken) {
  setenv("XDG_RUNTIME_DIR", (dir_.path() / "missing").c_str(), 1);
  EXPECT_TRUE(platform::CheckSecondInstance(u"Tesk: THE GAME"));
}

}  // namespace
