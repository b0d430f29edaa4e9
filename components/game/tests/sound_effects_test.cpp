// The game's sound effects over the audio service on the loopback device: voices, the buffer
// registry, fades in audio time (the fixture's manual clock), the area-of-interest test, the
// script methods' no-sound names, the bank's path, and the voices' save section.
#include "sound_effects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"
#include "sound_levels.h"
#include "tesk/game_slots.h"

namespace {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;
namespace game = tesk::game;
using gametest::Cell;
using ::testing::HasSubstr;

constexpr uint32_t kRate = audio::kLoopbackRate;

Cell Vector(RTFVector3D* at) {
  Cell cell{};
  cell.type = 8;  // vector3
  cell.value.vector = at;
  return cell;
}

class SoundEffects : public gametest::AudioGame {
 protected:
  void SetUp() override {
    AudioGame::SetUp();
    for (const char16_t* name : {u"tone", u"high"}) ASSERT_EQ(AddBuffer(name), 1);
  }

  int32_t AddBuffer(const char16_t* name) {
    Cell result = NumberCell(77);
    CallScript(game::kSFXAddBuffer, {Text(name), NumberCell(0)}, &result);
    return result.value.number;
  }
  int32_t Play(const char16_t* name, bool loop = true, float volume = 1.0f) {
    Cell result = NumberCell(77);
    EXPECT_TRUE(CallScript(game::kSFXPlay, {Text(name), RealCell(volume), Flag(loop)}, &result));
    return result.value.number;
  }
  int32_t PlayAt(const char16_t* name, RTFVector3D at) {
    Cell result = NumberCell(77);
    EXPECT_TRUE(CallScript(game::kSFXPlayAtPosition, {Text(name), RealCell(1.0f), Vector(&at), Flag(true)}, &result));
    return result.value.number;
  }
  uint32_t State(int32_t voice) {
    uint32_t state = 99;
    source::GetSourceState(record().sfxVoices[voice].source, &state);
    return state;
  }
  RTAudioBuffer* BufferOf(int32_t voice) {
    RTAudioBuffer* buffer = nullptr;
    source::GetBuffer(record().sfxVoices[voice].source, &buffer);
    return buffer;
  }
  std::string Section() {
    kivo::InstanceRef stream;
    EXPECT_TRUE(kivo::memory_stream::Create(stream.out()));
    EXPECT_TRUE(game::SFXStreamOut(record(), stream.get()));
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    kivo::stream::GetSize(stream.get(), &size);
    kivo::memory_stream::GetBuffer(stream.get(), &data);
    return std::string(reinterpret_cast<const char*>(data), size);
  }
  // Reads the bytes with the reader; the stream's position after it in `at`.
  RTSuccess ReadSection(const std::string& bytes, bool versioned = true, uint32_t* at = nullptr) {
    kivo::InstanceRef stream;
    EXPECT_TRUE(kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()));
    const RTSuccess read =
        versioned ? game::SFXStreamIn(record(), stream.get()) : game::SFXStreamInUnversioned(record(), stream.get());
    if (at) kivo::stream::GetPosition(stream.get(), at);
    return read;
  }

};

TEST_F(SoundEffects, TheThirtyThirdSoundIsDroppedAndTheOthersPlayOn) {
  for (int32_t i = 0; i < 32; ++i) ASSERT_EQ(Play(i % 2 ? u"high" : u"tone"), i);
  EXPECT_EQ(Play(u"tone"), -1);
  for (int32_t i = 0; i < 32; ++i) {
    EXPECT_EQ(State(i), source::kPlaying) << i;
    EXPECT_EQ(BufferOf(i), BufferOf(i % 2)) << i;
  }
}

TEST_F(SoundEffects, ANameRegisteredTwicePlaysTheLaterBuffer) {
  const auto later = folder_.path() / "later";
  WriteBank(later, {{u"tone", "tone.wav", 1000.0}});
  const std::u16string folder = later.u16string() + u"/";
  ASSERT_TRUE(audio::LoadBank(service_.get(), (folder + u"tesk.bank").c_str(), folder.c_str()));
  ASSERT_EQ(AddBuffer(u"tone"), 1);
  Play(u"tone");
  Render(2048);
  EXPECT_NEAR(tesk::testing::Frequency(Render(kRate / 2), kRate), 1000.0, 10.0);
  EXPECT_EQ(record().sfxBufferList->count, 3u) << "entries are never removed";
}

TEST_F(SoundEffects, StopFadesAndStopsAtTheEndOnly) {
  const int32_t voice = Play(u"tone");
  game::SfxVoice& v = record().sfxVoices[voice];
  Cell ignored = NumberCell(5);
  CallScript(game::kSFXStop, {NumberCell(-1), RealCell(0.0f)}, &ignored);
  game::SFXUpdateFades(record());
  EXPECT_EQ(v.volume, 1.0f) << "voice -1 changes nothing";
  EXPECT_EQ(State(voice), source::kPlaying);

  CallScript(game::kSFXStop, {NumberCell(voice), RealCell(2.0f)}, &ignored);
  for (const auto& [ms, volume] : {std::pair{500, 0.75f}, std::pair{500, 0.5f}, std::pair{500, 0.25f}}) {
    AdvanceMs(ms);
    game::SFXUpdateFades(record());
    EXPECT_NEAR(v.volume, volume, 1e-3);
    EXPECT_EQ(State(voice), source::kPlaying);
  }
  AdvanceMs(499);
  game::SFXUpdateFades(record());
  EXPECT_EQ(State(voice), source::kPlaying) << "not before the fade's end";
  AdvanceMs(1);
  game::SFXUpdateFades(record());
  EXPECT_EQ(State(voice), source::kStopped);
  EXPECT_EQ(v.volume, 0.0f);

  const int32_t quick = Play(u"tone");
  CallScript(game::kSFXStop, {NumberCell(quick), RealCell(0.0f)}, &ignored);
  game::SFXUpdateFades(record());  // the clock has not moved: 0/0 without the mend
  EXPECT_EQ(State(quick), source::kStopped);
  EXPECT_EQ(record().sfxVoices[quick].volume, 0.0f);
}

TEST_F(SoundEffects, AFadeTowardsAnAudibleVolumeNeverStops) {
  const int32_t voice = Play(u"tone");
  game::SfxVoice& v = record().sfxVoices[voice];
  v.fadeStart = game::AudioTime();
  v.fadeFrom = 1.0f;
  v.fadeTarget = 0.5f;
  v.fadeDuration = 1.0f;
  AdvanceMs(3000);
  game::SFXUpdateFades(record());
  EXPECT_EQ(v.volume, 0.5f);
  EXPECT_EQ(State(voice), source::kPlaying);
}

TEST_F(SoundEffects, StopOutsideTheVoicesChangesNothing) {
  const int32_t voice = Play(u"tone");
  for (int32_t index : {32, -2, -1, 1000}) EXPECT_EQ(game::StopSound(record(), index, 1.0f), kRTFailure) << index;
  EXPECT_EQ(record().sfxVoices[voice].fadeTarget, 1.0f);
  EXPECT_EQ(game::StopSound(record(), voice, 1.0f), kRTSuccess);
}

TEST_F(SoundEffects, PositionsBeyondTheAreaOfInterestAreNotHeard) {
  RTTeskActorWrapper player{};
  player.Frame.m[3][0] = 5.0f;
  player.Frame.m[3][2] = 3.5f;
  record().firstActor = &player;
  record().tuning.aoiRadiusSquared = 1.5f * 1.5f;
  EXPECT_EQ(PlayAt(u"tone", {6.5f, 0.0f, 3.5f, 0.0f}), 0) << "exactly on the radius plays, on voice 0";
  EXPECT_EQ(State(0), source::kPlaying);
  EXPECT_EQ(PlayAt(u"tone", {5.0f + 1.5f * 1.0001f, 0.0f, 3.5f, 0.0f}), 0);
  EXPECT_EQ(State(1), source::kStopped) << "nothing played";
  record().firstActor = nullptr;
  EXPECT_EQ(PlayAt(u"tone", {100.0f, 0.0f, 0.0f, 0.0f}), 1) << "no player: no radius test";
}

TEST_F(SoundEffects, NoSoundNamesLeaveTheResultCell) {
  RTFVector3D at{};
  for (const char16_t* name : {u"", u"-1"}) {
    for (varno::NativeMethodSlot slot : {game::kSFXAddBuffer, game::kSFXPlay, game::kSFXPlayAtPosition}) {
      Cell result = NumberCell(77);
      EXPECT_TRUE(CallScript(slot, {Text(name), RealCell(1.0f), Vector(&at), Flag(false)}, &result));
      EXPECT_EQ(result.value.number, 77);
      Cell none = NumberCell(77);
      EXPECT_TRUE(CallScript(slot, {}, &none));
      EXPECT_EQ(none.value.number, 77);
    }
  }
  EXPECT_EQ(record().sfxBufferList->count, 2u);
  EXPECT_EQ(State(0), source::kStopped);
}

TEST_F(SoundEffects, UnknownNamesAreReportedAndPlayNothing) {
  EXPECT_EQ(AddBuffer(u"none"), 0);
  EXPECT_EQ(Logged("RTTeskGame::SFXAddBuffer(): Unable to get the buffer instance (none)."), 1u);
  EXPECT_EQ(Play(u"TONE"), -1) << "lookups are case-sensitive";
  EXPECT_EQ(Logged("RTTeskGame::SFXGetBufferByName(): Unable to find the buffer (TONE) in the hash table."), 1u);
}

TEST_F(SoundEffects, ABankPathTooLongLoadsNoBank) {
  const std::u16string root(520, u'a');
  kivo::ModuleCore()->ArrayFree(nullptr, record().dataRoot);
  ASSERT_TRUE(kivo::WideStrDup(root.c_str(), &record().dataRoot));
  EXPECT_TRUE(game::SFXStartup(game()));
  EXPECT_EQ(Logged("RTTeskGame::SFXStartup(): the data root is too long for the sound bank's path; no bank is loaded"),
            1u);
  EXPECT_EQ(Logged("RTFMODAudioService::LoadBank()"), 0u) << "no cut path is tried";
  const std::u16string longName(500, u'n');
  EXPECT_EQ(AddBuffer(longName.c_str()), 0);
  EXPECT_EQ(Logged("RTTeskGame::SFXAddBuffer(): the buffer name is too long for its path; nothing is registered"), 1u);
}

TEST_F(SoundEffects, WithoutADataRootTheBankComesFromTheFixedPath) {
  tesk::testing::TempDir drive;
  setenv("TESK_DRIVE_C", drive.path().c_str(), 1);
  WriteBank(drive.path() / "usr/brellin/audio", {{u"fallback", "f.wav", 300.0}});
  kivo::ModuleCore()->ArrayFree(nullptr, record().dataRoot);
  record().dataRoot = nullptr;
  ASSERT_TRUE(game::SFXStartup(game()));
  EXPECT_EQ(AddBuffer(u"fallback"), 1);
  unsetenv("TESK_DRIVE_C");
}

TEST_F(SoundEffects, TheVoiceSectionReadsBackByteForByte) {
  Play(u"tone");
  const int32_t fading = Play(u"high");
  game::StopSound(record(), fading, 2.0f);
  record().sfxVoices[fading].reserved = 7;
  Render(4096);
  const std::string written = Section();
  game::SFXStopAll(record());
  ASSERT_TRUE(ReadSection(written));
  EXPECT_EQ(Logged("RTTeskGame::SFXStreamIn(): Success."), 1u);
  EXPECT_EQ(State(fading), source::kPlaying);
  EXPECT_EQ(Section(), written);
  EXPECT_EQ(Logged("RTTeskGame::SFXStreamOut(): Success."), 2u);

  std::string newer = written;
  newer[0] = 2;
  EXPECT_FALSE(ReadSection(newer));
  EXPECT_EQ(Logged("RTTeskGame::SFXStreamIn(): Unknown version."), 1u);
  EXPECT_TRUE(ReadSection(written.substr(8), false)) << "the unversioned form: 32 records, no header";
  EXPECT_EQ(Section(), written);
}

TEST_F(SoundEffects, ACutSectionChangesNoVoice) {
  Play(u"tone");
  const std::string written = Section();
  game::SFXStopAll(record());
  const std::string stopped = Section();
  for (size_t cut = 0; cut < written.size(); cut += cut < 64 ? 1 : 37) {
    EXPECT_FALSE(ReadSection(written.substr(0, cut))) << cut;
    ASSERT_EQ(Section(), stopped) << "cut at " << cut;
  }
}

TEST_F(SoundEffects, ASavedCountAbove32ReadsTheExtrasAndTheNextSectionRight) {
  Play(u"tone");
  std::string written = Section();
  const std::string record32 = written.substr(written.size() - (written.size() - 8) / 32);
  std::string forty = written;
  forty[4] = 40;
  for (int i = 0; i < 8; ++i) forty += record32;
  forty += "NEXT";
  game::SFXStopAll(record());
  uint32_t at = 0;
  ASSERT_TRUE(ReadSection(forty, true, &at));
  EXPECT_EQ(at, forty.size() - 4) << "the next section starts after the extras";
  EXPECT_EQ(Section(), written);
}

TEST_F(SoundEffects, PlayingAndStoppingKeepsTheLiveBlocksFlat) {
  Cell ignored = NumberCell(0);
  const auto before = MemoryStats();
  for (int i = 0; i < 10000; ++i) {
    const int32_t voice = Play(u"tone", false);
    CallScript(game::kSFXStop, {NumberCell(voice), RealCell(0.0f)}, &ignored);
    game::SFXUpdateFades(record());
  }
  EXPECT_EQ(MemoryStats().first, before.first);
}

}  // namespace
