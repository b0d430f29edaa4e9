// Calls on the audio service (class RTFMODAudioService, a singleton that may be missing: a caller
// that cannot get it goes on silent). Every call returns 1 on success and 0 on failure.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::audio_service {

inline constexpr char16_t kClassName[] = u"RTFMODAudioService";
inline constexpr uint32_t kLevel = 0x08;

enum Slot : uint32_t {
  kSetListenerMatrix = 0x40,
};

// The listener's world transform (rows x, y, z axes and the position); the matrix is read during
// the call only.
inline RTSuccess SetListenerMatrix(RTInstance service, const RTFMatrix4x4* world) {
  return CallMethod(service, kLevel, kSetListenerMatrix, world);
}

}  // namespace kivo::audio_service
