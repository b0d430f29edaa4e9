// The music's three layers (fades by target and by mask, starting and stopping by themselves, the
// music gain, the pause tune, the layer's buffer), the ambience's cross-fades on two channels, and
// the music's save section, over the loopback device in audio time (the fixture's manual clock).
#include "music.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio_fixture.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/slots.h"
#include "kivo/support/stream_calls.h"
#include "sound_effects.h"
#include "sound_levels.h"
#include "speech.h"
#include "tesk/game_slots.h"

namespace {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;
namespace game = tesk::game;
using gametest::Cell;

constexpr uint32_t kRate = audio::kLoopbackRate;

class Music : public gametest::AudioGame {
 protected:
  void SetUp() override {
    AudioGame::SetUp();
    ASSERT_TRUE(game::MusicStartup(record()));
    ASSERT_TRUE(game::AmbientStartup(record()));
    for (const char16_t* name : {u"MUSIC_B", u"MUSIC_C", u"ENV_A", u"ENV_B", u"ENV_C"})
      ASSERT_TRUE(game::SFXAddBuffer(record(), name, name, 0));
    const char16_t* layers[] = {u"titlescreen_mix2", u"MUSIC_B", u"MUSIC_C"};
    for (int32_t layer = 0; layer < 3; ++layer) SetLayer(layer, layers[layer]);
  }

  game::MusicState& music() { return record().music; }
  game::AmbienceState& ambience() { return record().library->ambience; }
  void SetLayer(int32_t layer, const char16_t* name) {
    ASSERT_TRUE(CallScript(game::kMusicSetSourceBuffer, {NumberCell(layer), Text(name)}));
  }
  void Transition(float a, float b, float c, float seconds) {
    ASSERT_TRUE(CallScript(game::kMusicTransition, {RealCell(a), RealCell(b), RealCell(c), RealCell(seconds)}));
  }
  void ToSource(uint32_t mask, float volume, float seconds) {
    ASSERT_TRUE(CallScript(game::kMusicTransitionToSource,
                           {NumberCell(static_cast<int32_t>(mask)), RealCell(volume), RealCell(seconds)}));
  }
  void Ambient(const char16_t* name, float volume, float seconds) {
    Cell result = NumberCell(77);
    ASSERT_TRUE(
        CallScript(game::kAmbientTransitionToBufferVarno, {Text(name), RealCell(volume), RealCell(seconds)}, &result));
    EXPECT_EQ(result.value.number, 1);
  }
  void Update() { game::UpdateAudio(record()); }
  int32_t CanStop() {
    Cell result = NumberCell(77);
    EXPECT_TRUE(CallScript(game::kMusicCanStop, {}, &result));
    return result.value.number;
  }
  static uint32_t State(RTInstance of) {
    uint32_t state = 99;
    source::GetSourceState(of, &state);
    return state;
  }
  static RTAudioBuffer* BufferOf(RTInstance of) {
    RTAudioBuffer* buffer = nullptr;
    source::GetBuffer(of, &buffer);
    return buffer;
  }
  RTAudioBuffer* Named(const char16_t* name) {
    RTAudioBuffer* buffer = nullptr;
    EXPECT_TRUE(game::SFXGetBufferByName(record(), name, &buffer));
    return buffer;
  }
  std::string Section() {
    kivo::InstanceRef stream;
    EXPECT_TRUE(kivo::memory_stream::Create(stream.out()));
    EXPECT_TRUE(game::MusicStreamOut(record(), stream.get()));
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    kivo::stream::GetSize(stream.get(), &size);
    kivo::memory_stream::GetBuffer(stream.get(), &data);
    return std::string(reinterpret_cast<const char*>(data), size);
  }
  RTSuccess ReadSection(const std::string& bytes) {
    kivo::InstanceRef stream;
    EXPECT_TRUE(kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()));
    return game::MusicStreamIn(record(), stream.get());
  }
};

TEST_F(Music, AMaskFadesItsLayersInAndTheMusicStartsAtTheNextUpdate) {
  ToSource(5, 0.8f, 2.0f);
  const float targets[] = {0.8f, 0.0f, 0.8f};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(music().layers[i].fadeTarget, targets[i]) << i;
    EXPECT_EQ(State(music().layers[i].source), source::kStopped) << i;
  }
  Update();
  for (const game::SfxVoice& layer : music().layers) EXPECT_EQ(State(layer.source), source::kPlaying);
  AdvanceMs(1000);
  Update();
  EXPECT_NEAR(music().layers[0].volume, 0.4f, 1e-5);
  EXPECT_EQ(music().layers[1].volume, 0.0f);
  EXPECT_NEAR(music().layers[2].volume, 0.4f, 1e-5);
  AdvanceMs(1000);
  Update();
  EXPECT_EQ(music().layers[0].volume, 0.8f);
  EXPECT_EQ(CanStop(), 0);
}

TEST_F(Music, ASilentFadeStopsTheMusicAtItsEndAndMusicStartAndStopChangeNothing) {
  ToSource(7, 0.5f, 0.0f);
  Update();
  Update();
  ASSERT_EQ(music().layers[1].volume, 0.5f);
  Transition(0.0f, 0.0f, 0.0f, 1.0f);
  for (varno::NativeMethodSlot slot : {game::kMusicStart, game::kMusicStop}) ASSERT_TRUE(CallScript(slot));
  AdvanceMs(990);
  Update();
  for (const game::SfxVoice& layer : music().layers) EXPECT_EQ(State(layer.source), source::kPlaying);
  EXPECT_EQ(CanStop(), 0);
  AdvanceMs(10);
  Update();
  for (const game::SfxVoice& layer : music().layers) EXPECT_EQ(State(layer.source), source::kStopped);
  EXPECT_EQ(CanStop(), 1);
  EXPECT_EQ(music().playing, 0u);
  for (varno::NativeMethodSlot slot : {game::kMusicStart, game::kMusicStop}) ASSERT_TRUE(CallScript(slot));
  EXPECT_EQ(State(music().layers[0].source), source::kStopped);
  EXPECT_EQ(CanStop(), 1);
}

TEST_F(Music, ANewMusicGainReachesThePlayingLayersAtTheNextUpdate) {
  ToSource(1, 1.0f, 0.0f);
  Update();
  Update();
  const double full = tesk::testing::ToneLevel(Render(kRate / 10), 250.0, kRate);
  ASSERT_GT(full, 0.1);
  music().gain = 0.5f;
  EXPECT_NEAR(tesk::testing::ToneLevel(Render(kRate / 10), 250.0, kRate), full, 0.02 * full);
  Update();
  Render(2048);  // the mixer ramps to the new level
  EXPECT_NEAR(tesk::testing::ToneLevel(Render(kRate / 10), 250.0, kRate), 0.5 * full, 0.02 * full);
}

TEST_F(Music, ThePauseTuneWaitsOnItsOwnSourceOrIsReported) {
  EXPECT_EQ(music().pauseBuffer, Named(u"titlescreen_mix2"));
  EXPECT_EQ(BufferOf(music().pauseSource), music().pauseBuffer);
  EXPECT_EQ(State(music().pauseSource), source::kStopped);
  EXPECT_EQ(Logged("RTTeskGame::MusicStartup(): Unable to find the PAUSE buffer specified."), 0u);

  source::Play(music().pauseSource);
  const double held = tesk::testing::ToneLevel(Render(kRate / 10), 250.0, kRate);
  source::StopSource(music().pauseSource);
  ToSource(1, 1.0f, 0.0f);
  Update();
  Update();
  EXPECT_NEAR(held, 0.5 * tesk::testing::ToneLevel(Render(kRate / 10), 250.0, kRate), 0.01) << "held at 0.5";
}

class MusicWithoutTheTune : public gametest::AudioGame {
 protected:
  std::vector<Sound> Sounds() const override { return {{u"tone", "tone.wav", 200.0}}; }
};

TEST_F(MusicWithoutTheTune, StartUpReportsThePauseTuneMissing) {
  ASSERT_TRUE(game::MusicStartup(record()));
  EXPECT_EQ(Logged("RTTeskGame::SFXAddBuffer(): Unable to get the buffer instance (titlescreen_mix2)."), 1u);
  EXPECT_EQ(Logged("RTTeskGame::MusicStartup(): Unable to find the PAUSE buffer specified."), 1u);
  EXPECT_EQ(record().music.pauseBuffer, nullptr);
  for (const tesk::game::SfxVoice& layer : record().music.layers) EXPECT_NE(layer.source, nullptr);
}

TEST_F(Music, ALayerTakesOnlyAKnownBufferAtAnIndexOfItsOwn) {
  RTAudioBuffer* before[3] = {};
  for (int i = 0; i < 3; ++i) before[i] = BufferOf(music().layers[i].source);
  SetLayer(1, u"nowhere");
  const std::vector<std::string> lines = LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NE(lines[lines.size() - 2].find("Unable to find the buffer (nowhere) in the hash table."), std::string::npos);
  EXPECT_NE(lines.back().find("RTTeskGame::MusicSetSourceBuffer(): Unable to find the buffer specified."),
            std::string::npos);
  for (int32_t layer : {3, -1}) SetLayer(layer, u"ENV_A");
  EXPECT_EQ(Logged("RTTeskGame::MusicSetSourceBuffer(): the layer index is outside 0 to 2; nothing changes."), 2u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(BufferOf(music().layers[i].source), before[i]) << i;

  ToSource(2, 1.0f, 0.0f);
  Update();
  ASSERT_EQ(State(music().layers[1].source), source::kPlaying);
  SetLayer(1, u"ENV_A");
  EXPECT_EQ(State(music().layers[1].source), source::kStopped) << "a playing layer stops for its new buffer";
  EXPECT_EQ(BufferOf(music().layers[1].source), Named(u"ENV_A"));
}

TEST_F(Music, FadesOfNoLengthEndAtTheNextUpdateWithFiniteVolumes) {
  Transition(0.3f, 0.6f, 0.9f, 0.0f);
  Update();
  Update();
  const float targets[] = {0.3f, 0.6f, 0.9f};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(music().layers[i].volume, targets[i]);
  Ambient(u"ENV_A", 0.7f, 0.0f);
  Update();
  EXPECT_EQ(ambience().channels[ambience().current].volume, 0.7f);
  for (const game::AmbientChannel& channel : ambience().channels) EXPECT_TRUE(std::isfinite(channel.volume));
}

// The ambience: A in; the same name again changes nothing; B cross-fades; C while B still fades in
// cuts A's channel (fading out) and takes it.
TEST_F(Music, AmbienceCrossFadesOnTwoChannels) {
  Ambient(u"ENV_A", 0.8f, 1.0f);
  const uint32_t a = ambience().current;
  EXPECT_EQ(BufferOf(ambience().channels[a].source), Named(u"ENV_A"));
  AdvanceMs(100);
  Update();
  EXPECT_EQ(State(ambience().channels[a].source), source::kStopped) << "not at the first update";
  AdvanceMs(100);
  Update();
  EXPECT_EQ(State(ambience().channels[a].source), source::kPlaying) << "at the second";
  AdvanceMs(800);
  Update();
  EXPECT_EQ(ambience().channels[a].volume, 0.8f);
  EXPECT_EQ(ambience().active, 0u);

  const game::AmbienceState settled = ambience();
  Ambient(u"ENV_A", 0.2f, 9.0f);
  EXPECT_EQ(ambience().current, settled.current);
  EXPECT_EQ(ambience().fadeDuration, settled.fadeDuration);
  EXPECT_EQ(ambience().channels[a].fadeTarget, 0.8f);
  EXPECT_EQ(ambience().active, 0u);

  Ambient(u"ENV_B", 0.8f, 1.0f);
  const uint32_t b = ambience().current;
  ASSERT_NE(b, a);
  for (int i = 0; i < 3; ++i) {
    AdvanceMs(100);
    Update();
  }
  ASSERT_EQ(State(ambience().channels[a].source), source::kPlaying) << "A still fades out";
  Ambient(u"ENV_C", 0.8f, 1.0f);
  EXPECT_EQ(ambience().current, a);
  EXPECT_EQ(State(ambience().channels[a].source), source::kStopped) << "cut off";
  EXPECT_EQ(BufferOf(ambience().channels[a].source), Named(u"ENV_C"));
  EXPECT_EQ(ambience().channels[b].fadeTarget, 0.0f);
}

TEST_F(Music, AnUnknownAmbienceSilencesTheCurrentOneWithinTheFadeUnderWay) {
  Ambient(u"ENV_A", 0.8f, 2.0f);
  AdvanceMs(1000);
  Update();
  const float start = ambience().fadeStart;
  const uint32_t a = ambience().current;
  Ambient(u"nowhere", 0.5f, 30.0f);
  EXPECT_EQ(ambience().fadeStart, start);
  EXPECT_EQ(ambience().fadeDuration, 2.0f);
  EXPECT_EQ(ambience().channels[a].fadeTarget, 0.0f);
  EXPECT_EQ(ambience().buffer, nullptr);
  AdvanceMs(1000);
  Update();
  EXPECT_EQ(ambience().channels[a].volume, 0.0f);
  EXPECT_EQ(State(ambience().channels[a].source), source::kStopped);
}

TEST_F(Music, AfterAStopTheOldAmbienceStaysOffAndANewOneCrossFades) {
  Ambient(u"ENV_A", 0.8f, 0.5f);
  for (int i = 0; i < 6; ++i) {
    AdvanceMs(100);
    Update();
  }
  const uint32_t a = ambience().current;
  ASSERT_EQ(State(ambience().channels[a].source), source::kPlaying);
  ASSERT_EQ(ambience().active, 0u) << "the fade is over";
  ASSERT_TRUE(game::AmbientStop(record()));
  Ambient(u"ENV_A", 0.8f, 0.5f);
  for (int i = 0; i < 3; ++i) {
    AdvanceMs(100);
    Update();
  }
  EXPECT_EQ(State(ambience().channels[a].source), source::kStopped);
  Ambient(u"ENV_B", 0.8f, 0.5f);
  for (int i = 0; i < 2; ++i) {
    AdvanceMs(100);
    Update();
  }
  EXPECT_EQ(State(ambience().channels[ambience().current].source), source::kPlaying);
}

// The episode's reset silences the music without stopping its sources and stops the ambience.
TEST_F(Music, TheResetSilencesTheMusicAndStopsTheAmbience) {
  ToSource(7, 0.5f, 0.0f);
  Ambient(u"ENV_A", 0.8f, 0.3f);
  for (int i = 0; i < 3; ++i) {
    AdvanceMs(100);
    Update();
  }
  const uint32_t a = ambience().current;
  ASSERT_EQ(State(ambience().channels[a].source), source::kPlaying);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kResetC));
  for (const game::SfxVoice& layer : music().layers) {
    EXPECT_EQ(layer.volume, 0.0f);
    EXPECT_EQ(layer.fadeTarget, 0.0f);
    EXPECT_EQ(State(layer.source), source::kPlaying);
  }
  EXPECT_EQ(music().playing, 0u);
  EXPECT_EQ(State(ambience().channels[a].source), source::kStopped);
}

TEST_F(Music, TheSectionReadsBackByteForByteAndACutOneChangesNothing) {
  ToSource(5, 0.8f, 2.0f);
  Update();
  AdvanceMs(500);
  Update();
  Render(4096);
  const std::string written = Section();
  ASSERT_TRUE(game::MusicReset(record()));
  game::MusicStopAll(record());
  const std::string reset = Section();
  ASSERT_NE(reset, written);
  for (size_t cut = 0; cut < written.size(); ++cut) {
    ASSERT_FALSE(ReadSection(written.substr(0, cut))) << cut << " of " << written.size();
    ASSERT_EQ(Section(), reset) << "cut at " << cut;
  }
  ASSERT_TRUE(ReadSection(written));
  EXPECT_EQ(Section(), written);
  EXPECT_EQ(State(music().layers[0].source), source::kPlaying);
}

}  // namespace
