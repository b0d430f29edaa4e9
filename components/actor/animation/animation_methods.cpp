#include "animation_methods.h"

#include <string>

#include "kivo/articulated/articulated_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

// The longest instance paths the methods make, in UTF-16 units without the terminator; a name that
// would make a longer one is found nowhere.
constexpr size_t kMotionPathUnits = 511;
constexpr size_t kCustomPathUnits = 255;
constexpr char16_t kCustomMotionFolder[] = u"Root:Characters:Assets:Motions:DrProto_";

// The motion at the path, with a reference; empty when the path is too long or names nothing.
InstanceRef FindMotion(const std::u16string& path, size_t limit) {
  InstanceRef motion;
  if (path.size() <= limit) ModuleCore()->GetInstanceByName(nullptr, path.c_str(), motion.out(), 0);
  return motion;
}

InstanceRef FindCustomMotion(const char16_t* name, size_t limit) {
  return FindMotion(std::u16string(kCustomMotionFolder) + name, limit);
}

void CannotFindCustom() { RaiseFormatted(kLevelError, u"Cannot find custom animation"); }

// The player of the calling object's wrapper; null when it has none.
RTInstance PlayerOf(RTInstance self, void* object) {
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  return wrapper ? wrapper->Animator : nullptr;
}

template <class Setter>
RTSuccess SetReal(RTInstance self, void* object, uint32_t count, Cell* arguments, Setter set) {
  const std::optional<float> value = ScriptArguments(count, arguments).Real(0);
  RTInstance player = PlayerOf(self, object);
  return player && value ? set(player, *value) : kRTFailure;
}

template <class Getter>
RTSuccess GetReal(RTInstance self, void* object, Cell* result, Getter get) {
  RTInstance player = PlayerOf(self, object);
  return player && result ? get(player, &result->value.real) : kRTFailure;
}

}  // namespace

RTSuccess PlayMotionC(RTInstance, RTTeskActorWrapper* wrapper, uint32_t index, RTBool loop) {
  if (!wrapper || !rigid::SetMotion(wrapper->Animator, index)) return kRTFailure;
  wrapper->MoveAnimation = 1;
  rigid::SetLooping(wrapper->Animator, loop);
  return rigid::SetPlaying(wrapper->Animator, 1);
}

RTSuccess AddMotion(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ScriptArguments read(count, arguments);
  const char16_t* root = read.Text(0);
  const char16_t* name = read.Text(1);
  if (!root || !name || !result) return kRTFailure;
  result->type = varno::kTypeNumber;
  result->value.number = -1;
  const InstanceRef motion = FindMotion(std::u16string(root) + u":Assets:Motions:" + name, kMotionPathUnits);
  if (!motion.get()) return kRTSuccess;
  RTInstance player = PlayerOf(self, object);
  if (!player) return kRTFailure;
  uint32_t index = 0;
  if (rigid::AppendMotion(player, motion.get(), &index)) result->value.number = static_cast<int32_t>(index);
  return kRTSuccess;
}

RTSuccess PlayAnimation(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const ScriptArguments read(count, arguments);
  const std::optional<int32_t> index = read.Integer(0);
  const std::optional<int32_t> loop = read.Integer(1);
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  if (!wrapper || !index || !loop) return kRTFailure;
  return PlayMotionC(self, wrapper, static_cast<uint32_t>(*index), *loop ? 1 : 0);
}

RTSuccess AddCustomAnimation(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const char16_t* name = ScriptArguments(count, arguments).Text(0);
  RTInstance player = PlayerOf(self, object);
  if (!player || !name || !result) return kRTFailure;
  const InstanceRef motion = FindCustomMotion(name, kCustomPathUnits);
  if (!motion.get()) {
    CannotFindCustom();
    return kRTFailure;
  }
  uint32_t index = 0;
  if (!articulated::AddCustomMotion(player, motion.get(), &index)) return kRTFailure;
  result->value.number = static_cast<int32_t>(index);
  return kRTSuccess;
}

RTSuccess ReplaceAnimation(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const ScriptArguments read(count, arguments);
  const std::optional<int32_t> index = read.Integer(0);
  const char16_t* name = read.Text(1);
  RTInstance player = PlayerOf(self, object);
  if (!player || !index || !name) return kRTFailure;
  const InstanceRef motion = FindCustomMotion(name, kCustomPathUnits);
  if (!motion.get()) {
    CannotFindCustom();
    return kRTFailure;
  }
  return articulated::ReplaceMotion(player, static_cast<uint32_t>(*index), motion.get());
}

// Each call appends the motion again: the set grows by one per call.
RTSuccess PlayOneShotAnimation(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const char16_t* name = ScriptArguments(count, arguments).Text(0);
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  if (!wrapper || !name) return kRTFailure;
  wrapper->MoveAnimation = 1;
  const InstanceRef motion = FindCustomMotion(name, kMotionPathUnits);
  uint32_t index = 0;
  if (!motion.get() || !rigid::AppendMotion(wrapper->Animator, motion.get(), &index)) {
    RaiseFormatted(kLevelError, u"Cannot locate animation: %s", name);
    return kRTSuccess;
  }
  rigid::SetMotion(wrapper->Animator, index);
  rigid::SetLooping(wrapper->Animator, 0);
  rigid::SetPlaying(wrapper->Animator, 1);
  return kRTSuccess;
}

// -1 holds the pose where it is; any other value lets the current motion loop on and hands the body
// back to the per-frame update.
RTSuccess StopAnimation(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const std::optional<int32_t> motion = ScriptArguments(count, arguments).Integer(0);
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  if (!wrapper || !motion) return kRTFailure;
  if (*motion == -1) return rigid::SetPlaying(wrapper->Animator, 0);
  rigid::SetLooping(wrapper->Animator, 1);
  rigid::SetPlaying(wrapper->Animator, 1);
  wrapper->MoveAnimation = 0;
  return kRTSuccess;
}

RTSuccess IsAnimationPlaying(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  RTInstance player = PlayerOf(self, object);
  RTBool done = 1;
  if (!player || !result || !rigid::IsMotionDone(player, &done)) return kRTFailure;
  result->value.number = done ? 0 : 1;
  return kRTSuccess;
}

RTSuccess SetAnimationTweenTime(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments, rigid::SetTween);
}
RTSuccess GetAnimationTweenTime(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result, rigid::GetTween);
}
RTSuccess SetAnimationPosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments, rigid::SetMotionTime);
}
RTSuccess GetAnimationPosition(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result, rigid::GetMotionTime);
}
RTSuccess SetAnimationRate(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments, rigid::SetRate);
}
RTSuccess GetAnimationRate(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result, rigid::GetRate);
}

// The icon's colour and radius are not kept: both only answer.
RTSuccess SetIconColor(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return WrapperOf(self, object) ? kRTSuccess : kRTFailure;
}
RTSuccess SetIconRadius(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return WrapperOf(self, object) ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::actor
