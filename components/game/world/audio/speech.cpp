// The master gain's ramps, the audio update and speech on the environment's speech source.
#include "speech.h"

#include <algorithm>

#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/interpolate.h"
#include "kivo/support/wide_string.h"
#include "music.h"
#include "sound_effects.h"
#include "talking_head.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

// Speech sounds above the master gain, and everything else at half while it plays.
constexpr float kSpeechLift = 1.5f;
constexpr float kDucked = 0.5f;
constexpr RTFVector3D kAtListener = {};

// The gain part-way through the listener ramp. A ramp of duration 0 stays where it was set.
float RampedGain(const ListenerGain& gain, float now) {
  const float t = gain.duration == 0.0f ? 0.0f : (now - gain.startTime) / gain.duration;
  if (t >= 1.0f) return gain.target;
  const float blend = kivo::HermiteBlend(gain.from, gain.target, t);
  return std::max(0.0f, gain.from > gain.target ? blend : std::min(blend, gain.target));
}

// Registers the speech's buffer, reusing the newest registration of the same name, path and mode:
// a speech played again adds nothing to the registry.
bool RegisterSpeech(GamePrivateData& game, const char16_t* name) {
  std::u16string path;
  if (!SFXScriptPath(name, &path)) return false;
  const SfxBufferEntry* newest = SFXNewestEntry(game, name);
  if (newest && newest->mode == 0 && newest->path && path == newest->path) return true;
  return SFXAddBuffer(game, name, path.c_str(), 0);
}

}  // namespace

RTSuccess UpdateAudio(GamePrivateData& game) {
  game.listenerGain.current = RampedGain(game.listenerGain, AudioTime());
  float gain = game.listenerGain.current;
  if (game.speechSource) source::SetPosition(game.speechSource, &kAtListener);
  if (game.speechPlaying) {
    source::SetGain(game.speechSource, kSpeechLift * gain);
    gain *= kDucked;
  }
  kivo::audio_service::SetListenerGain(game.audioService, gain);
  kivo::audio_service::Update(game.audioService);
  MusicUpdate(game);
  AmbientUpdate(game);
  SFXUpdateFades(game);
  return kRTSuccess;
}

RTSuccess SetListenerGainLerp(GamePrivateData& game, float target, float duration) {
  ListenerGain& gain = game.listenerGain;
  gain.duration = duration;
  gain.from = gain.current;
  gain.target = target;
  gain.startTime = AudioTime();
  return kRTSuccess;
}

uint32_t SpeechStillPlaying(GamePrivateData& game) {
  UpdateAudio(game);
  if (game.paused) return game.speechPlaying ? 1 : 0;
  uint32_t state = source::kStopped;
  if (game.speechSource && source::GetSourceState(game.speechSource, &state) && state == source::kPlaying) return 1;
  game.speechPlaying = 0;
  return 0;
}

RTSuccess PlaySpeech(GamePrivateData& game, const char16_t* name, bool effect) {
  if (game.paused || IsNoSoundName(name) || !game.speechSource) return kRTSuccess;
  if (!RegisterSpeech(game, name)) {
    Report(u"RTTeskGame::PlaySpeech(): Unable to find the speech audio.");
    return kRTFailure;
  }
  RTAudioBuffer* buffer = nullptr;
  if (!SFXGetBufferByName(game, name, &buffer)) return kRTSuccess;
  StartTalkingHead(game, name);
  RTInstance speech = game.speechSource;
  if (effect) source::SetMode(speech, source::kModeMuffled);
  source::SetGain(speech, kSpeechLift * game.listenerGain.current);
  source::SetRelative(speech, 1);
  source::SetBuffer(speech, buffer);
  source::SetPosition(speech, &kAtListener);
  if (!source::Play(speech)) return kRTSuccess;
  if (effect) source::ApplyMode(speech);
  RTInstance info = nullptr;
  if (kivo::audio_service::GetBufferInfo(game.audioService, buffer, &info) && info) {
    kivo::audio_buffer_info::GetLength(info, &game.speechLength);
    Core().ReleaseInstance(nullptr, info);
  }
  game.speechPlaying = 1;
  return kRTSuccess;
}

}  // namespace tesk::game
