// The audio service's bank and buffers: LoadBank reads the bank file (bank/sound_bank.h), GetBuffer
// decodes a sound on its first request into one OpenAL buffer, and a buffer is saved as its bank
// name.
#include <AL/al.h>

#include <fstream>
#include <iterator>

#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"
#include "platform/paths.h"
#include "service_state.h"
#include "sound_decoder.h"

namespace kivo::audio {

namespace {

// Longest buffer name a save may hold.
constexpr uint32_t kMaxSavedNameUnits = 1024;

std::u16string Widen(const std::string& latin1) { return std::u16string(latin1.begin(), latin1.end()); }

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

RTAudioBuffer* MakeBuffer(const BankEntry& entry, const DecodedSound& sound, std::string* error) {
  auto buffer = std::make_unique<RTAudioBuffer>();
  alGetError();
  alGenBuffers(1, &buffer->name);
  if (alGetError() != AL_NO_ERROR) {
    *error = "no OpenAL buffer could be made (is the device open?)";
    return nullptr;
  }
  const ALenum format = sound.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer->name, format, sound.samples.data(), static_cast<ALsizei>(sound.samples.size() * 2),
               static_cast<ALsizei>(sound.rate));
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer->name);
    *error = "OpenAL refused the sound";
    return nullptr;
  }
  buffer->bankName = entry.name;
  buffer->frames = sound.frames();
  buffer->rate = sound.rate;
  buffer->channels = sound.channels;
  return buffer.release();
}

}  // namespace

RTSuccess LoadBank(RTInstance self, const char16_t* bankFile, const char16_t* audioFolder) {
  ServiceState* service = ServiceOf(self);
  if (!service || !bankFile || !audioFolder) return kRTFailure;
  std::vector<uint8_t> bytes;
  std::vector<BankEntry> entries;
  std::string error;
  if (!ReadWholeFile(platform::NativePath(bankFile), &bytes)) {
    RaiseFormatted(kLevelError, u"RTFMODAudioService::LoadBank(): %s cannot be read", bankFile);
    return kRTFailure;
  }
  if (!ReadSoundBank(bytes, &entries, &error)) {
    RaiseFormatted(kLevelError, u"RTFMODAudioService::LoadBank(): %s: %s", bankFile, error.c_str());
    return kRTFailure;
  }
  service->bank.clear();
  service->decoded.clear();
  for (BankEntry& entry : entries) service->bank.emplace(WideStrUpper(entry.name), std::move(entry));
  service->audioFolder = audioFolder;
  return kRTSuccess;
}

// `mode` changes nothing: the bank decodes every sound the same way.
RTSuccess GetBuffer(RTInstance self, const char16_t* name, uint32_t, uint32_t, RTAudioBuffer** buffer) {
  ServiceState* service = ServiceOf(self);
  if (!service || !name || !buffer) return kRTFailure;
  const std::u16string key = WideStrUpper(name);
  if (const auto made = service->decoded.find(key); made != service->decoded.end()) {
    *buffer = made->second;
    return kRTSuccess;
  }
  const auto entry = service->bank.find(key);
  if (entry == service->bank.end()) {
    RaiseFormatted(kLevelError, u"RTFMODAudioService::GetBuffer(): the sound bank has no sound named %s", name);
    return kRTFailure;
  }
  const std::u16string file = service->audioFolder + Widen(entry->second.file);
  DecodedSound sound;
  std::string error;
  RTAudioBuffer* made = nullptr;
  if (DecodeSound(platform::NativePath(file), entry->second.channels, &sound, &error))
    made = MakeBuffer(entry->second, sound, &error);
  if (!made) {
    RaiseFormatted(kLevelError, u"RTFMODAudioService::GetBuffer(): %s: %s", file.c_str(), error.c_str());
    return kRTFailure;
  }
  service->buffers.emplace_back(made);
  service->decoded.emplace(key, made);
  *buffer = made;
  return kRTSuccess;
}

RTSuccess GetBufferInfo(RTInstance self, RTAudioBuffer* buffer, RTInstance* info) {
  if (!ServiceOf(self) || !buffer || !info) return kRTFailure;
  InstanceRef made;
  if (!ModuleCore()->CreateInstanceByString(nullptr, audio_buffer_info::kClassName, made.out(), 0, 1) ||
      !audio_buffer_info::Describe(made.get(), buffer))
    return kRTFailure;
  *info = made.Take();
  return kRTSuccess;
}

RTSuccess WriteBufferRef(RTInstance self, RTInstance stream, RTAudioBuffer* buffer) {
  if (!ServiceOf(self)) return kRTFailure;
  return StreamWriteWString(stream, buffer ? buffer->bankName.c_str() : nullptr);
}

RTSuccess ReadBufferRef(RTInstance self, RTInstance stream, RTAudioBuffer** buffer) {
  if (!ServiceOf(self) || !buffer) return kRTFailure;
  char16_t* name = nullptr;
  if (!StreamReadWStringBounded(stream, kMaxSavedNameUnits, &name)) return kRTFailure;
  RTAudioBuffer* found = nullptr;
  if (name && !GetBuffer(self, name, 0, 0, &found))
    RaiseFormatted(kLevelError, u"RTFMODAudioService::ReadBufferRef(): the sound %s is not there; it stays silent",
                   name);
  ModuleCore()->MemFree(nullptr, name);
  *buffer = found;
  return kRTSuccess;
}

void DeleteBuffers(ServiceState& service) {
  for (const auto& buffer : service.buffers) alDeleteBuffers(1, &buffer->name);
  service.decoded.clear();
  service.buffers.clear();
}

}  // namespace kivo::audio
