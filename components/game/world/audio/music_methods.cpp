// The script's music and ambience methods. Layers start and stop only through the fades.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/audio/audio_service_calls.h"
#include "music.h"
#include "sound_effects.h"

namespace tesk::game::method {

namespace {

namespace source = kivo::audio_source;

// Every layer fades from where it stands towards its target over `duration` seconds from now.
void StartMusicFade(MusicState& music, const float (&targets)[kMusicLayers], float duration) {
  music.fadeDuration = duration;
  music.fadeStart = AudioTime();
  for (uint32_t i = 0; i < kMusicLayers; ++i) {
    music.layers[i].fadeTarget = targets[i];
    music.layers[i].fadeFrom = music.layers[i].volume;
  }
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(MusicSetSourceBuffer) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTSuccess;
  const int32_t layer = arguments[0].value.number;
  if (layer < 0 || layer >= static_cast<int32_t>(kMusicLayers)) {
    Report(u"RTTeskGame::MusicSetSourceBuffer(): the layer index is outside 0 to 2; nothing changes.");
    return kRTSuccess;
  }
  RTInstance layerSource = game->music.layers[layer].source;
  uint32_t state = source::kStopped;
  if (source::GetSourceState(layerSource, &state) && state == source::kPlaying) source::StopSource(layerSource);
  RTAudioBuffer* buffer = nullptr;
  if (!SFXGetBufferByName(*game, TextArgument(count, arguments, 1), &buffer)) {
    Report(u"RTTeskGame::MusicSetSourceBuffer(): Unable to find the buffer specified.");
    return kRTSuccess;
  }
  source::SetBuffer(layerSource, buffer);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(MusicTransition) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const float targets[kMusicLayers] = {RealArgument(count, arguments, 0), RealArgument(count, arguments, 1),
                                       RealArgument(count, arguments, 2)};
  StartMusicFade(game->music, targets, RealArgument(count, arguments, 3));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(MusicTransitionToSource) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const uint32_t mask = count > 0 ? arguments[0].value.word : 0;
  const float volume = RealArgument(count, arguments, 1);
  float targets[kMusicLayers] = {};
  for (uint32_t i = 0; i < kMusicLayers; ++i) targets[i] = mask & (1u << i) ? volume : 0.0f;
  StartMusicFade(game->music, targets, RealArgument(count, arguments, 2));
  return kRTSuccess;
}

// The layers start and stop through the fades alone.
TESK_GAME_SCRIPT_METHOD(MusicStart) { return kRTSuccess; }
TESK_GAME_SCRIPT_METHOD(MusicStop) { return kRTSuccess; }

TESK_GAME_SCRIPT_METHOD(MusicCanStop) {
  GamePrivateData* game = RecordOf(self);
  if (game && result) result->value.number = static_cast<int32_t>(game->music.silent);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(AmbientTransitionToBufferVarno) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const RTSuccess done = AmbientTransitionToBuffer(
      *game, TextArgument(count, arguments, 0), RealArgument(count, arguments, 1), RealArgument(count, arguments, 2));
  if (result) result->value.number = static_cast<int32_t>(done);
  return kRTSuccess;
}

}  // namespace tesk::game::method
