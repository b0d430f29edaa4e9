// RTArticulated: the motion player of a character's skin (see articulated_calls.h). Tweening
// between motions, custom motion sets and bone attachments are not part of it.
#include <cmath>

#include "articulated_state.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"

namespace kivo::articulated {

namespace {

constexpr uint32_t kStateWord = kObjectSize - 4;
constexpr bool kOverrides = true;
constexpr float kMillisecondsPerSecond = 1000.0f;

RTSuccess Construct(RTInstance self) { return MakeState<ArticulatedState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<ArticulatedState>(self, kStateWord);
  return kRTSuccess;
}

RTInstance CurrentMotion(const ArticulatedState& state) {
  return state.current < state.motions.size() ? state.motions[state.current].get() : nullptr;
}

// The time brought into the motion's span: wrapped around it when looping, else held at its ends.
float WithinSpan(const ArticulatedState& state, float time) {
  float start = 0, end = 0;
  SpanOf(CurrentMotion(state), &start, &end);
  if (!(end > start)) return start;
  if (!state.looping) return std::fmin(std::fmax(time, start), end);
  const float span = end - start;
  float wrapped = std::fmod(time - start, span);
  if (wrapped < 0) wrapped += span;
  return start + wrapped;
}

RTSuccess AppendMotion(RTInstance self, RTInstance motion, uint32_t* index) {
  ArticulatedState* state = StateOf(self);
  if (!state || !index) return kRTFailure;
  if (!motion || !ModuleCore()->IsKindOfByName(nullptr, motion, motion::kClassName)) {
    RaiseFormatted(kLevelError, u"RTArticulated::AppendMotion(): the motion is no RTAnimTrack");
    return kRTFailure;
  }
  if (!ModuleCore()->ResolveHandle(nullptr, motion)) return kRTFailure;
  state->motions.emplace_back(motion);
  *index = static_cast<uint32_t>(state->motions.size() - 1);
  return kRTSuccess;
}

RTSuccess SetMotion(RTInstance self, uint32_t index) {
  ArticulatedState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (index >= state->motions.size()) {
    RaiseFormatted(kLevelError, u"RTArticulated::SetMotion(): motion %u of %u", index,
                   static_cast<uint32_t>(state->motions.size()));
    return kRTFailure;
  }
  if (index == state->current) return kRTSuccess;
  state->current = index;
  float end = 0;
  SpanOf(CurrentMotion(*state), &state->motionTime, &end);
  return kRTSuccess;
}

RTSuccess GetMotion(RTInstance self, uint32_t* index) {
  ArticulatedState* state = StateOf(self);
  if (!state || !index) return kRTFailure;
  *index = state->current;
  return kRTSuccess;
}

template <class Value>
RTSuccess Store(RTInstance self, Value ArticulatedState::*field, Value value) {
  ArticulatedState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->*field = value;
  return kRTSuccess;
}

template <class Value>
RTSuccess Give(RTInstance self, Value ArticulatedState::*field, Value* value) {
  ArticulatedState* state = StateOf(self);
  if (!state || !value) return kRTFailure;
  *value = state->*field;
  return kRTSuccess;
}

RTSuccess SetLooping(RTInstance self, RTBool looping) { return Store(self, &ArticulatedState::looping, looping); }
RTSuccess SetPlaying(RTInstance self, RTBool playing) { return Store(self, &ArticulatedState::playing, playing); }
RTSuccess SetRate(RTInstance self, float rate) { return Store(self, &ArticulatedState::rate, rate); }
RTSuccess GetRate(RTInstance self, float* rate) { return Give(self, &ArticulatedState::rate, rate); }
RTSuccess SetMotionTime(RTInstance self, float time) { return Store(self, &ArticulatedState::motionTime, time); }
RTSuccess GetMotionTime(RTInstance self, float* time) { return Give(self, &ArticulatedState::motionTime, time); }

RTSuccess IsMotionDone(RTInstance self, RTBool* done) {
  ArticulatedState* state = StateOf(self);
  if (!state || !done) return kRTFailure;
  float start = 0, end = 0;
  SpanOf(CurrentMotion(*state), &start, &end);
  *done = !CurrentMotion(*state) || (!state->looping && state->motionTime >= end) ? 1 : 0;
  return kRTSuccess;
}

RTSuccess Evaluate(RTInstance self, uint32_t milliseconds, RTInstance* motion) {
  ArticulatedState* state = StateOf(self);
  if (!state || !motion) return kRTFailure;
  *motion = nullptr;
  RTInstance current = CurrentMotion(*state);
  if (!current) return kRTFailure;
  if (state->timed && milliseconds != state->lastFrame && state->playing) {
    // A frame time that went back counts as no time.
    const uint32_t elapsed = milliseconds > state->lastFrame ? milliseconds - state->lastFrame : 0;
    state->motionTime = WithinSpan(*state, state->motionTime + elapsed / kMillisecondsPerSecond * state->rate);
  }
  state->timed = true;
  state->lastFrame = milliseconds;
  if (!motion::UpdateFrame(current, state->motionTime, state->looping) ||
      !ModuleCore()->ResolveHandle(nullptr, current))
    return kRTFailure;
  *motion = current;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"AppendMotion", AppendMotion, kAppendMotion, u"RTSuccess", u"RTInstance ahMotion, uint out opIndex"),
    Method(u"SetMotion", SetMotion, kSetMotion, u"RTSuccess", u"uint aIndex"),
    Method(u"GetMotion", GetMotion, kGetMotion, u"RTSuccess", u"uint out opIndex"),
    Method(u"SetLooping", SetLooping, kSetLooping, u"RTSuccess", u"RTBool abLooping"),
    Method(u"SetPlaying", SetPlaying, kSetPlaying, u"RTSuccess", u"RTBool abPlaying"),
    Method(u"SetRate", SetRate, kSetRate, u"RTSuccess", u"float aRate"),
    Method(u"GetRate", GetRate, kGetRate, u"RTSuccess", u"float out opRate"),
    Method(u"SetMotionTime", SetMotionTime, kSetMotionTime, u"RTSuccess", u"float aTime"),
    Method(u"GetMotionTime", GetMotionTime, kGetMotionTime, u"RTSuccess", u"float out opTime"),
    Method(u"IsMotionDone", IsMotionDone, kIsMotionDone, u"RTSuccess", u"RTBool out opbDone"),
    Method(u"Evaluate", Evaluate, kEvaluate, u"RTSuccess", u"uint aMSTime, RTInstance out ophMotion"),
    Method(u"StreamIn", StreamIn, kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = u"RTComponent",
    .description = u"Plays one motion of a set over a character's skin",
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

ArticulatedState* StateOf(RTInstance self) { return StateIn<ArticulatedState>(self, kStateWord); }

void SpanOf(RTInstance motion, float* start, float* end) {
  *start = 0;
  *end = 0;
  if (motion && !motion::GetInfo(motion, start, end)) *start = *end = 0;
}

}  // namespace kivo::articulated

KIVO_COMPONENT(kivo::articulated::gDefinition)
