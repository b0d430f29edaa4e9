// The master gain's ramps in audio time (the fixture's manual clock), speech on the speech source
// with everything else ducked while it plays (told apart by their tones in the loopback mix), and
// PlaySpeech's quiet cases, failures and registry use.
#include "speech.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio_fixture.h"
#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "music.h"
#include "sound_effects.h"
#include "sound_levels.h"
#include "tesk/game_slots.h"

namespace {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;
namespace game = tesk::game;
using gametest::Cell;

constexpr uint32_t kRate = audio::kLoopbackRate;

double Hermite(double t) { return 3.0 * t * t - 2.0 * t * t * t; }

class Speech : public gametest::AudioGame {
 protected:
  void SetUp() override {
    AudioGame::SetUp();
    game::MakeAudioSource(record().speechSource);
    ASSERT_NE(record().speechSource, nullptr);
  }

  float Gain() {
    Cell result = RealCell(-1.0f);
    EXPECT_TRUE(CallScript(game::kListenerGetGain, {}, &result));
    return result.value.real;
  }
  void SetGain(float gain) { ASSERT_TRUE(CallScript(game::kListenerSetGain, {RealCell(gain)})); }
  void Ramp(float target, float seconds) {
    ASSERT_TRUE(CallScript(game::kListenerSetGainLerp, {RealCell(target), RealCell(seconds)}));
  }
  void Process() { ASSERT_TRUE(CallScript(game::kProcessAudio)); }
  RTSuccess Say(const char16_t* name, bool effect = false) {
    return CallScript(game::kPlaySpeech, {Text(name), Flag(effect)});
  }
  int32_t Playing() {
    Cell result = NumberCell(77);
    EXPECT_TRUE(CallScript(game::kIsSpeechPlaying, {}, &result));
    return result.value.number;
  }
  uint32_t SpeechState() {
    uint32_t state = 99;
    source::GetSourceState(record().speechSource, &state);
    return state;
  }
  // A tenth of a second of the mix, after the mixer has ramped to any new level.
  std::vector<float> Listen() {
    Render(2048);
    return Render(kRate / 10);
  }
};

TEST_F(Speech, ARampFollowsTheHermiteCurveAndEndsExactlyOnItsTarget) {
  SetGain(0.2f);
  Ramp(1.0f, 2.0f);
  for (double t : {0.25, 0.5, 0.75}) {
    AdvanceMs(500);
    Process();
    EXPECT_NEAR(Gain(), 0.2 + 0.8 * Hermite(t), 1e-6) << t;
  }
  AdvanceMs(500);
  Process();
  EXPECT_EQ(Gain(), 1.0f);
  AdvanceMs(700);
  Process();
  EXPECT_EQ(Gain(), 1.0f);

  Ramp(0.2f, 2.0f);
  for (double t : {0.25, 0.5, 0.75}) {
    AdvanceMs(500);
    Process();
    EXPECT_NEAR(Gain(), 1.0 - 0.8 * Hermite(t), 1e-6) << "falling mirrors rising at " << t;
  }
  AdvanceMs(500);
  Process();
  EXPECT_EQ(Gain(), 0.2f);

  Ramp(1.0f, 2.0f);
  for (int ms = 0; ms < 2500; ms += 7) {
    AdvanceMs(7);
    Process();
    ASSERT_LE(Gain(), 1.0f) << ms;
  }
}

TEST_F(Speech, ARampOfNoLengthNeverMovesAndASetGainHoldsAtOnce) {
  SetGain(0.3f);
  Ramp(0.9f, 0.0f);
  for (int i = 0; i < 3; ++i) {
    AdvanceMs(1000);
    Process();
    EXPECT_EQ(Gain(), 0.3f);
  }
  SetGain(0.8f);
  EXPECT_EQ(Gain(), 0.8f);
  Process();
  EXPECT_EQ(Gain(), 0.8f) << "an update in the same millisecond keeps it";
  AdvanceMs(1);
  Process();
  EXPECT_EQ(Gain(), 0.8f);
}

// A 500 Hz voice and a 1500 Hz speech: while the speech plays the voice sounds at half and the
// speech at 1.5 times the full gain; the voice's full level returns at the update after a query
// found the speech over.
TEST_F(Speech, SpeechDucksEverythingElseUntilAQueryFindsItOver) {
  ASSERT_TRUE(game::SFXAddBuffer(record(), u"voice", u"Root:TeskAudio:voice", 0));
  game::PlaySoundByName(record(), u"voice", 1.0f, 1, nullptr);
  SetGain(1.0f);
  AdvanceMs(10);
  Process();
  // Both tones are alike in level and place, so the voice alone gives the full level of either.
  const double full = tesk::testing::ToneLevel(Listen(), 500.0, kRate);
  ASSERT_GT(full, 0.1);

  ASSERT_EQ(Say(u"speech"), kRTSuccess);
  Process();
  const std::vector<float> ducked = Listen();
  EXPECT_NEAR(tesk::testing::ToneLevel(ducked, 500.0, kRate), 0.5 * full, 0.02 * full);
  EXPECT_NEAR(tesk::testing::ToneLevel(ducked, 1500.0, kRate), 1.5 * full, 0.03 * full);
  EXPECT_EQ(record().speechLength, 1000u) << "the bank's length of the buffer";

  Render(kRate);  // the one-second speech ends
  Process();
  EXPECT_NEAR(tesk::testing::ToneLevel(Listen(), 500.0, kRate), 0.5 * full, 0.02 * full)
      << "still ducked: nothing has asked yet";
  EXPECT_EQ(Playing(), 0);
  Process();
  EXPECT_NEAR(tesk::testing::ToneLevel(Listen(), 500.0, kRate), full, 0.02 * full);
}

TEST_F(Speech, ASecondSpeechCutsInAtOnceAndTheEffectMuffles) {
  ASSERT_EQ(Say(u"speech"), kRTSuccess);
  Process();
  Listen();
  ASSERT_EQ(Say(u"shrill"), kRTSuccess);
  Process();
  const std::vector<float> cut = Listen();
  EXPECT_LT(tesk::testing::ToneLevel(cut, 1500.0, kRate), 0.01);
  const double plain = tesk::testing::ToneLevel(cut, 6000.0, kRate);
  EXPECT_GT(plain, 0.1);

  ASSERT_EQ(Say(u"shrill", true), kRTSuccess);
  Process();
  EXPECT_LT(tesk::testing::ToneLevel(Listen(), 6000.0, kRate), 0.6 * plain)
      << "the mode set before the buffer applies after Play";
  ASSERT_EQ(Say(u"shrill"), kRTSuccess);
  Process();
  EXPECT_NEAR(tesk::testing::ToneLevel(Listen(), 6000.0, kRate), plain, 0.05 * plain) << "untreated again";
}

TEST_F(Speech, PausedOrNoSoundNamesPlayNothing) {
  const uint32_t registered = record().sfxBufferList->count;
  for (uint32_t flag : {0u, 1u}) {
    record().paused = 1;
    record().speechPlaying = flag;
    ASSERT_EQ(Say(u"speech"), kRTSuccess);
    EXPECT_EQ(Playing(), static_cast<int32_t>(flag)) << "while paused the flag alone answers";
    EXPECT_EQ(SpeechState(), source::kStopped);
  }
  record().paused = 0;
  record().speechPlaying = 0;
  for (const char16_t* name : {u"", u"-1", u"-1"}) {
    ASSERT_EQ(Say(name), kRTSuccess);
    EXPECT_EQ(SpeechState(), source::kStopped);
  }
  ASSERT_TRUE(CallScript(game::kPlaySpeech));
  EXPECT_EQ(record().sfxBufferList->count, registered);
}

TEST_F(Speech, AnUnknownSpeechFailsAfterTwoMessages) {
  EXPECT_EQ(Say(u"nobody"), kRTFailure);
  const std::vector<std::string> lines = LogLines();
  const auto added = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("RTTeskGame::SFXAddBuffer(): Unable to get the buffer instance (nobody).") != std::string::npos;
  });
  ASSERT_NE(added, lines.end());
  ASSERT_NE(added + 1, lines.end());
  EXPECT_NE((added + 1)->find("RTTeskGame::PlaySpeech(): Unable to find the speech audio."), std::string::npos);
  EXPECT_EQ(Playing(), 0);
}

TEST_F(Speech, ASpeechPlayedAgainAddsNoRegistration) {
  const uint32_t before = record().sfxBufferList->count;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Say(u"speech"), kRTSuccess);
  EXPECT_EQ(record().sfxBufferList->count, before + 1);
  ASSERT_TRUE(game::SFXAddBuffer(record(), u"speech", u"elsewhere", 0));
  ASSERT_EQ(Say(u"speech"), kRTSuccess);
  EXPECT_EQ(record().sfxBufferList->count, before + 3) << "another path of the name registers again";
}

TEST_F(Speech, BeforeAnyEnvironmentSpeechDoesNothing) {
  game::Release(record().speechSource);
  const uint32_t before = record().sfxBufferList->count;
  ASSERT_EQ(Say(u"speech"), kRTSuccess);
  ASSERT_EQ(Say(u"nobody"), kRTSuccess);
  EXPECT_EQ(record().sfxBufferList->count, before);
  EXPECT_EQ(Playing(), 0);
  record().speechPlaying = 1;
  EXPECT_EQ(Playing(), 0) << "no source plays";
}

}  // namespace
