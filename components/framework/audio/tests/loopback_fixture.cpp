#include "loopback_fixture.h"

#include <cstdlib>

#include "host/temp_dir.h"

namespace tesk::testing {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;

void LoopbackAudio::InstallComponents(CoreHost& host) {
  for (const char* name : {"RTFMODAudioService", "RTAudioSource", "RTAudioBufferInfo"})
    host.InstallComponent(CoreHost::StagedComponent(name));
}

void LoopbackAudio::SetUp() {
  setenv("ALSOFT_DRIVERS", "null", 1);  // the loopback device needs no driver: probe none
  StartedCore::SetUp();
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, audio::kClassName, &service_, 1, nullptr));
  ASSERT_TRUE(audio::OpenLoopbackDevice(service_));
}

void LoopbackAudio::TearDown() {
  sources_.clear();
  if (service_) core().ReleaseInstance(nullptr, service_);
  StartedCore::TearDown();
}

std::u16string LoopbackAudio::BankPath() const { return (folder_.path() / "audio" / "tesk.bank").u16string(); }
std::u16string LoopbackAudio::FolderPath() const { return (folder_.path() / "audio").u16string() + u"/"; }

void LoopbackAudio::LoadSounds(const std::vector<BankSound>& sounds) {
  std::vector<kivo::audio::BankEntry> entries;
  for (const BankSound& sound : sounds) {
    WriteFile(folder_.path() / "audio" / sound.file,
              std::string_view(reinterpret_cast<const char*>(sound.bytes.data()), sound.bytes.size()));
    entries.push_back({sound.name, sound.file, sound.channels});
  }
  const std::vector<uint8_t> bank = kivo::audio::WriteSoundBank(entries);
  WriteFile(folder_.path() / "audio" / "tesk.bank",
            std::string_view(reinterpret_cast<const char*>(bank.data()), bank.size()));
  ASSERT_TRUE(audio::LoadBank(service_, BankPath().c_str(), FolderPath().c_str()));
}

RTAudioBuffer* LoopbackAudio::Buffer(const char16_t* name) {
  RTAudioBuffer* buffer = nullptr;
  EXPECT_TRUE(audio::GetBuffer(service_, name, 0, 0, &buffer));
  return buffer;
}

RTInstance LoopbackAudio::NewSource() {
  kivo::InstanceRef made;
  EXPECT_TRUE(core().CreateInstanceByString(nullptr, source::kClassName, made.out(), 0, 1));
  sources_.push_back(std::move(made));
  return sources_.back().get();
}

std::vector<float> LoopbackAudio::Render(uint32_t frames) {
  std::vector<float> mix(size_t{frames} * 2);
  EXPECT_TRUE(audio::RenderLoopback(service_, frames, mix.data()));
  return mix;
}

uint32_t LoopbackAudio::State(RTInstance source) {
  uint32_t state = 99;
  EXPECT_TRUE(source::GetSourceState(source, &state));
  return state;
}

}  // namespace tesk::testing
