// RTAudioBuffer: a decoded sound of the bank in one OpenAL buffer, owned by the audio service.
#pragma once

#include <AL/al.h>

#include <cstdint>
#include <string>

#include "kivo/audio/audio_service_calls.h"

struct RTAudioBuffer {
  ALuint name = 0;
  std::u16string bankName;  // as the bank spells it
  uint32_t frames = 0;
  uint32_t rate = 0;
  uint32_t channels = 0;
  uint32_t milliseconds() const {
    return rate ? static_cast<uint32_t>((uint64_t{frames} * 1000 + rate / 2) / rate) : 0;
  }
};
