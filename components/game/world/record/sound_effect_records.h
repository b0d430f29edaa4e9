// The records of the game's sound effects: the 32 voices and the registered buffers.
#pragma once

#include <cstdint>

#include "kivo/types.h"

struct RTAudioBuffer;

namespace tesk::game {

inline constexpr uint32_t kVoiceCount = 32;

// One voice of the bank. Fades are stamped and measured in audio time (seconds).
struct SfxVoice {
  RTInstance source;  // its RTAudioSource
  float fadeStart;
  float volume;  // before the effects gain
  float fadeFrom;
  float fadeTarget;
  float fadeDuration;  // 0: no fade asked for
  uint32_t reserved;   // saved and restored as a byte
};

// One registration of a buffer name (core memory; never removed while the game lives).
struct SfxBufferEntry {
  char16_t* path;  // core copy of the instance path given at registration
  RTAudioBuffer* buffer;
  uint32_t mode;
};

}  // namespace tesk::game
