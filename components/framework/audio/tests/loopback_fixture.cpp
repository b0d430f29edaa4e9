#include "loopback_fixture.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "host/temp_dir.h"

namespace tesk::testing {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;

std::vector<int16_t> Tone(double hertz, double seconds, uint32_t rate, uint32_t channels, double amplitude) {
  const auto frames = static_cast<size_t>(seconds * rate + 0.5);
  std::vector<int16_t> samples;
  samples.reserve(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    const double value = amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / rate);
    for (uint32_t c = 0; c < channels; ++c) samples.push_back(static_cast<int16_t>(std::lround(value * 32767.0)));
  }
  return samples;
}

double Rms(const std::vector<float>& mix, int channel) {
  double sum = 0.0;
  size_t count = 0;
  for (size_t i = 0; i < mix.size(); ++i) {
    if (channel >= 0 && static_cast<int>(i % 2) != channel) continue;
    sum += double{mix[i]} * mix[i];
    ++count;
  }
  return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

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

std::u16string LoopbackAudio::BankPath() const {
  return (folder_.path() / "audio" / "tesk.bank").u16string();
}
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
