// The music's three layers and the pause tune. A layer's source always plays at its volume times
// the music gain as of its last update.
#include "music.h"

#include <algorithm>

#include "fade_step.h"
#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "sound_effects.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

constexpr float kSilent = 0.001f;
constexpr char16_t kPauseTune[] = u"titlescreen_mix2";

void StepLayers(MusicState& music, float t) {
  for (SfxVoice& layer : music.layers)
    layer.volume = t >= 1.0f ? layer.fadeTarget : FadeVolume(layer.fadeFrom, layer.fadeTarget, t);
}

}  // namespace

RTSuccess MusicStartup(GamePrivateData& game) {
  MusicState& music = game.music;
  music.gain = 1.0f;
  for (SfxVoice& layer : music.layers) {
    layer.volume = layer.fadeFrom = layer.fadeTarget = 0.0f;
    MakeAudioSource(layer.source);
    source::SetLooping(layer.source, 1);
    source::SetRelative(layer.source, 1);
    source::SetVolume(layer.source, 0.0f);
  }
  music.silent = 0;
  music.playing = 0;
  music.pauseBuffer = nullptr;
  // The tune registers under its own name as its path.
  if (!SFXAddBuffer(game, kPauseTune, kPauseTune, 0) || !SFXGetBufferByName(game, kPauseTune, &music.pauseBuffer))
    Report(u"RTTeskGame::MusicStartup(): Unable to find the PAUSE buffer specified.");
  MakeAudioSource(music.pauseSource);
  source::SetBuffer(music.pauseSource, music.pauseBuffer);
  source::SetVolume(music.pauseSource, 0.5f);
  return kRTSuccess;
}

RTSuccess MusicUpdate(GamePrivateData& game) {
  MusicState& music = game.music;
  if (!music.playing) {
    for (const SfxVoice& layer : music.layers)
      if (layer.fadeTarget > kSilent) return MusicStartAll(game);
    return kRTSuccess;
  }
  StepLayers(music, FadeProgress(AudioTime(), music.fadeStart, music.fadeDuration));
  for (SfxVoice& layer : music.layers) {
    if (!layer.source) continue;
    source::SetVolume(layer.source, layer.volume * music.gain);
    uint32_t state = source::kPlaying;
    if (source::GetSourceState(layer.source, &state) && state == source::kStopped) source::Play(layer.source);
  }
  const bool silent = std::all_of(std::begin(music.layers), std::end(music.layers),
                                  [](const SfxVoice& layer) { return layer.volume <= kSilent; });
  if (silent) {
    for (SfxVoice& layer : music.layers) layer.volume = 0.0f;
    MusicStopAll(game);
  }
  music.silent = silent ? 1 : 0;
  return kRTSuccess;
}

RTSuccess MusicReset(GamePrivateData& game) {
  for (SfxVoice& layer : game.music.layers) layer.fadeTarget = layer.fadeFrom = layer.volume = 0.0f;
  for (SfxVoice& layer : game.music.layers) source::SetVolume(layer.source, 0.0f);
  game.music.playing = 0;
  return kRTSuccess;
}

RTSuccess MusicStartAll(GamePrivateData& game) {
  for (SfxVoice& layer : game.music.layers) source::Play(layer.source);
  game.music.playing = 1;
  return kRTSuccess;
}

RTSuccess MusicStopAll(GamePrivateData& game) {
  for (SfxVoice& layer : game.music.layers) source::StopSource(layer.source);
  game.music.playing = 0;
  return kRTSuccess;
}

void MakeAudioSource(RTInstance& field) {
  Release(field);
  if (!Core().CreateInstanceByString(nullptr, source::kClassName, &field, 0, 1)) field = nullptr;
}

void MusicShutdown(GamePrivateData& game) {
  for (SfxVoice& layer : game.music.layers) Release(layer.source);
  Release(game.music.pauseSource);
  for (AmbientChannel& channel : game.library->ambience.channels) Release(channel.source);
}

}  // namespace tesk::game
