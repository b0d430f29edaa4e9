// The audio service's device: the driver list OpenAL Soft starts with, the silent devices it goes
// on with when there is no sound card (reported once), and the device closed when the process ends
// with the service still alive, as the program leaves it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/core_host.h"
#include "host/temp_dir.h"
#include "kivo/audio/audio_service_calls.h"
#include "playback_drivers.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(PlaybackDrivers, PulseAndTheNullDeviceOnlyWhenNoListIsChosenAndNoCardPlays) {
  tesk::testing::TempDir folder;
  const std::filesystem::path devices = folder.path() / "snd";
  const std::filesystem::path missing = folder.path() / "none";
  tesk::testing::WriteFile(devices / "controlC0", "");
  tesk::testing::WriteFile(devices / "pcmC0D0c", "");  // a capture device only
  EXPECT_EQ(kivo::audio::PlaybackDriversFor(nullptr, missing), "pulse,null");
  EXPECT_EQ(kivo::audio::PlaybackDriversFor("", devices), "pulse,null");
  EXPECT_EQ(kivo::audio::PlaybackDriversFor("alsa", missing), std::nullopt) << "the user's choice stands";
  tesk::testing::WriteFile(devices / "pcmC0D3p", "");
  EXPECT_EQ(kivo::audio::PlaybackDriversFor(nullptr, devices), std::nullopt) << "a card: OpenAL Soft's own list";
}

class AudioDevice : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTFMODAudioService"));
  }
  // Opens the device twice with OpenAL Soft on the driver list, prints how often the service
  // reported a silent device, and ends the process with the service alive.
  void OpenAndEnd(const char* drivers) {
    setenv("ALSOFT_DRIVERS", drivers, 1);
    RTInstance service = nullptr;  // never released, as the program leaves it
    core().GetFirstInstanceByString(nullptr, kivo::audio_service::kClassName, &service, 1, nullptr);
    const bool opened = kivo::audio_service::InitDevice(service) && kivo::audio_service::InitDevice(service);
    const std::string log = host_.DebugLog();
    size_t reports = 0;
    for (size_t at = log.find(kSilentReport); at != std::string::npos; at = log.find(kSilentReport, at + 1)) ++reports;
    std::fprintf(stderr, "opened %d, reported %zu\n", opened, reports);
    std::exit(0);
  }
  static constexpr char kSilentReport[] = "no sound device could be opened; the game goes on without sound";
};

// Each in a process of its own: OpenAL Soft reads the driver list once.
TEST_F(AudioDevice, GoesOnSilentOnTheNullDeviceAndClosesItAtTheEnd) {
  EXPECT_EXIT(OpenAndEnd("null"), ::testing::ExitedWithCode(0),
              AllOf(HasSubstr("opened 1, reported 1\n"), Not(HasSubstr("alc_cleanup"))));
}

TEST_F(AudioDevice, GoesOnSilentOnTheLoopbackDeviceWhenNoDeviceOpensAndClosesItAtTheEnd) {
  EXPECT_EXIT(OpenAndEnd("no-such-driver"), ::testing::ExitedWithCode(0),
              AllOf(HasSubstr("opened 1, reported 1\n"), Not(HasSubstr("alc_cleanup"))));
}

}  // namespace
