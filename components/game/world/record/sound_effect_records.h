// The records of the game's sound: the 32 effect voices, the registered buffers, the three music
// layers and the two ambience channels.
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

inline constexpr uint32_t kMusicLayers = 3;

// The music: three looping layers that always play together, mixed by fading each layer's volume
// over one shared fade.
struct MusicState {
  SfxVoice layers[kMusicLayers];  // only source, volume, fadeFrom and fadeTarget are used
  float fadeStart;                // audio time
  float fadeDuration;             // seconds
  uint32_t silent;                // the last update found every layer silent and stopped them
  uint32_t playing;               // the three sources were started
  RTInstance pauseSource;         // holds the pause tune; never started by the game
  RTAudioBuffer* pauseBuffer;
  float gain;  // layers play at their volume times this
};

// One ambience channel; its source plays at its volume times the effects gain.
struct AmbientChannel {
  RTInstance source;
  float volume;
  float fadeFrom;
  float fadeTarget;
};

// The ambience: two channels, so that a new ambience cross-fades over the old one.
struct AmbienceState {
  AmbientChannel channels[2];
  uint32_t current;  // the channel last faded in
  float fadeStart;   // audio time
  float fadeDuration;
  uint32_t active;        // a cross-fade is under way
  RTAudioBuffer* buffer;  // the current ambience's buffer, null for none
};

}  // namespace tesk::game
