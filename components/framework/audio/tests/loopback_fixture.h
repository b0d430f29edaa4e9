// The audio service on OpenAL Soft's loopback device, for tests that listen to the mix: sounds
// made as files with a bank over them, sources, rendering, and levels read as RMS.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "bank/sound_bank.h"
#include "host/core_host.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/instance_ref.h"
#include "sound_levels.h"

namespace tesk::testing {

struct BankSound {
  std::u16string name;
  std::string file;
  std::vector<uint8_t> bytes;  // the file's contents
  uint8_t channels = 1;
};

// The service opened on the loopback device with the staged audio components installed.
class LoopbackAudio : public StartedCore {
 protected:
  void InstallComponents(CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  // Writes the sounds and a bank over them into the audio folder and loads it.
  void LoadSounds(const std::vector<BankSound>& sounds);
  std::u16string BankPath() const;
  std::u16string FolderPath() const;
  RTAudioBuffer* Buffer(const char16_t* name);
  RTInstance NewSource();
  std::vector<float> Render(uint32_t frames);
  uint32_t State(RTInstance source);

  RTInstance service_ = nullptr;
  std::vector<kivo::InstanceRef> sources_;
  TempDir folder_;
};

}  // namespace tesk::testing
