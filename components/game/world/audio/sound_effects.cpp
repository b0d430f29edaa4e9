#include "sound_effects.h"

#include "game_context.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/interpolate.h"
#include "kivo/support/wide_string.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

constexpr uint32_t kBufferBuckets = 139;
// Bank and buffer paths are made in buffers of this many units, the terminator included; longer
// ones are refused, never cut.
constexpr size_t kPathUnits = 512;
constexpr float kSilent = 0.001f;

bool FitsPath(const std::u16string& path) { return path.size() < kPathUnits; }

// The voice's source plays its buffer from the start at the volume.
void StartVoice(GamePrivateData& game, int32_t index, RTAudioBuffer* buffer, float volume, uint32_t loop,
                const RTFVector3D* position) {
  SfxVoice& voice = game.sfxVoices[index];
  voice.volume = volume;
  voice.fadeTarget = volume;
  voice.fadeDuration = 0.0f;
  const RTFVector3D atListener = {};
  source::SetBuffer(voice.source, buffer);
  source::SetRelative(voice.source, position ? 0 : 1);
  source::SetPosition(voice.source, position ? position : &atListener);
  source::SetVolume(voice.source, volume * game.sfxGain);
  source::SetLooping(voice.source, loop);
  source::Play(voice.source);
}

RTSuccess PlaySound(GamePrivateData& game, const char16_t* name, float volume, const RTFVector3D* position,
                    uint32_t loop, int32_t* index) {
  RTInstance free = nullptr;
  int32_t at = -1;
  RTAudioBuffer* buffer = nullptr;
  if (!FindFreeVoice(game, &free, &at) || !SFXGetBufferByName(game, name, &buffer)) return kRTSuccess;
  StartVoice(game, at, buffer, volume, loop, position);
  if (index) *index = at;
  return kRTSuccess;
}

void FreeEntry(SfxBufferEntry* entry) {
  Core().ArrayFree(nullptr, entry->path);
  Core().MemFree(nullptr, entry);
}

}  // namespace

float AudioTime() { return static_cast<float>(Now()) * 0.001f; }

RTSuccess SFXStartup(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (!game->sfxBufferList) kivo::ListCreate(&game->sfxBufferList);
  if (!game->sfxBufferTable) kivo::StrHashTableCreate(&game->sfxBufferTable, kBufferBuckets, nullptr);
  game->sfxGain = 1.0f;
  for (SfxVoice& voice : game->sfxVoices) {
    if (!voice.source &&
        (!Core().CreateInstanceByString(nullptr, source::kClassName, &voice.source, 0, 1) || !voice.source)) {
      voice.source = nullptr;
      Report(u"RTTeskGame::SFXStartup(): Unable to create audio source.");
      return kRTFailure;
    }
    voice = SfxVoice{voice.source, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0};
    source::SetRelative(voice.source, 1);
    source::SetVolume(voice.source, voice.volume);
  }
  const char16_t* root = game->dataRoot;
  const std::u16string bank = root ? kivo::Format(u"%saudio/tesk.bank", root) : u"c:/usr/brellin/audio/tesk.bank";
  const std::u16string folder = root ? kivo::Format(u"%saudio/", root) : u"c:/usr/brellin/audio/";
  if (!FitsPath(bank)) {
    Report(u"RTTeskGame::SFXStartup(): the data root is too long for the sound bank's path; no bank is loaded");
    return kRTSuccess;
  }
  kivo::audio_service::LoadBank(game->audioService, bank.c_str(), folder.c_str());
  return kRTSuccess;
}

RTSuccess SFXStopAll(GamePrivateData& game) {
  for (SfxVoice& voice : game.sfxVoices) {
    voice = SfxVoice{voice.source, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0};
    source::SetVolume(voice.source, 0.0f);
    source::StopSource(voice.source);
  }
  return kRTSuccess;
}

RTSuccess SFXAddBuffer(GamePrivateData& game, const char16_t* name, const char16_t* path, uint32_t mode) {
  if (!path || !name || !game.sfxBufferList || !game.sfxBufferTable) return kRTFailure;
  RTAudioBuffer* buffer = nullptr;
  if (!kivo::audio_service::GetBuffer(game.audioService, name, 0, mode, &buffer)) {
    const std::u16string message =
        kivo::Format(u"RTTeskGame::SFXAddBuffer(): Unable to get the buffer instance (%s).", name);
    Report(FitsPath(message) ? message : message.substr(0, kPathUnits - 1));
    return kRTFailure;
  }
  void* block = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(SfxBufferEntry), &block, 1) || !block) return kRTFailure;
  auto* entry = static_cast<SfxBufferEntry*>(block);
  *entry = SfxBufferEntry{nullptr, buffer, mode};
  if (!kivo::WideStrDup(path, &entry->path) || !kivo::ListAppend(game.sfxBufferList, entry)) {
    FreeEntry(entry);
    return kRTFailure;
  }
  kivo::StrHashTableInsert(game.sfxBufferTable, name, entry);
  return kRTSuccess;
}

const SfxBufferEntry* SFXNewestEntry(GamePrivateData& game, const char16_t* name) {
  void* found = nullptr;
  if (!name || !game.sfxBufferTable || !kivo::StrHashTableLookup(game.sfxBufferTable, name, &found)) return nullptr;
  return static_cast<const SfxBufferEntry*>(found);
}

bool SFXScriptPath(const char16_t* name, std::u16string* path) {
  *path = kivo::Format(u"Root:TeskAudio:%s", name);
  if (FitsPath(*path)) return true;
  Report(u"RTTeskGame::SFXAddBuffer(): the buffer name is too long for its path; nothing is registered");
  return false;
}

bool IsNoSoundName(const char16_t* name) { return !name || !*name || kivo::WideStrEqualNoCase(name, u"-1") == 0; }

RTSuccess SFXGetBufferByName(GamePrivateData& game, const char16_t* name, RTAudioBuffer** buffer) {
  const SfxBufferEntry* entry = SFXNewestEntry(game, name);
  if (!entry) {
    Report(kivo::Format(u"RTTeskGame::SFXGetBufferByName(): Unable to find the buffer (%s) in the hash table.", name));
    return kRTFailure;
  }
  *buffer = entry->buffer;
  return kRTSuccess;
}

RTSuccess FindFreeVoice(GamePrivateData& game, RTInstance* freeSource, int32_t* index) {
  for (uint32_t i = 0; i < kVoiceCount; ++i) {
    uint32_t state = source::kPlaying;
    if (source::GetSourceState(game.sfxVoices[i].source, &state) && state == source::kStopped) {
      *freeSource = game.sfxVoices[i].source;
      *index = static_cast<int32_t>(i);
      return kRTSuccess;
    }
  }
  return kRTFailure;
}

RTSuccess PlaySoundByName(GamePrivateData& game, const char16_t* name, float volume, uint32_t loop, int32_t* index) {
  return PlaySound(game, name, volume, nullptr, loop, index);
}

RTSuccess PlaySoundAtPosition(GamePrivateData& game, const char16_t* name, float volume, const RTFVector3D& position,
                              uint32_t loop, int32_t* index) {
  return PlaySound(game, name, volume, &position, loop, index);
}

RTSuccess StopSound(GamePrivateData& game, int32_t index, float duration) {
  if (index < 0 || index >= static_cast<int32_t>(kVoiceCount)) return kRTFailure;
  SfxVoice& voice = game.sfxVoices[index];
  voice.fadeStart = AudioTime();
  voice.fadeFrom = voice.volume;
  voice.fadeTarget = 0.0f;
  voice.fadeDuration = duration;
  return kRTSuccess;
}

RTSuccess SFXUpdateFades(GamePrivateData& game) {
  const float now = AudioTime();
  for (SfxVoice& voice : game.sfxVoices) {
    if (voice.volume == voice.fadeTarget) continue;
    // A fade of no length (or a negative one) is over at once: no division by zero.
    const float t = voice.fadeDuration > 0.0f ? (now - voice.fadeStart) / voice.fadeDuration : 1.0f;
    if (t >= 1.0f) {
      voice.volume = voice.fadeTarget;
      source::SetVolume(voice.source, voice.volume * game.sfxGain);
      if (voice.volume <= kSilent) {
        source::StopSource(voice.source);
        voice.volume = 0.0f;
        voice.fadeTarget = 0.0f;
      }
    } else {
      voice.volume = std::max(0.0f, kivo::Lerp(voice.fadeFrom, voice.fadeTarget, t));
      source::SetVolume(voice.source, voice.volume * game.sfxGain);
    }
  }
  return kRTSuccess;
}

void SFXShutdown(GamePrivateData& game) {
  for (SfxVoice& voice : game.sfxVoices) Release(voice.source);
  kivo::StrHashTableDestroy(game.sfxBufferTable);
  game.sfxBufferTable = nullptr;
  for (SfxBufferEntry* entry : kivo::ListItems<SfxBufferEntry>(game.sfxBufferList)) FreeEntry(entry);
  kivo::ListDestroy(game.sfxBufferList);
  game.sfxBufferList = nullptr;
}

}  // namespace tesk::game
