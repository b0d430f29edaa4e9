// sound-view: what a sound bank holds, as the game's audio service decodes it, and how its sounds
// sound, rendered on OpenAL Soft's loopback device (no sound card needed).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bank/sound_bank.h"
#include "core_session.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/instance_ref.h"
#include "platform/utf.h"
#include "raised_messages.h"
#include "tool_frame.h"

namespace {

namespace audio = kivo::audio_service;
namespace source = kivo::audio_source;
namespace info = kivo::audio_buffer_info;

constexpr tesk::ToolText kText = {
    "usage: sound-view BANK [--play NAME]...\n",
    "  BANK         a sound bank (kivopack bank); its sounds lie in its folder\n"
    "  --play NAME  renders the sound to its end and prints its peak and RMS levels and length\n"
    "A line per sound: name, file, channels, rate in Hz, length in ms.\n"
    "Exit status: 0 done, 1 the bank or a sound could not be read (the message says why), 2 bad arguments.\n",
};

constexpr uint32_t kBlock = 1024;
constexpr uint32_t kLongest = 11 * 60 * audio::kLoopbackRate;  // past the longest sound a bank takes

double Dbfs(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -INFINITY; }

// The length and rate of the bank's sound, or false.
bool Describe(RTInstance service, const std::u16string& name, uint32_t* ms, uint32_t* hertz, RTAudioBuffer** buffer) {
  kivo::InstanceRef described;
  if (!audio::GetBuffer(service, name.c_str(), 0, 0, buffer) ||
      !audio::GetBufferInfo(service, *buffer, described.out()))
    return false;
  return info::GetLength(described.get(), ms) && info::GetRate(described.get(), hertz);
}

// Plays the buffer alone to its end and prints its levels.
bool Play(CoreTable& core, RTInstance service, const std::string& name, RTAudioBuffer* buffer) {
  kivo::InstanceRef voice;
  if (!core.CreateInstanceByString(nullptr, source::kClassName, voice.out(), 0, 1) ||
      !source::SetBuffer(voice.get(), buffer) || !source::SetRelative(voice.get(), 1) || !source::Play(voice.get()))
    return false;
  std::vector<float> mix(kBlock * 2);
  double peak = 0.0;
  double sum = 0.0;
  uint64_t frames = 0;
  uint32_t state = source::kPlaying;
  while (state == source::kPlaying && frames < kLongest) {
    audio::RenderLoopback(service, kBlock, mix.data());
    for (float sample : mix) {
      peak = std::max(peak, double{std::abs(sample)});
      sum += double{sample} * sample;
    }
    frames += kBlock;
    source::GetSourceState(voice.get(), &state);
  }
  std::printf("%s: peak %.1f dBFS, rms %.1f dBFS, %llu ms\n", name.c_str(), Dbfs(peak),
              Dbfs(std::sqrt(sum / static_cast<double>(frames * 2))),
              static_cast<unsigned long long>(frames * 1000 / audio::kLoopbackRate));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  if (argc < 2) return tesk::RefuseCommandLine(kText);
  const std::filesystem::path bank = std::filesystem::absolute(argv[1]);
  std::vector<std::string> plays;
  for (int i = 2; i < argc; i += 2) {
    if (std::string(argv[i]) != "--play" || i + 1 >= argc) return tesk::RefuseCommandLine(kText);
    plays.emplace_back(argv[i + 1]);
  }
  std::ifstream in(bank, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<kivo::audio::BankEntry> entries;
  std::string error;
  if (!in || !kivo::audio::ReadSoundBank(bytes, &entries, &error)) {
    tesk::PrintError("sound-view: %s: %s\n", bank.string().c_str(), in ? error.c_str() : "cannot be read");
    return 1;
  }
  // The loopback device mixes without a driver: OpenAL Soft need not probe the machine's.
  setenv("ALSOFT_DRIVERS", "null", 0);
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kNone);
  if (!session) {
    tesk::PrintError("sound-view: %s\n", error.c_str());
    return 1;
  }
  CoreTable& core = session->core();
  tesk::RaisedMessages messages(core);
  messages.Print(true);
  kivo::InstanceRef service;
  const std::u16string bankPath = bank.u16string();
  const std::u16string folder = bank.parent_path().u16string() + u"/";
  if (!core.GetFirstInstanceByString(nullptr, audio::kClassName, service.out(), 1, nullptr) ||
      !audio::OpenLoopbackDevice(service.get()) || !audio::LoadBank(service.get(), bankPath.c_str(), folder.c_str())) {
    tesk::PrintError("sound-view: the audio service cannot load %s\n", bank.string().c_str());
    return 1;
  }
  bool ok = true;
  for (const kivo::audio::BankEntry& entry : entries) {
    uint32_t ms = 0;
    uint32_t hertz = 0;
    RTAudioBuffer* buffer = nullptr;
    const std::string name = platform::ToUtf8(entry.name);
    const std::string file(entry.file.begin(), entry.file.end());  // Latin-1 names are ASCII in practice
    if (!Describe(service.get(), entry.name, &ms, &hertz, &buffer)) {
      ok = false;
      continue;
    }
    std::printf("%s\t%s\t%u channel%s\t%u Hz\t%u ms\n", name.c_str(), file.c_str(), entry.channels,
                entry.channels == 1 ? "" : "s", hertz, ms);
  }
  for (const std::string& name : plays) {
    RTAudioBuffer* buffer = nullptr;
    if (!audio::GetBuffer(service.get(), platform::FromUtf8(name).c_str(), 0, 0, &buffer) ||
        !Play(core, service.get(), name, buffer))
      ok = false;
  }
  return ok ? 0 : 1;
}
