// The record of an RTAudioSource instance: its OpenAL source, made on first use in the context of
// the audio service's device.
#pragma once

#include <AL/al.h>

#include "kivo/audio/audio_service_calls.h"

namespace kivo::audio_source {

struct SourceState {
  ALuint source = 0;
  bool made = false;
};
inline constexpr uint32_t kStateWord = kOwnTable + 4;
inline constexpr uint32_t kObjectSize = kStateWord + 4;

}  // namespace kivo::audio_source
