// The music's section of the save file (little-endian, through the stream helpers), no version
// and no count:
//
//   per layer 0, 1, 2:
//     the source's buffer as the audio service's buffer reference
//     u32   play position (sample frames)
//     u32   source state (1 stopped)
//     f32   volume, fadeFrom, fadeTarget
//
// The fade's timing and the playing and silent flags are not saved. The reader takes the whole
// section first and changes the layers only once every field has been read.
#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/stream_values.h"
#include "music.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

struct SavedLayer {
  RTAudioBuffer* buffer = nullptr;
  uint32_t position = 0;
  uint32_t state = source::kStopped;
  float volume = 0.0f;
  float fadeFrom = 0.0f;
  float fadeTarget = 0.0f;
};

bool ReadLayer(GamePrivateData& game, RTInstance stream, SavedLayer* layer) {
  return kivo::audio_service::ReadBufferRef(game.audioService, stream, &layer->buffer) &&
         kivo::StreamReadUInt(stream, &layer->position) &&
         kivo::StreamReadUInt(stream, &layer->state) && kivo::StreamReadFloat(stream, &layer->volume) &&
         kivo::StreamReadFloat(stream, &layer->fadeFrom) && kivo::StreamReadFloat(stream, &layer->fadeTarget);
}

}  // namespace

RTSuccess MusicStreamOut(GamePrivateData& game, RTInstance stream) {
  for (const SfxVoice& layer : game.music.layers) {
    RTAudioBuffer* buffer = nullptr;
    uint32_t position = 0;
    uint32_t state = source::kStopped;
    source::GetBuffer(layer.source, &buffer);
    source::GetPlayPosition(layer.source, &position);
    source::GetSourceState(layer.source, &state);
    if (!kivo::audio_service::WriteBufferRef(game.audioService, stream, buffer) ||
        !kivo::StreamWriteUInt(stream, position) || !kivo::StreamWriteUInt(stream, state) ||
        !kivo::StreamWriteFloat(stream, layer.volume) || !kivo::StreamWriteFloat(stream, layer.fadeFrom) ||
        !kivo::StreamWriteFloat(stream, layer.fadeTarget))
      return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess MusicStreamIn(GamePrivateData& game, RTInstance stream) {
  SavedLayer saved[kMusicLayers];
  for (SavedLayer& layer : saved)
    if (!ReadLayer(game, stream, &layer)) return kRTFailure;
  for (uint32_t i = 0; i < kMusicLayers; ++i) {
    SfxVoice& layer = game.music.layers[i];
    const SavedLayer& from = saved[i];
    source::SetBuffer(layer.source, from.buffer);
    source::SetPlayPosition(layer.source, from.position);
    if (from.state != source::kStopped) source::Play(layer.source);
    layer.volume = from.volume;
    layer.fadeFrom = from.fadeFrom;
    layer.fadeTarget = from.fadeTarget;
  }
  return kRTSuccess;
}

}  // namespace tesk::game
