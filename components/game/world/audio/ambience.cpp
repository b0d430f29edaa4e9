// The ambience: two channels, the current one carrying the place's loop, so that a new ambience
// cross-fades over the old. Channels play at their volume times the effects gain.
#include "fade_step.h"
#include "game_context.h"
#include "kivo/audio/audio_service_calls.h"
#include "music.h"
#include "sound_effects.h"

namespace tesk::game {

namespace {

namespace source = kivo::audio_source;

constexpr float kSilent = 0.001f;

}  // namespace

RTSuccess AmbientStartup(GamePrivateData& game) {
  AmbienceState& ambience = game.library->ambience;
  ambience.current = 0;
  ambience.fadeStart = ambience.fadeDuration = 0.0f;
  ambience.active = 0;
  ambience.buffer = nullptr;
  for (AmbientChannel& channel : ambience.channels) {
    channel.volume = channel.fadeFrom = channel.fadeTarget = 0.0f;
    MakeAudioSource(channel.source);
    source::SetLooping(channel.source, 1);
    source::SetVolume(channel.source, 0.0f);
  }
  return kRTSuccess;
}

RTSuccess AmbientUpdate(GamePrivateData& game) {
  AmbienceState& ambience = game.library->ambience;
  if (!ambience.active) return kRTSuccess;
  const float t = FadeProgress(AudioTime(), ambience.fadeStart, ambience.fadeDuration);
  if (t >= 1.0f) {
    ambience.active = 0;
    for (AmbientChannel& channel : ambience.channels) {
      channel.volume = channel.fadeTarget;
      source::SetVolume(channel.source, channel.volume * game.sfxGain);
      if (channel.volume <= kSilent) {
        source::StopSource(channel.source);
        channel.volume = channel.fadeTarget = 0.0f;
      }
    }
    return kRTSuccess;
  }
  for (AmbientChannel& channel : ambience.channels) {
    uint32_t state = source::kPlaying;
    // A channel fading in from silence starts once its previous step made it audible.
    if (channel.volume >= kSilent && source::GetSourceState(channel.source, &state) && state == source::kStopped) {
      source::SetRelative(channel.source, 1);
      source::Play(channel.source);
    }
    channel.volume = FadeVolume(channel.fadeFrom, channel.fadeTarget, t);
    source::SetVolume(channel.source, channel.volume * game.sfxGain);
  }
  return kRTSuccess;
}

RTSuccess AmbientStop(GamePrivateData& game) {
  for (AmbientChannel& channel : game.library->ambience.channels) source::StopSource(channel.source);
  return kRTSuccess;
}

RTSuccess AmbientTransitionToBuffer(GamePrivateData& game, const char16_t* name, float volume, float duration) {
  AmbienceState& ambience = game.library->ambience;
  RTAudioBuffer* buffer = nullptr;
  if (!SFXGetBufferByName(game, name, &buffer)) {
    // The fade to silence ends within what remains of the cross-fade under way, or at once.
    AmbientChannel& current = ambience.channels[ambience.current];
    current.fadeTarget = 0.0f;
    current.fadeFrom = current.volume;
    ambience.buffer = nullptr;
    ambience.active = 1;
    return kRTSuccess;
  }
  if (buffer == ambience.buffer) return kRTSuccess;
  return AmbientCrossFade(game, buffer, volume, duration);
}

RTSuccess AmbientCrossFade(GamePrivateData& game, RTAudioBuffer* buffer, float volume, float duration) {
  AmbienceState& ambience = game.library->ambience;
  AmbientChannel& current = ambience.channels[ambience.current];
  current.fadeTarget = 0.0f;
  current.fadeFrom = current.volume;
  ambience.fadeDuration = duration;
  ambience.buffer = buffer;
  ambience.fadeStart = AudioTime();
  const uint32_t other = 1 - ambience.current;
  AmbientChannel& next = ambience.channels[other];
  // A channel still fading out of an earlier cross-fade is cut off.
  if (ambience.active) source::StopSource(next.source);
  source::SetBuffer(next.source, buffer);
  next.fadeTarget = volume;
  next.fadeFrom = next.volume;
  ambience.current = other;
  ambience.active = 1;
  return kRTSuccess;
}

}  // namespace tesk::game
