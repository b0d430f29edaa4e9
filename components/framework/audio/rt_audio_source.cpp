// RTAudioSource: one voice of the game's sound over OpenAL (see audio_service_calls.h). Its OpenAL
// source is made on first use, in the context that the audio service made current; before the
// service has opened its device every call fails.
#include <AL/al.h>
#include <AL/alc.h>

#include "audio_source_state.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::audio_source;
using slot::SourceState;

SourceState* StateOf(RTInstance self) { return StateIn<SourceState>(self, slot::kStateWord); }

RTSuccess Construct(RTInstance self) {
  return MakeState<SourceState>(self, slot::kStateWord) ? kRTSuccess : kRTFailure;
}

RTSuccess Destroy(RTInstance self) {
  SourceState* state = StateOf(self);
  if (state && state->made && alcGetCurrentContext()) alDeleteSources(1, &state->source);
  EndState<SourceState>(self, slot::kStateWord);
  return kRTSuccess;
}

// The instance's OpenAL source, made now when it has none; null without a current context.
const ALuint* Source(RTInstance self) {
  SourceState* state = StateOf(self);
  if (!state || !alcGetCurrentContext()) return nullptr;
  if (!state->made) {
    alGetError();
    alGenSources(1, &state->source);
    state->made = alGetError() == AL_NO_ERROR;
  }
  return state->made ? &state->source : nullptr;
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

constexpr PublishedMethod kPublished[] = {
#define KIVO_AUDIO_SOURCE_PUBLISHED(name, offset, ...) {u"" #name, offset},
    KIVO_AUDIO_SOURCE_METHODS(KIVO_AUDIO_SOURCE_PUBLISHED)
#undef KIVO_AUDIO_SOURCE_PUBLISHED
};
auto gMethods = PublishedMethodTable(
    kPublished, {Built(slot::kPlay, Play), Built(slot::kStopSource, StopSource), Built(slot::kPauseSource, PauseSource),
                 Built(slot::kGetSourceState, GetSourceState)});

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
