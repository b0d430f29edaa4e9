// RTRigid: the motion player of a node (see rigid_calls.h).
#include <cmath>

#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "rigid_state.h"

namespace kivo::rigid {

namespace {

constexpr bool kOverrides = true;
constexpr float kMillisecondsPerSecond = 1000.0f;

RTSuccess Construct(RTInstance self) { return MakeState<RigidState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<RigidState>(self, kStateWord);
  return kRTSuccess;
}

// The time brought into the motion's span: wrapped around it when looping, else held at its ends.
float WithinSpan(RTInstance motion, RTBool looping, float time) {
  float start = 0, end = 0;
  SpanOf(motion, &start, &end);
  if (!(end > start)) return start;
  if (!looping) return std::fmin(std::fmax(time, start), end);
  const float span = end - start;
  float wrapped = std::fmod(time - start, span);
  if (wrapped < 0) wrapped += span;
  return start + wrapped;
}

RTSuccess AppendMotion(RTInstance self, RTInstance motion, uint32_t* index) {
  RigidState* state = StateOf(self);
  if (!state || !index) return kRTFailure;
  if (!motion || !ModuleCore()->IsKindOfByName(nullptr, motion, motion::kClassName)) {
    RaiseFormatted(kLevelError, u"RTRigid::AppendMotion(): the motion is no RTAnimTrack");
    return kRTFailure;
  }
  if (!ModuleCore()->ResolveHandle(nullptr, motion)) return kRTFailure;
  state->motions.emplace_back(motion);
  *index = static_cast<uint32_t>(state->motions.size() - 1);
  return kRTSuccess;
}

RTSuccess SetMotion(RTInstance self, uint32_t index) {
  RigidState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (index >= state->motions.size()) {
    RaiseFormatted(kLevelError, u"RTRigid::SetMotion(): motion %u of %u", index,
                   static_cast<uint32_t>(state->motions.size()));
    return kRTFailure;
  }
  if (index == state->current) return kRTSuccess;
  state->blend = state->tween > 0 ? Blend{state->CurrentMotion(), state->motionTime, state->looping, 0.0f} : Blend{};
  state->current = index;
  float end = 0;
  SpanOf(state->CurrentMotion(), &state->motionTime, &end);
  return kRTSuccess;
}

RTSuccess GetMotion(RTInstance self, uint32_t* index) {
  RigidState* state = StateOf(self);
  if (!state || !index) return kRTFailure;
  *index = state->current;
  return kRTSuccess;
}

template <class Value>
RTSuccess Store(RTInstance self, Value RigidState::*field, Value value) {
  RigidState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->*field = value;
  return kRTSuccess;
}

template <class Value>
RTSuccess Give(RTInstance self, Value RigidState::*field, Value* value) {
  RigidState* state = StateOf(self);
  if (!state || !value) return kRTFailure;
  *value = state->*field;
  return kRTSuccess;
}

RTSuccess SetLooping(RTInstance self, RTBool looping) { return Store(self, &RigidState::looping, looping); }
RTSuccess SetPlaying(RTInstance self, RTBool playing) { return Store(self, &RigidState::playing, playing); }
RTSuccess SetRate(RTInstance self, float rate) { return Store(self, &RigidState::rate, rate); }
RTSuccess GetRate(RTInstance self, float* rate) { return Give(self, &RigidState::rate, rate); }
RTSuccess SetMotionTime(RTInstance self, float time) { return Store(self, &RigidState::motionTime, time); }
RTSuccess GetMotionTime(RTInstance self, float* time) { return Give(self, &RigidState::motionTime, time); }
RTSuccess GetTween(RTInstance self, float* seconds) { return Give(self, &RigidState::tween, seconds); }

RTSuccess SetTween(RTInstance self, float seconds) {
  if (!(seconds >= 0)) return kRTFailure;
  return Store(self, &RigidState::tween, seconds);
}

RTSuccess IsMotionDone(RTInstance self, RTBool* done) {
  RigidState* state = StateOf(self);
  if (!state || !done) return kRTFailure;
  float start = 0, end = 0;
  SpanOf(state->CurrentMotion(), &start, &end);
  *done = !state->CurrentMotion() || (!state->looping && state->motionTime >= end) ? 1 : 0;
  return kRTSuccess;
}

// Evaluates the current motion at its time, blended from the motion left while a change blends in
// (the motion left is evaluated again first: other players may share it).
bool EvaluateCurrent(RigidState& state, RTInstance current) {
  Blend& blend = state.blend;
  if (blend.from && state.tween > 0 && blend.elapsed < state.tween) {
    return motion::UpdateFrame(blend.from, blend.fromTime, blend.fromLooping) &&
           motion::TweenFrame(current, state.motionTime, blend.elapsed / state.tween, state.looping, 0, blend.from);
  }
  blend = Blend{};
  return motion::UpdateFrame(current, state.motionTime, state.looping);
}

RTSuccess Evaluate(RTInstance self, uint32_t milliseconds, RTInstance* motion) {
  RigidState* state = StateOf(self);
  if (!state || !motion) return kRTFailure;
  *motion = nullptr;
  RTInstance current = state->CurrentMotion();
  if (!current) return kRTFailure;
  if (state->timed && milliseconds != state->lastFrame && state->playing) {
    // A frame time that went back counts as no time.
    const float elapsed =
        (milliseconds > state->lastFrame ? milliseconds - state->lastFrame : 0) / kMillisecondsPerSecond;
    state->motionTime = WithinSpan(current, state->looping, state->motionTime + elapsed * state->rate);
    state->blend.elapsed += elapsed;
  }
  state->timed = true;
  state->lastFrame = milliseconds;
  if (!EvaluateCurrent(*state, current) || !ModuleCore()->ResolveHandle(nullptr, current)) return kRTFailure;
  *motion = current;
  return kRTSuccess;
}

RTSuccess CopyInto(RTInstance self, RTInstance target) {
  const RigidState* state = StateOf(self);
  RigidState* copy = target && target != self && ModuleCore()->IsKindOfByName(nullptr, target, kClassName)
                         ? StateOf(target)
                         : nullptr;
  if (!state || !copy) return kRTFailure;
  std::vector<InstanceRef> motions;
  for (const InstanceRef& motion : state->motions) {
    if (!ModuleCore()->ResolveHandle(nullptr, motion.get())) return kRTFailure;
    motions.emplace_back(motion.get());
  }
  RigidState fresh;
  fresh.motions = std::move(motions);
  fresh.current = state->current;
  fresh.looping = state->looping;
  fresh.playing = state->playing;
  fresh.rate = state->rate;
  fresh.tween = state->tween;
  *copy = std::move(fresh);
  return kRTSuccess;
}

RTSuccess ClearMotions(RTInstance self) {
  RigidState* state = StateOf(self);
  if (!state) return kRTFailure;
  RigidState fresh;
  fresh.looping = state->looping;
  fresh.playing = state->playing;
  fresh.rate = state->rate;
  fresh.tween = state->tween;
  *state = std::move(fresh);
  return kRTSuccess;
}

RTSuccess Play(RTInstance self, RTBool play) {
  RigidState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (play) {
    float end = 0;
    SpanOf(state->CurrentMotion(), &state->motionTime, &end);
    state->blend = Blend{};
  }
  state->playing = play ? 1 : 0;
  return kRTSuccess;
}

// The motion's transform is the node's own motion, so it applies before the anchor (row vectors:
// placement = motion x anchor).
RTSuccess PlaceNode(RTInstance self, uint32_t milliseconds, RTFMatrix4x4* placement, RTBool* placed) {
  RigidState* state = StateOf(self);
  if (!state || !placement || !placed) return kRTFailure;
  *placed = 0;
  if (!state->playing || !state->CurrentMotion()) return kRTSuccess;
  InstanceRef motion;
  MotionNode* root = nullptr;
  RTFMatrix4x4 transform;
  if (!Evaluate(self, milliseconds, motion.out()) || !motion::GetRootNode(motion.get(), &root) || !root ||
      !motion::GetNodeTM(motion.get(), root, &transform))
    return kRTFailure;
  if (!state->anchored) {
    state->anchor = *placement;
    state->anchored = true;
  }
  Mat4Multiply(transform, state->anchor, placement);
  *placed = 1;
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
    Method(u"SetTween", SetTween, kSetTween, u"RTSuccess", u"float aSeconds"),
    Method(u"GetTween", GetTween, kGetTween, u"RTSuccess", u"float out opSeconds"),
    Method(u"CopyInto", CopyInto, kCopyInto, u"RTSuccess", u"RTInstance ahTarget"),
    Method(u"ClearMotions", ClearMotions, kClearMotions, u"RTSuccess", u""),
    Method(u"Play", Play, kPlay, u"RTSuccess", u"RTBool abPlay"),
    Method(u"PlaceNode", PlaceNode, kPlaceNode, u"RTSuccess",
           u"uint aMSTime, RTFMatrix4x4* apPlacement, RTBool out opbPlaced"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = u"RTComponent",
    .description = u"Plays one motion of a set over a node",
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

}  // namespace kivo::rigid

KIVO_COMPONENT(kivo::rigid::gDefinition)
