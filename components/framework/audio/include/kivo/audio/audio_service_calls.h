// Calls on the audio service (class RTFMODAudioService, a singleton that may be missing: a caller
// that cannot get it goes on silent) and on its sources (class RTAudioSource, one instance per
// voice, music layer or speech). Both sit over OpenAL. Every call returns 1 on success and 0 on
// failure; the operations are listed in their published order.
//
// The service's operations follow one another from 0x34, so that the listener's transform is at
// 0x40, where the scene tree hands it over. Each list gives the parameter types of the operations
// built so far; the others have their records without a function and their slots no signature (a
// plain offset), so nothing calls them.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::audio_service {

inline constexpr char16_t kClassName[] = u"RTFMODAudioService";
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;

#define KIVO_AUDIO_SERVICE_METHODS(X)             \
  X(WriteBufferRef, 0x34)                         \
  X(ReadBufferRef, 0x38)                          \
  X(SetListenerGain, 0x3C)                        \
  X(SetListenerMatrix, 0x40, const RTFMatrix4x4*) \
  X(Update, 0x44)                                 \
  X(GetBuffer, 0x48)                              \
  X(GetBufferInfo, 0x4C)                          \
  X(InitDevice, 0x50, void)                       \
  X(LoadBank, 0x54)                               \
  X(PauseAllSounds, 0x58, void)                   \
  X(ResumeAllSounds, 0x5C, void)

#define KIVO_AUDIO_SERVICE_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<uint32_t __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_AUDIO_SERVICE_METHODS(KIVO_AUDIO_SERVICE_SLOT)
#undef KIVO_AUDIO_SERVICE_SLOT
inline constexpr uint32_t kSlotTableSize = kResumeAllSounds + 4;

// The listener's world transform (rows x, y, z axes and the position); the matrix is read during
// the call only.
inline RTSuccess SetListenerMatrix(RTInstance service, const RTFMatrix4x4* world) {
  return CallMethod(service, kLevel, kSetListenerMatrix, world);
}
// Opens the default sound device; when there is none, reports it and goes on with a silent device.
// 0 only when no device context can be made at all. A second call keeps the device it has.
inline RTSuccess InitDevice(RTInstance service) { return CallMethod(service, kLevel, kInitDevice); }
// Pauses every source that plays and remembers them; ResumeAllSounds plays again those that are
// still paused then.
inline RTSuccess PauseAllSounds(RTInstance service) { return CallMethod(service, kLevel, kPauseAllSounds); }
inline RTSuccess ResumeAllSounds(RTInstance service) { return CallMethod(service, kLevel, kResumeAllSounds); }

}  // namespace kivo::audio_service

namespace kivo::audio_source {

inline constexpr char16_t kClassName[] = u"RTAudioSource";
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;

#define KIVO_AUDIO_SOURCE_METHODS(X) \
  X(SetBuffer, 0x00)                 \
  X(GetBuffer, 0x04)                 \
  X(Play, 0x08, void)                \
  X(StopSource, 0x0C, void)          \
  X(PauseSource, 0x10, void)         \
  X(SetLooping, 0x14)                \
  X(SetRelative, 0x18)               \
  X(GetSourceState, 0x1C, uint32_t*) \
  X(SetVolume, 0x20)                 \
  X(SetPosition, 0x24)               \
  X(SetMode, 0x28)                   \
  X(ApplyMode, 0x2C)                 \
  X(SetGain, 0x30)                   \
  X(GetPlayPosition, 0x34)           \
  X(SetPlayPosition, 0x38)

#define KIVO_AUDIO_SOURCE_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<uint32_t __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_AUDIO_SOURCE_METHODS(KIVO_AUDIO_SOURCE_SLOT)
#undef KIVO_AUDIO_SOURCE_SLOT
inline constexpr uint32_t kSlotTableSize = kSetPlayPosition + 4;

// States of GetSourceState.
inline constexpr uint32_t kPlaying = 0;
inline constexpr uint32_t kStopped = 1;  // also: never played, or played to its end
inline constexpr uint32_t kPaused = 3;

// A source works once the service has opened its device. Play starts (or restarts) the source's
// buffer and gives 1 when it plays; a paused source resumes with Play.
inline RTSuccess Play(RTInstance source) { return CallMethod(source, kLevel, kPlay); }
inline RTSuccess StopSource(RTInstance source) { return CallMethod(source, kLevel, kStopSource); }
inline RTSuccess PauseSource(RTInstance source) { return CallMethod(source, kLevel, kPauseSource); }
// 0 with *state kStopped when the source cannot be had.
inline RTSuccess GetSourceState(RTInstance source, uint32_t* state) {
  return CallMethod(source, kLevel, kGetSourceState, state);
}

}  // namespace kivo::audio_source
