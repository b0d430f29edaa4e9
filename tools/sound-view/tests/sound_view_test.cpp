// sound-view as a user runs it from the staged tree: the sample's bank listed and a sound's levels,
// a damaged bank and a bad command line refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;
using ::testing::HasSubstr;

class SoundView : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TESK_REGISTRY");
    unsetenv("TESK_DEBUG_LOG");
    setenv("ALSOFT_DRIVERS", "null", 1);
  }
  tesk::testing::CommandOutcome Run(const std::string& arguments) {
    return tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / "tools/sound-view").string()) + " " + arguments,
                                     files_.path());
  }
  tesk::testing::TempDir files_;
};

TEST_F(SoundView, ListsTheSampleBankAndRendersASound) {
  const std::string bank = (fs::path(TESK_STAGE_DIR) / "game/audio/tesk.bank").string();
  const auto run = Run(Quoted(bank) + " --play INTERFACE_OK");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* name : {"INTERFACE_OK",
                           "INTERFACE_CANCEL",
                           "INTERFACE_CHECKBOX",
                           "INTERFACE_CONV_POPUP",
                           "INTERFACE_CONV_STOP",
                           "INTERFACE_CONV_SYMPATHY",
                           "INTERFACE_CURBSIDE",
                           "INTERFACE_DRPATACTIVE",
                           "INTERFACE_GAMEOVER",
                           "INTERFACE_INFO",
                           "INTERFACE_MAINBACK",
                           "INTERFACE_MAINCANCEL",
                           "INTERFACE_MAINCLICK",
                           "INTERFACE_MOUSEOVER1",
                           "INTERFACE_PERKS",
                           "INTERFACE_PERKSWAP",
                           "INTERFACE_SPECABLITY",
                           "INTERFACE_STAR",
                           "INTERFACE_STAR_ELEMENT",
                           "INTERFACE_SWITCH1",
                           "env_secoff",
                           "env_secchgng",
                           "TESK_ENDING"})
    EXPECT_THAT(run.out, HasSubstr(std::string(name) + "\t")) << name;
  EXPECT_THAT(run.out, HasSubstr("INTERFACE_OK\tinterface_ok.wav\t1 channel\t22050 Hz\t150 ms\n"));
  EXPECT_THAT(run.out, HasSubstr("PROP_MONITOR_LOOP\tprop_monitor_loop.ogg\t1 channel\t22050 Hz\t1000 ms\n"));
  const size_t at = run.out.find("INTERFACE_OK: peak ");
  ASSERT_NE(at, std::string::npos) << run.out;
  double peak = 0.0;
  double rms = 0.0;
  int ms = 0;
  ASSERT_EQ(std::sscanf(run.out.c_str() + at, "INTERFACE_OK: peak %lf dBFS, rms %lf dBFS, %d ms", &peak, &rms, &ms), 3)
      << run.out;
  EXPECT_GT(peak, -40.0);
  EXPECT_LT(peak, 0.0);
  EXPECT_LT(rms, peak);
  EXPECT_NEAR(ms, 150, 30);
}

TEST_F(SoundView, RefusesADamagedBankAndABadCommandLine) {
  tesk::testing::WriteFile(files_.path() / "bad.bank", "TBNK\x02");
  const auto damaged = Run(Quoted((files_.path() / "bad.bank").string()));
  EXPECT_EQ(damaged.status, 1);
  EXPECT_THAT(damaged.err, HasSubstr("bad.bank: the file ends inside the version at byte 4"));
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("x.bank --loud").status, 2);
}

}  // namespace
