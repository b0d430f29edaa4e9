// The sound bank and its buffers: the bank format's refusals, decoding WAV and Ogg to a length,
// damaged sound files, and buffers saved as references.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "loopback_fixture.h"
#include "sound_encoder.h"

namespace {

namespace audio = kivo::audio_service;
namespace info = kivo::audio_buffer_info;
using kivo::audio::BankEntry;
using tesk::testing::BankSound;
using tesk::testing::Tone;
using ::testing::HasSubstr;

std::vector<uint8_t> GoodBank() {
  const BankEntry entries[] = {{u"beep", "beep.wav", 1}, {u"Hum", "sub/hum.ogg", 2}};
  return kivo::audio::WriteSoundBank(entries);
}

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(SoundBank, ReadsWhatTheWriterWrites) {
  std::vector<BankEntry> read;
  std::string error;
  ASSERT_TRUE(kivo::audio::ReadSoundBank(GoodBank(), &read, &error)) << error;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1].name, u"Hum");
  EXPECT_EQ(read[1].file, "sub/hum.ogg");
  EXPECT_EQ(read[1].channels, 2);
}

TEST(SoundBank, RefusesDamagedBanksSayingWhatAndWhere) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"bad magic", [](auto& b) { b[0] = 'X'; }, "not a sound bank at byte 4"},
      {"version 2", [](auto& b) { PutU32At(b, 4, 2); }, "an unknown version at byte 8"},
      {"count beyond the bytes", [](auto& b) { PutU32At(b, 8, 1000); }, "more entries than the bytes left hold"},
      {"name length 0xFFFFFFFF", [](auto& b) { PutU32At(b, 12, 0xFFFFFFFF); }, "a name longer than the bytes left"},
      {"empty name", [](auto& b) { PutU32At(b, 12, 0); }, "an empty sound name at byte 16"},
      {"channels 3", [](auto& b) { b[12 + 4 + 8 + 4 + 8] = 3; }, "a channel count other than 1 or 2"},
      {"a name twice",
       [](auto& b) {
         const BankEntry twice[] = {{u"beep", "a.wav", 1}, {u"BEEP", "b.wav", 1}};
         b = kivo::audio::WriteSoundBank(twice);
       },
       "a sound name given twice"},
      {"trailing bytes", [](auto& b) { b.push_back(0); }, "bytes after the last entry"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = GoodBank();
    c.damage(bytes);
    std::vector<BankEntry> read = {{u"kept", "kept.wav", 1}};
    std::string error;
    EXPECT_FALSE(kivo::audio::ReadSoundBank(bytes, &read, &error)) << c.what;
    EXPECT_THAT(error, HasSubstr(c.message)) << c.what;
    EXPECT_EQ(read.size(), 1u) << c.what << ": the entries are untouched";
  }
  const std::vector<uint8_t> full = GoodBank();
  for (size_t cut = 0; cut < full.size(); ++cut) {
    std::vector<BankEntry> read;
    std::string error;
    EXPECT_FALSE(kivo::audio::ReadSoundBank(std::span(full).first(cut), &read, &error)) << "cut at " << cut;
    EXPECT_THAT(error, HasSubstr("at byte")) << cut;
  }
}

class Bank : public tesk::testing::LoopbackAudio {
 protected:
  uint32_t LengthOf(const char16_t* name) {
    RTAudioBuffer* buffer = Buffer(name);
    RTInstance made = nullptr;
    EXPECT_TRUE(audio::GetBufferInfo(service_, buffer, &made));
    uint32_t length = 0;
    EXPECT_TRUE(info::GetLength(made, &length));
    core().ReleaseInstance(nullptr, made);
    return length;
  }
  std::string Ogg(const std::vector<int16_t>& samples, uint32_t channels, uint32_t rate) {
    const auto file = folder_.path() / "made.ogg";
    std::string error;
    EXPECT_TRUE(kivo::audio::WriteOggVorbis(file, samples, channels, rate, &error)) << error;
    return tesk::testing::ReadFile(file);
  }
  static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
};

TEST_F(Bank, DecodesWavAndOggToTheirLengths) {
  const std::string ogg = Ogg(Tone(300.0, 0.75, 22050, 2), 2, 22050);
  LoadSounds({
      {u"w8m22", "w8m22.wav", kivo::audio::WavImage(Tone(300.0, 0.25, 22050), 1, 22050, 8)},
      {u"w16m44", "w16m44.wav", kivo::audio::WavImage(Tone(300.0, 1.5, 44100), 1, 44100)},
      {u"w16s22", "w16s22.wav", kivo::audio::WavImage(Tone(300.0, 0.4, 22050, 2), 2, 22050), 2},
      {u"w8s44", "w8s44.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 44100, 2), 2, 44100, 8), 2},
      {u"ogg", "ogg.ogg", Bytes(ogg), 2},
      {u"ogg_as_mono", "ogg2.ogg", Bytes(ogg), 1},
  });
  EXPECT_NEAR(LengthOf(u"w8m22"), 250, 1);
  EXPECT_NEAR(LengthOf(u"W16M44"), 1500, 1) << "names match ignoring case";
  EXPECT_NEAR(LengthOf(u"w16s22"), 400, 1);
  EXPECT_NEAR(LengthOf(u"w8s44"), 100, 1);
  EXPECT_NEAR(LengthOf(u"ogg"), 750, 1);
  EXPECT_NEAR(LengthOf(u"ogg_as_mono"), 750, 1);
  EXPECT_EQ(Buffer(u"ogg"), Buffer(u"OGG")) << "decoded once, the same buffer after";
}

TEST_F(Bank, ADamagedSoundFileNamesItselfAndMakesNoBuffer) {
  std::vector<uint8_t> cut = kivo::audio::WavImage(Tone(300.0, 0.5, 22050), 1, 22050);
  cut.resize(cut.size() / 2);
  std::vector<uint8_t> garbage(3000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  const std::string oggHead = "OggS";
  std::copy(oggHead.begin(), oggHead.end(), garbage.begin());
  LoadSounds({{u"good", "good.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 22050), 1, 22050)},
              {u"text", "text.wav", Bytes("just some words, no sound\n")},
              {u"cut", "cut.wav", cut},
              {u"garbage", "garbage.ogg", garbage}});
  std::filesystem::remove(folder_.path() / "audio" / "good.wav");
  LoadSounds({{u"good", "good.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 22050), 1, 22050)},
              {u"missing", "missing.wav", {}},
              {u"text", "text.wav", Bytes("just some words, no sound\n")},
              {u"cut", "cut.wav", cut},
              {u"garbage", "garbage.ogg", garbage}});
  std::filesystem::remove(folder_.path() / "audio" / "missing.wav");
  for (const auto& [name, file] : {std::pair{u"missing", "missing.wav"}, std::pair{u"text", "text.wav"},
                                   std::pair{u"cut", "cut.wav"}, std::pair{u"garbage", "garbage.ogg"}}) {
    RTAudioBuffer* buffer = nullptr;
    EXPECT_FALSE(audio::GetBuffer(service_, name, 0, 0, &buffer)) << file;
    EXPECT_EQ(buffer, nullptr) << file;
    EXPECT_THAT(host_.ErrorLog(), HasSubstr(std::string("audio/") + file + ": ")) << file;
    EXPECT_FALSE(audio::GetBuffer(service_, name, 0, 0, &buffer)) << file << ": still nothing made";
  }
  EXPECT_NEAR(LengthOf(u"good"), 100, 1) << "the service goes on";
}

TEST_F(Bank, ADamagedOrMissingBankIsReportedAndTheOldOneKept) {
  LoadSounds({{u"beep", "beep.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 22050), 1, 22050)}});
  std::vector<uint8_t> bank = GoodBank();
  PutU32At(bank, 4, 2);
  tesk::testing::WriteFile(folder_.path() / "audio" / "bad.bank",
                           std::string_view(reinterpret_cast<const char*>(bank.data()), bank.size()));
  const std::u16string bad = FolderPath() + u"bad.bank";
  EXPECT_FALSE(audio::LoadBank(service_, bad.c_str(), FolderPath().c_str()));
  EXPECT_THAT(host_.ErrorLog(), HasSubstr("RTFMODAudioService::LoadBank(): "));
  EXPECT_THAT(host_.ErrorLog(), HasSubstr("bad.bank: an unknown version at byte 8"));
  const std::u16string missing = FolderPath() + u"none.bank";
  EXPECT_FALSE(audio::LoadBank(service_, missing.c_str(), FolderPath().c_str()));
  EXPECT_THAT(host_.ErrorLog(), HasSubstr("none.bank cannot be read"));
  EXPECT_NEAR(LengthOf(u"beep"), 100, 1);
}

TEST_F(Bank, BufferReferencesRoundTripAndAnUnknownNameLoadsSilent) {
  LoadSounds({{u"beep", "beep.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 22050), 1, 22050)}});
  RTAudioBuffer* beep = Buffer(u"beep");
  kivo::InstanceRef stream;
  ASSERT_TRUE(kivo::memory_stream::Create(stream.out()));
  EXPECT_TRUE(audio::WriteBufferRef(service_, stream.get(), beep));
  EXPECT_TRUE(audio::WriteBufferRef(service_, stream.get(), nullptr));
  kivo::StreamWriteWString(stream.get(), u"gone");
  kivo::StreamWriteUInt(stream.get(), 40);  // a name that claims more than is left
  kivo::stream::Seek(stream.get(), 0);
  RTAudioBuffer* read = nullptr;
  EXPECT_TRUE(audio::ReadBufferRef(service_, stream.get(), &read));
  EXPECT_EQ(read, beep);
  EXPECT_TRUE(audio::ReadBufferRef(service_, stream.get(), &read));
  EXPECT_EQ(read, nullptr);
  read = beep;
  EXPECT_TRUE(audio::ReadBufferRef(service_, stream.get(), &read)) << "an old save still loads";
  EXPECT_EQ(read, nullptr);
  EXPECT_THAT(host_.ErrorLog(), HasSubstr("the sound gone is not there"));
  EXPECT_FALSE(audio::ReadBufferRef(service_, stream.get(), &read)) << "a cut name";
}

TEST_F(Bank, BuffersOutliveANewBank) {
  LoadSounds({{u"beep", "beep.wav", kivo::audio::WavImage(Tone(300.0, 0.5, 22050), 1, 22050)}});
  RTInstance voice = NewSource();
  kivo::audio_source::SetBuffer(voice, Buffer(u"beep"));
  kivo::audio_source::Play(voice);
  LoadSounds({{u"other", "other.wav", kivo::audio::WavImage(Tone(300.0, 0.1, 22050), 1, 22050)}});
  EXPECT_EQ(State(voice), kivo::audio_source::kPlaying);
  Render(22050 * 2);
  EXPECT_EQ(State(voice), kivo::audio_source::kStopped);
  RTAudioBuffer* gone = nullptr;
  EXPECT_FALSE(audio::GetBuffer(service_, u"beep", 0, 0, &gone));
}

}  // namespace
