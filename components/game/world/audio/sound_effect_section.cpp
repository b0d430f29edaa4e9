// The voices' section of the save file (little-endian, through the stream helpers):
//
//   u32   version, 1 (the unversioned form of older files has neither this nor the count)
//   u32   voice count, written as 32
//   per voice:
//     the source's buffer as the audio service's buffer reference
//     u32   play position (sample frames)
//     u32   source state (1 stopped)
//     f32   fadeStart, volume, fadeFrom, fadeTarget, fadeDuration
//     u8    reserved
//
// A reader takes the whole section into a temporary first and changes the voices only once every
// field has been read. Records beyond 32 are read and dropped, so the next section starts right.
#include <array>

#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/stream_values.h"
#include "sound_effects.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

constexpr uint32_t kSectionVersion = 1;

struct SavedVoice {
  RTAudioBuffer* buffer = nullptr;
  uint32_t position = 0;
  uint32_t state = source::kStopped;
  float fade[5] = {};  // fadeStart, volume, fadeFrom, fadeTarget, fadeDuration
  uint8_t reserved = 0;
};
using SavedVoices = std::array<SavedVoice, kVoiceCount>;

constexpr uint32_t kFixedVoiceBytes = 4 + 4 + 5 * 4 + 1;

bool ReadVoice(GamePrivateData& game, RTInstance stream, SavedVoice* voice) {
  if (!kivo::audio_service::ReadBufferRef(game.audioService, stream, &voice->buffer) ||
      !kivo::StreamReadUInt(stream, &voice->position) ||
      !kivo::StreamReadUInt(stream, &voice->state))
    return false;
  for (float& value : voice->fade)
    if (!kivo::StreamReadFloat(stream, &value)) return false;
  return kivo::StreamReadUInt8(stream, &voice->reserved);
}

// Reads `count` records, keeping the first 32, and restores the voices once all are read.
RTSuccess ReadVoices(GamePrivateData& game, RTInstance stream, uint32_t count) {
  if (!kivo::StreamHolds(stream, uint64_t{count} * (4 + kFixedVoiceBytes))) return kRTFailure;
  SavedVoices saved;
  SavedVoice dropped;
  for (uint32_t i = 0; i < count; ++i)
    if (!ReadVoice(game, stream, i < kVoiceCount ? &saved[i] : &dropped)) return kRTFailure;
  for (uint32_t i = 0; i < std::min(count, kVoiceCount); ++i) {
    SfxVoice& voice = game.sfxVoices[i];
    const SavedVoice& from = saved[i];
    source::SetBuffer(voice.source, from.buffer);
    source::SetPlayPosition(voice.source, from.position);
    if (from.state != source::kStopped) source::Play(voice.source);
    voice.fadeStart = from.fade[0];
    voice.volume = from.fade[1];
    voice.fadeFrom = from.fade[2];
    voice.fadeTarget = from.fade[3];
    voice.fadeDuration = from.fade[4];
    voice.reserved = from.reserved;
  }
  Report(u"RTTeskGame::SFXStreamIn(): Success.");
  return kRTSuccess;
}

}  // namespace

RTSuccess SFXStreamOut(GamePrivateData& game, RTInstance stream) {
  if (!kivo::StreamWriteUInt(stream, kSectionVersion) || !kivo::StreamWriteUInt(stream, kVoiceCount)) return kRTFailure;
  for (const SfxVoice& voice : game.sfxVoices) {
    RTAudioBuffer* buffer = nullptr;
    uint32_t position = 0;
    uint32_t state = source::kStopped;
    source::GetBuffer(voice.source, &buffer);
    source::GetPlayPosition(voice.source, &position);
    source::GetSourceState(voice.source, &state);
    if (!kivo::audio_service::WriteBufferRef(game.audioService, stream, buffer) ||
        !kivo::StreamWriteUInt(stream, position) || !kivo::StreamWriteUInt(stream, state))
      return kRTFailure;
    for (float value : {voice.fadeStart, voice.volume, voice.fadeFrom, voice.fadeTarget, voice.fadeDuration})
      if (!kivo::StreamWriteFloat(stream, value)) return kRTFailure;
    if (!kivo::StreamWriteUInt8(stream, voice.reserved)) return kRTFailure;
  }
  Report(u"RTTeskGame::SFXStreamOut(): Success.");
  return kRTSuccess;
}

RTSuccess SFXStreamIn(GamePrivateData& game, RTInstance stream) {
  uint32_t version = 0;
  if (!kivo::StreamReadUInt(stream, &version)) return kRTFailure;
  if (version > kSectionVersion) {
    Report(u"RTTeskGame::SFXStreamIn(): Unknown version.");
    return kRTFailure;
  }
  uint32_t count = 0;
  if (!kivo::StreamReadUInt(stream, &count)) return kRTFailure;
  return ReadVoices(game, stream, count);
}

RTSuccess SFXStreamInUnversioned(GamePrivateData& game, RTInstance stream) {
  return ReadVoices(game, stream, kVoiceCount);
}

}  // namespace tesk::game
