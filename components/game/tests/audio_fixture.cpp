#include "audio_fixture.h"

#include <gtest/gtest.h>

#include "bank/sound_bank.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/wide_string.h"
#include "platform/clock.h"
#include "sound_effects.h"
#include "sound_encoder.h"
#include "sound_levels.h"

namespace gametest {

namespace audio = kivo::audio_service;

std::vector<AudioGame::Sound> AudioGame::Sounds() const {
  return {
      {u"tone", "tone.wav", 200.0},      {u"high", "high.wav", 2000.0},     {u"voice", "voice.wav", 500.0},
      {u"speech", "speech.wav", 1500.0}, {u"shrill", "shrill.wav", 6000.0}, {u"titlescreen_mix2", "title.wav", 250.0},
      {u"MUSIC_B", "b.wav", 300.0},      {u"MUSIC_C", "c.wav", 400.0},      {u"ENV_A", "a.wav", 600.0},
      {u"ENV_B", "env_b.wav", 700.0},    {u"ENV_C", "env_c.wav", 800.0}};
}

void AudioGame::SetUp() {
  GameTest::SetUp();
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, audio::kClassName, service_.out(), 1, nullptr));
  ASSERT_TRUE(audio::OpenLoopbackDevice(service_.get()));
  WriteBank(folder_.path() / "audio", Sounds());
  const std::u16string root = folder_.path().u16string() + u"/";
  ASSERT_TRUE(kivo::WideStrDup(root.c_str(), &record().dataRoot));
  ASSERT_TRUE(tesk::game::SFXStartup(game()));
  record().listenerGain = {1.0f, 1.0f, 1.0f, 0.0f, 1.0f};  // the master gain settled at 1
}

void AudioGame::TearDown() {
  record().firstActor = nullptr;
  service_.Reset();
  GameTest::TearDown();
}

void AudioGame::WriteBank(const std::filesystem::path& folder, const std::vector<Sound>& sounds) {
  std::vector<kivo::audio::BankEntry> entries;
  for (const Sound& sound : sounds) {
    const std::vector<uint8_t> wav =
        kivo::audio::WavImage(tesk::testing::Tone(sound.hertz, 1.0, audio::kLoopbackRate), 1, audio::kLoopbackRate);
    tesk::testing::WriteFile(folder / sound.file, std::string(wav.begin(), wav.end()));
    entries.push_back({sound.name, sound.file, 1});
  }
  const std::vector<uint8_t> bank = kivo::audio::WriteSoundBank(entries);
  tesk::testing::WriteFile(folder / "tesk.bank", std::string(bank.begin(), bank.end()));
}

std::vector<float> AudioGame::Render(uint32_t frames) {
  std::vector<float> mix(size_t{frames} * 2);
  EXPECT_TRUE(audio::RenderLoopback(service_.get(), frames, mix.data()));
  return mix;
}

void AudioGame::AdvanceMs(uint64_t ms) { platform::AdvanceClock(ms * 1'000'000); }

Cell AudioGame::Text(const char16_t* text) {
  Cell cell{};
  cell.type = varno::kTypeString;
  cell.value.text = const_cast<char16_t*>(text);
  return cell;
}

Cell AudioGame::Flag(bool on) {
  Cell cell{};
  cell.type = varno::kTypeBool;
  cell.value.word = on ? 1 : 0;
  return cell;
}

}  // namespace gametest
