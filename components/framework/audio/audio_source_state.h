// The record of an RTAudioSource instance: its OpenAL source, made on first use in the context of
// the audio service's device, and the levels and mode it was given.
#pragma once

#include <AL/al.h>

#include "kivo/audio/audio_service_calls.h"

namespace kivo::audio_source {

struct SourceState {
  ALuint source = 0;
  bool made = false;
  RTAudioBuffer* buffer = nullptr;
  float volume = 1.0f;
  float listenerGain = 1.0f;
  float gain = 1.0f;
  bool hasGain = false;  // SetGain was called: the gain alone sets the level
  uint32_t mode = 0;
  ALuint filter = 0;  // the low-pass of kModeMuffled, made when first applied
};
inline constexpr uint32_t kStateWord = kOwnTable + 4;
inline constexpr uint32_t kObjectSize = kStateWord + 4;

}  // namespace kivo::audio_source
