// What a listener hears of the sources: their states over the buffer's length, pausing, levels and
// the listener gain, placement in the world, play positions and the muffled mode. Levels are RMS
// after the mixer's gain ramps have settled.
#include <gtest/gtest.h>

#include "kivo/audio/audio_service_calls.h"
#include "loopback_fixture.h"
#include "sound_encoder.h"

namespace {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;
using tesk::testing::Rms;
using tesk::testing::Tone;

constexpr uint32_t kRate = audio::kLoopbackRate;
constexpr uint32_t kSettle = 4410;   // frames the mixer takes to reach a new gain
constexpr uint32_t kListen = 22050;  // frames a level is measured over

class Playback : public tesk::testing::LoopbackAudio {
 protected:
  void SetUp() override {
    LoopbackAudio::SetUp();
    LoadSounds({{u"tone", "tone.wav", kivo::audio::WavImage(Tone(441.0, 0.5, kRate), 1, kRate)},
                {u"high", "high.wav", kivo::audio::WavImage(Tone(6000.0, 1.0, kRate), 1, kRate)},
                {u"low", "low.wav", kivo::audio::WavImage(Tone(200.0, 1.0, kRate), 1, kRate)}});
  }
  // A source playing the named buffer looped, listener-relative at the listener.
  RTInstance Looping(const char16_t* name) {
    RTInstance voice = NewSource();
    source::SetBuffer(voice, Buffer(name));
    source::SetLooping(voice, 1);
    source::SetRelative(voice, 1);
    source::Play(voice);
    return voice;
  }
  double Level(int channel = -1) {
    Render(kSettle);
    return Rms(Render(kListen), channel);
  }
};

TEST_F(Playback, PlaysToTheBuffersEndAndLoopsOnWhenLooping) {
  RTInstance once = NewSource();
  source::SetBuffer(once, Buffer(u"tone"));
  RTInstance looped = Looping(u"TONE");
  EXPECT_TRUE(source::Play(once));
  EXPECT_EQ(State(once), source::kPlaying);
  Render(kRate / 2 + 1024);
  EXPECT_EQ(State(once), source::kStopped);
  Render(kRate);
  EXPECT_EQ(State(looped), source::kPlaying) << "three lengths on";
}

TEST_F(Playback, PauseHoldsThePositionAndPlayResumesThere) {
  RTInstance voice = Looping(u"tone");
  Render(8000);
  source::PauseSource(voice);
  EXPECT_EQ(State(voice), source::kPaused);
  uint32_t paused = 0;
  source::GetPlayPosition(voice, &paused);
  Render(5000);
  uint32_t still = 0;
  source::GetPlayPosition(voice, &still);
  EXPECT_EQ(still, paused);
  EXPECT_GT(paused, 7000u);
  source::Play(voice);
  EXPECT_EQ(State(voice), source::kPlaying);
  Render(1000);
  uint32_t resumed = 0;
  source::GetPlayPosition(voice, &resumed);
  EXPECT_NEAR(static_cast<double>(resumed), paused + 1000.0, 1024.0) << "the phase goes on from the pause";
}

TEST_F(Playback, VolumesScaleTheLevelAndTheListenerGainAllButAGainedSource) {
  RTInstance voice = Looping(u"tone");
  const double full = Level();
  ASSERT_GT(full, 0.1);
  for (float volume : {0.5f, 0.25f}) {
    source::SetVolume(voice, volume);
    EXPECT_NEAR(Level() / full, volume, 0.01 * volume) << volume;
  }
  source::SetVolume(voice, 1.0f);
  audio::SetListenerGain(service_, 0.5f);
  audio::Update(service_);
  EXPECT_NEAR(Level() / full, 0.5, 0.005);
  source::SetGain(voice, 1.0f);
  EXPECT_NEAR(Level() / full, 1.0, 0.01) << "a SetGain source ignores the listener gain";
  source::SetGain(voice, 2.0f);
  EXPECT_NEAR(Level() / full, 2.0, 0.02) << "levels above 1";
}

TEST_F(Playback, AWorldSourceIsHeardFromItsSideAndFadesWithDistance) {
  RTInstance voice = Looping(u"tone");
  source::SetRelative(voice, 0);
  const RTFVector3D near = {2.0f, 0.0f, 0.0f, 0.0f};
  source::SetPosition(voice, &near);
  Render(kSettle);
  const std::vector<float> mix = Render(kListen);
  const double right = Rms(mix, 1);
  EXPECT_GT(right, 2.0 * Rms(mix, 0)) << "the listener faces -z: +x is to the right";
  const RTFVector3D far = {8.0f, 0.0f, 0.0f, 0.0f};
  source::SetPosition(voice, &far);
  EXPECT_NEAR(right / Level(1), 4.0, 0.2);
}

TEST_F(Playback, PlayPositionsCountFramesAndASetPositionHoldsForTheNextPlay) {
  RTInstance voice = NewSource();
  source::SetBuffer(voice, Buffer(u"high"));
  source::Play(voice);
  Render(22050);
  uint32_t position = 0;
  source::GetPlayPosition(voice, &position);
  EXPECT_NEAR(static_cast<double>(position), 22050.0, 1024.0);
  source::StopSource(voice);
  EXPECT_TRUE(source::SetPlayPosition(voice, 30000));
  source::Play(voice);
  Render(2000);
  source::GetPlayPosition(voice, &position);
  EXPECT_NEAR(static_cast<double>(position), 32000.0, 1024.0);
}

TEST_F(Playback, TheMuffledModeLowersAHighToneAndLeavesALowOne) {
  for (const auto& [name, lowered] : {std::pair{u"high", true}, std::pair{u"low", false}}) {
    RTInstance voice = Looping(name);
    const double plain = Level();
    source::SetMode(voice, source::kModeMuffled);
    EXPECT_TRUE(source::ApplyMode(voice));
    const double muffled = Level();
    if (lowered)
      EXPECT_LT(muffled, 0.6 * plain);
    else
      EXPECT_GT(muffled, 0.9 * plain);
    source::SetBuffer(voice, Buffer(name));  // takes the treatment off
    source::Play(voice);
    EXPECT_NEAR(Level() / plain, 1.0, 0.02) << "a new buffer plays untreated";
    EXPECT_TRUE(source::ApplyMode(voice));
    if (lowered) {
      EXPECT_LT(Level(), 0.6 * plain) << "the mode set before the buffer still applies";
    }
    source::StopSource(voice);
  }
}

TEST_F(Playback, SetBufferCutsInOnAPlayingSourceAndNullDetaches) {
  RTInstance voice = Looping(u"tone");
  Render(1000);
  EXPECT_TRUE(source::SetBuffer(voice, Buffer(u"low")));
  EXPECT_EQ(State(voice), source::kStopped);
  RTAudioBuffer* held = nullptr;
  source::GetBuffer(voice, &held);
  EXPECT_EQ(held, Buffer(u"low"));
  EXPECT_TRUE(source::SetBuffer(voice, nullptr));
  source::GetBuffer(voice, &held);
  EXPECT_EQ(held, nullptr);
}

}  // namespace
