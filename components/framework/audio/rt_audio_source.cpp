// RTAudioSource: one voice of the game's sound over OpenAL (see audio_service_calls.h). Its OpenAL
// source is made on first use, in the context that the audio service made current; before the
// service has opened its device every call fails.
//
// Its level is its volume times the listener gain the service hands it, or its SetGain level once
// it has one (the speech source). Mode 128 puts an EFX low-pass (high frequencies at a quarter) on
// the direct path.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/efx.h>

#include "audio_buffer.h"
#include "audio_source_state.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::audio_source;
using slot::SourceState;

SourceState* StateOf(RTInstance self) { return StateIn<SourceState>(self, slot::kStateWord); }

// EFX entry points, looked up once from the driver.
struct Efx {
  LPALGENFILTERS genFilters = nullptr;
  LPALDELETEFILTERS deleteFilters = nullptr;
  LPALFILTERI filteri = nullptr;
  LPALFILTERF filterf = nullptr;
  bool present() const { return genFilters && deleteFilters && filteri && filterf; }
};
const Efx& EfxCalls() {
  static const Efx efx = {
      reinterpret_cast<LPALGENFILTERS>(alGetProcAddress("alGenFilters")),
      reinterpret_cast<LPALDELETEFILTERS>(alGetProcAddress("alDeleteFilters")),
      reinterpret_cast<LPALFILTERI>(alGetProcAddress("alFilteri")),
      reinterpret_cast<LPALFILTERF>(alGetProcAddress("alFilterf")),
  };
  return efx;
}

RTSuccess Construct(RTInstance self) {
  return MakeState<SourceState>(self, slot::kStateWord) ? kRTSuccess : kRTFailure;
}

RTSuccess Destroy(RTInstance self) {
  SourceState* state = StateOf(self);
  if (state && state->made && alcGetCurrentContext()) {
    alDeleteSources(1, &state->source);
    if (state->filter) EfxCalls().deleteFilters(1, &state->filter);
  }
  EndState<SourceState>(self, slot::kStateWord);
  return kRTSuccess;
}

constexpr ALfloat kMaxGain = 16.0f;  // OpenAL Soft's own ceiling of a source's gain
constexpr ALfloat kMuffledGainHF = 0.25f;

// The instance's OpenAL source, made now when it has none; null without a current context.
const ALuint* Source(RTInstance self) {
  SourceState* state = StateOf(self);
  if (!state || !alcGetCurrentContext()) return nullptr;
  if (!state->made) {
    alGetError();
    alGenSources(1, &state->source);
    state->made = alGetError() == AL_NO_ERROR;
    if (state->made) alSourcef(state->source, AL_MAX_GAIN, kMaxGain);
  }
  return state->made ? &state->source : nullptr;
}

// The state with its OpenAL source made, or null; OpenAL's error flag is cleared for the call.
SourceState* Ready(RTInstance self) {
  if (!Source(self)) return nullptr;
  alGetError();
  return StateOf(self);
}

void ApplyLevel(const SourceState& state) {
  alSourcef(state.source, AL_GAIN, state.hasGain ? state.gain : state.volume * state.listenerGain);
}

// The low-pass of the muffled mode, made on its first use; 0 when EFX is missing.
ALuint MuffleFilter(SourceState& state) {
  const Efx& efx = EfxCalls();
  if (state.filter || !efx.present()) return state.filter;
  alGetError();
  efx.genFilters(1, &state.filter);
  if (alGetError() != AL_NO_ERROR) return state.filter = 0;
  efx.filteri(state.filter, AL_FILTER_TYPE, AL_FILTER_LOWPASS);
  efx.filterf(state.filter, AL_LOWPASS_GAIN, 1.0f);
  efx.filterf(state.filter, AL_LOWPASS_GAINHF, kMuffledGainHF);
  return state.filter;
}

ALint StateOfSource(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

RTSuccess Play(RTInstance self) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alSourcePlay(*source);
  return StateOfSource(*source) == AL_PLAYING ? kRTSuccess : kRTFailure;
}

RTSuccess StopSource(RTInstance self) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alSourceStop(*source);
  return kRTSuccess;
}

RTSuccess PauseSource(RTInstance self) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alSourcePause(*source);
  return kRTSuccess;
}

RTSuccess GetSourceState(RTInstance self, uint32_t* state) {
  if (!state) return kRTFailure;
  *state = slot::kStopped;
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  switch (StateOfSource(*source)) {
    case AL_PLAYING:
      *state = slot::kPlaying;
      break;
    case AL_PAUSED:
      *state = slot::kPaused;
      break;
    default:
      break;
  }
  return kRTSuccess;
}

RTSuccess SetBuffer(RTInstance self, RTAudioBuffer* buffer) {
  SourceState* state = Ready(self);
  if (!state) return kRTFailure;
  alSourceStop(state->source);  // OpenAL changes no buffer of a playing or paused source
  alSourcei(state->source, AL_BUFFER, buffer ? static_cast<ALint>(buffer->name) : 0);
  alSourcei(state->source, AL_DIRECT_FILTER, AL_FILTER_NULL);
  state->buffer = buffer;
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess GetBuffer(RTInstance self, RTAudioBuffer** buffer) {
  SourceState* state = StateOf(self);
  if (!state || !buffer) return kRTFailure;
  *buffer = state->buffer;
  return kRTSuccess;
}

RTSuccess SetLooping(RTInstance self, uint32_t looping) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alSourcei(*source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
  return kRTSuccess;
}

RTSuccess SetRelative(RTInstance self, uint32_t relative) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alSourcei(*source, AL_SOURCE_RELATIVE, relative ? AL_TRUE : AL_FALSE);
  return kRTSuccess;
}

RTSuccess SetVolume(RTInstance self, float volume) {
  SourceState* state = Ready(self);
  if (!state) return kRTFailure;
  state->volume = volume;
  ApplyLevel(*state);
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess SetGain(RTInstance self, float gain) {
  SourceState* state = Ready(self);
  if (!state) return kRTFailure;
  state->gain = gain;
  state->hasGain = true;
  ApplyLevel(*state);
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess SetListenerGain(RTInstance self, float gain) {
  SourceState* state = Ready(self);
  if (!state) return kRTFailure;
  state->listenerGain = gain;
  ApplyLevel(*state);
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess SetPosition(RTInstance self, const RTFVector3D* position) {
  const ALuint* source = Source(self);
  if (!source || !position) return kRTFailure;
  alSource3f(*source, AL_POSITION, position->x, position->y, position->z);
  return kRTSuccess;
}

RTSuccess SetMode(RTInstance self, uint32_t mode) {
  SourceState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->mode = mode;
  return kRTSuccess;
}

RTSuccess ApplyMode(RTInstance self) {
  SourceState* state = Ready(self);
  if (!state) return kRTFailure;
  const ALuint filter = state->mode == slot::kModeMuffled ? MuffleFilter(*state) : 0;
  if (state->mode == slot::kModeMuffled && !filter) return kRTFailure;
  alSourcei(state->source, AL_DIRECT_FILTER, filter ? static_cast<ALint>(filter) : AL_FILTER_NULL);
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess GetPlayPosition(RTInstance self, uint32_t* frame) {
  const ALuint* source = Source(self);
  if (!source || !frame) return kRTFailure;
  ALint offset = 0;
  alGetSourcei(*source, AL_SAMPLE_OFFSET, &offset);
  *frame = offset > 0 ? static_cast<uint32_t>(offset) : 0;
  return kRTSuccess;
}

RTSuccess SetPlayPosition(RTInstance self, uint32_t frame) {
  const ALuint* source = Source(self);
  if (!source) return kRTFailure;
  alGetError();
  alSourcei(*source, AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

constexpr PublishedMethod kPublished[] = {
#define KIVO_AUDIO_SOURCE_PUBLISHED(name, offset, ...) {u"" #name, offset},
    KIVO_AUDIO_SOURCE_METHODS(KIVO_AUDIO_SOURCE_PUBLISHED)
#undef KIVO_AUDIO_SOURCE_PUBLISHED
};
auto gMethods = PublishedMethodTable(
    kPublished,
    {Built(slot::kSetBuffer, SetBuffer), Built(slot::kGetBuffer, GetBuffer), Built(slot::kPlay, Play),
     Built(slot::kStopSource, StopSource), Built(slot::kPauseSource, PauseSource), Built(slot::kSetLooping, SetLooping),
     Built(slot::kSetRelative, SetRelative), Built(slot::kGetSourceState, GetSourceState),
     Built(slot::kSetVolume, SetVolume), Built(slot::kSetPosition, SetPosition), Built(slot::kSetMode, SetMode),
     Built(slot::kApplyMode, ApplyMode), Built(slot::kSetGain, SetGain), Built(slot::kGetPlayPosition, GetPlayPosition),
     Built(slot::kSetPlayPosition, SetPlayPosition), Built(slot::kSetListenerGain, SetListenerGain)});

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A voice of the game's sound: an OpenAL source",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods.data(),
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
