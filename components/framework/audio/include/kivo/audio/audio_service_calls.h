// Calls on the audio service (class RTFMODAudioService, a singleton that may be missing: a caller
// that cannot get it goes on silent) and on its sources (class RTAudioSource, one instance per
// voice, music layer or speech). Both sit over OpenAL. Every call returns 1 on success and 0 on
// failure; the operations are listed in their published order.
//
// The service's operations follow one another from 0x34, so that the listener's transform is at
// 0x40, where the scene tree hands it over. The two after 0x5C are the project's own, for tests and
// tools that listen to the mix: the loopback device and its rendering.
//
// A buffer is a decoded sound of the bank, named by an RTAudioBuffer pointer. The service owns its
// buffers and keeps every one it made as long as it lives, also across LoadBank.
//
// Each list gives every operation's parameter types after the instance (void: none).
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

struct RTAudioBuffer;

namespace kivo::audio_service {

inline constexpr char16_t kClassName[] = u"RTFMODAudioService";
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;

#define KIVO_AUDIO_SERVICE_METHODS(X)                                      \
  X(WriteBufferRef, 0x34, RTInstance, RTAudioBuffer*)                      \
  X(ReadBufferRef, 0x38, RTInstance, RTAudioBuffer**)                      \
  X(SetListenerGain, 0x3C, float)                                          \
  X(SetListenerMatrix, 0x40, const RTFMatrix4x4*)                          \
  X(Update, 0x44, void)                                                    \
  X(GetBuffer, 0x48, const char16_t*, uint32_t, uint32_t, RTAudioBuffer**) \
  X(GetBufferInfo, 0x4C, RTAudioBuffer*, RTInstance*)                      \
  X(InitDevice, 0x50, void)                                                \
  X(LoadBank, 0x54, const char16_t*, const char16_t*)                      \
  X(PauseAllSounds, 0x58, void)                                            \
  X(ResumeAllSounds, 0x5C, void)                                           \
  X(OpenLoopbackDevice, 0x60, void)                                        \
  X(RenderLoopback, 0x64, uint32_t, float*)

#define KIVO_AUDIO_SERVICE_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<uint32_t __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_AUDIO_SERVICE_METHODS(KIVO_AUDIO_SERVICE_SLOT)
#undef KIVO_AUDIO_SERVICE_SLOT
inline constexpr uint32_t kSlotTableSize = kRenderLoopback + 4;

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

// Reads the bank file (a system path) whose sound files lie in the audio folder (a system path
// ending with a separator). A missing or damaged bank is reported and the bank held so far stays.
inline RTSuccess LoadBank(RTInstance service, const char16_t* bankFile, const char16_t* audioFolder) {
  return CallMethod(service, kLevel, kLoadBank, bankFile, audioFolder);
}
// The bank's sound of that name (the system's case-insensitive name rule), decoded on its first
// request; later requests give the same buffer. `reserved` is 0. `mode` is kept by callers and
// changes nothing here. A sound that cannot be had is reported, and nothing is made.
inline RTSuccess GetBuffer(RTInstance service, const char16_t* name, uint32_t reserved, uint32_t mode,
                           RTAudioBuffer** buffer) {
  return CallMethod(service, kLevel, kGetBuffer, name, reserved, mode, buffer);
}
// A new RTAudioBufferInfo instance describing the buffer; the caller releases it.
inline RTSuccess GetBufferInfo(RTInstance service, RTAudioBuffer* buffer, RTInstance* info) {
  return CallMethod(service, kLevel, kGetBufferInfo, buffer, info);
}
// A buffer in a save stream: its bank name as a UTF-16 string (empty for none). Reading a name the
// bank lacks gives no buffer, reported, and succeeds: an old save still loads.
inline RTSuccess WriteBufferRef(RTInstance service, RTInstance stream, RTAudioBuffer* buffer) {
  return CallMethod(service, kLevel, kWriteBufferRef, stream, buffer);
}
inline RTSuccess ReadBufferRef(RTInstance service, RTInstance stream, RTAudioBuffer** buffer) {
  return CallMethod(service, kLevel, kReadBufferRef, stream, buffer);
}
// The master gain; Update hands it to every live source. A source sounds at its volume times this
// gain, or at its SetGain level alone once it has one.
inline RTSuccess SetListenerGain(RTInstance service, float gain) {
  return CallMethod(service, kLevel, kSetListenerGain, gain);
}
inline RTSuccess Update(RTInstance service) { return CallMethod(service, kLevel, kUpdate); }
// In place of InitDevice: OpenAL Soft's loopback device, mixing 44100 Hz stereo floats, HRTF off,
// only when asked by RenderLoopback, which writes `frames` frames (2 floats each) to `out`.
inline constexpr uint32_t kLoopbackRate = 44100;
inline RTSuccess OpenLoopbackDevice(RTInstance service) { return CallMethod(service, kLevel, kOpenLoopbackDevice); }
inline RTSuccess RenderLoopback(RTInstance service, uint32_t frames, float* out) {
  return CallMethod(service, kLevel, kRenderLoopback, frames, out);
}

}  // namespace kivo::audio_service

namespace kivo::audio_source {

inline constexpr char16_t kClassName[] = u"RTAudioSource";
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;

#define KIVO_AUDIO_SOURCE_METHODS(X)       \
  X(SetBuffer, 0x00, RTAudioBuffer*)       \
  X(GetBuffer, 0x04, RTAudioBuffer**)      \
  X(Play, 0x08, void)                      \
  X(StopSource, 0x0C, void)                \
  X(PauseSource, 0x10, void)               \
  X(SetLooping, 0x14, uint32_t)            \
  X(SetRelative, 0x18, uint32_t)           \
  X(GetSourceState, 0x1C, uint32_t*)       \
  X(SetVolume, 0x20, float)                \
  X(SetPosition, 0x24, const RTFVector3D*) \
  X(SetMode, 0x28, uint32_t)               \
  X(ApplyMode, 0x2C, void)                 \
  X(SetGain, 0x30, float)                  \
  X(GetPlayPosition, 0x34, uint32_t*)      \
  X(SetPlayPosition, 0x38, uint32_t)       \
  X(SetListenerGain, 0x3C, float)

#define KIVO_AUDIO_SOURCE_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<uint32_t __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_AUDIO_SOURCE_METHODS(KIVO_AUDIO_SOURCE_SLOT)
#undef KIVO_AUDIO_SOURCE_SLOT
inline constexpr uint32_t kSlotTableSize = kSetListenerGain + 4;

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
// Null detaches the buffer. A playing or paused source stops first, so a new buffer cuts in. A new
// buffer plays untreated; the mode set before it stays for the next ApplyMode.
inline RTSuccess SetBuffer(RTInstance source, RTAudioBuffer* buffer) {
  return CallMethod(source, kLevel, kSetBuffer, buffer);
}
inline RTSuccess GetBuffer(RTInstance source, RTAudioBuffer** buffer) {
  return CallMethod(source, kLevel, kGetBuffer, buffer);
}
inline RTSuccess SetLooping(RTInstance source, uint32_t looping) {
  return CallMethod(source, kLevel, kSetLooping, looping);
}
// 1: positions are relative to the listener; 0: world positions, heard with inverse-distance
// attenuation from a reference distance of 1.
inline RTSuccess SetRelative(RTInstance source, uint32_t relative) {
  return CallMethod(source, kLevel, kSetRelative, relative);
}
// The level before the listener gain; levels above 1 are allowed.
inline RTSuccess SetVolume(RTInstance source, float volume) { return CallMethod(source, kLevel, kSetVolume, volume); }
inline RTSuccess SetPosition(RTInstance source, const RTFVector3D* position) {
  return CallMethod(source, kLevel, kSetPosition, position);
}
// Mode 128 (kModeMuffled) is the speech treatment, a low-pass filter, heard once ApplyMode is
// called; any other mode is none.
inline constexpr uint32_t kModeMuffled = 128;
inline RTSuccess SetMode(RTInstance source, uint32_t mode) { return CallMethod(source, kLevel, kSetMode, mode); }
inline RTSuccess ApplyMode(RTInstance source) { return CallMethod(source, kLevel, kApplyMode); }
// The source's level from now on, regardless of its volume and the listener gain.
inline RTSuccess SetGain(RTInstance source, float gain) { return CallMethod(source, kLevel, kSetGain, gain); }
// Positions in sample frames of the buffer. Set on a stopped source, the position holds for the
// next Play.
inline RTSuccess GetPlayPosition(RTInstance source, uint32_t* frame) {
  return CallMethod(source, kLevel, kGetPlayPosition, frame);
}
inline RTSuccess SetPlayPosition(RTInstance source, uint32_t frame) {
  return CallMethod(source, kLevel, kSetPlayPosition, frame);
}
// The project's own: the service's Update hands every source the listener gain.
inline RTSuccess SetListenerGain(RTInstance source, float gain) {
  return CallMethod(source, kLevel, kSetListenerGain, gain);
}

}  // namespace kivo::audio_source

namespace kivo::audio_buffer_info {

inline constexpr char16_t kClassName[] = u"RTAudioBufferInfo";
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;

#define KIVO_AUDIO_BUFFER_INFO_METHODS(X) \
  X(GetLength, 0x00, uint32_t*)           \
  X(Describe, 0x04, const RTAudioBuffer*) \
  X(GetRate, 0x08, uint32_t*)

#define KIVO_AUDIO_BUFFER_INFO_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<uint32_t __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_AUDIO_BUFFER_INFO_METHODS(KIVO_AUDIO_BUFFER_INFO_SLOT)
#undef KIVO_AUDIO_BUFFER_INFO_SLOT
inline constexpr uint32_t kSlotTableSize = kGetRate + 4;

// The buffer's length in milliseconds, rounded to the nearest.
inline RTSuccess GetLength(RTInstance info, uint32_t* milliseconds) {
  return CallMethod(info, kLevel, kGetLength, milliseconds);
}
// The sample frames per second it plays at (the file's own rate).
inline RTSuccess GetRate(RTInstance info, uint32_t* hertz) { return CallMethod(info, kLevel, kGetRate, hertz); }
// The service fills a new info with its buffer.
inline RTSuccess Describe(RTInstance info, const RTAudioBuffer* buffer) {
  return CallMethod(info, kLevel, kDescribe, buffer);
}

}  // namespace kivo::audio_buffer_info
