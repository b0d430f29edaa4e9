// RTAnimTrack: one motion, a tree of named nodes with position, rotation and scale keys, evaluated
// at a time for the skins that read its node matrices. Its parent class RTEditable writes the
// first part of its stream. The state record lives in the object word after the level's two
// table words.
#include "kivo/support/component_kit.h"
#include "kivo/support/version_part.h"
#include "motion_methods.h"
#include "motion_state.h"

namespace {

using namespace kivo;
using namespace kivo::anim_track;
namespace slot = kivo::motion;

constexpr bool kOverrides = true;
// Packed type words of the properties.
constexpr uint32_t kFloatProperty = 0x70404;
constexpr uint32_t kBoolProperty = 0xa0404;
constexpr uint32_t kUIntProperty = 0x50404;

RTSuccess Construct(RTInstance self) { return CreateState(self); }

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

RTSuccess Destroy(RTInstance self) {
  DestroyState(self);
  return kRTSuccess;
}

// The property accessors go through the instance's own slot table, so a derived class's methods
// serve its properties too.
RTSuccess SetStartTime(RTInstance self, const float* value) {
  float start = 0, end = 0;
  return value && slot::GetInfo(self, &start, &end) ? slot::SetInfo(self, *value, end) : kRTFailure;
}

RTSuccess GetStartTime(RTInstance self, float* value) {
  float end = 0;
  return value ? slot::GetInfo(self, value, &end) : kRTFailure;
}

RTSuccess SetEndTime(RTInstance self, const float* value) {
  float start = 0, end = 0;
  return value && slot::GetInfo(self, &start, &end) ? slot::SetInfo(self, start, *value) : kRTFailure;
}

RTSuccess GetEndTime(RTInstance self, float* value) {
  float start = 0;
  return value ? slot::GetInfo(self, &start, value) : kRTFailure;
}

RTSuccess SetContinuousProperty(RTInstance self, const RTBool* value) {
  return value ? slot::SetContinuous(self, *value) : kRTFailure;
}

RTSuccess GetContinuousProperty(RTInstance self, RTBool* value) { return slot::GetContinuous(self, value); }

RTSuccess SetThresholdProperty(RTInstance self, const float* value) {
  return value ? slot::SetThreshold(self, *value) : kRTFailure;
}

RTSuccess GetThresholdProperty(RTInstance self, float* value) { return slot::GetThreshold(self, value); }

RTSuccess SetPeriodProperty(RTInstance self, const float* value) {
  return value ? slot::SetPeriod(self, *value) : kRTFailure;
}

RTSuccess GetPeriodProperty(RTInstance self, float* value) { return slot::GetPeriod(self, value); }

RTSuccess GetMemoryProperty(RTInstance self, uint32_t* value) { return slot::GetMemory(self, value); }

template <class F>
RTMethodFunc Accessor(F* function) {
  return reinterpret_cast<RTMethodFunc>(function);
}

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, slot::kGetStageCount, u"RTSuccess", u"uint out opCount", kOverrides),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"UpdateFrame", UpdateFrame, slot::kUpdateFrame, u"RTSuccess",
           u"RTInstance ahSelf, float aTime, RTBool aLooped, RTBool aReverse"),
    Method(u"TweenFrame", TweenFrame, slot::kTweenFrame, u"RTSuccess",
           u"RTInstance ahSelf, float aTime, float aTweenPercent, RTBool aLooped, RTBool aReverse, "
           u"RTInstance ohTweenAnim"),
    Method(u"AddNode", AddNode, slot::kAddNode, u"RTSuccess",
           u"RTInstance ahSelf, wchar out opName, RTKeyPos out opKeyPos, RTKeyRot out opKeyRot, "
           u"RTKeyScl out opKeyScl, ulong anKeyPos, ulong anKeyRot, ulong anKeyScl, RTFVector3D out apPivot, "
           u"void out opParentNode"),
    Method(u"GetRootNode", GetRootNode, slot::kGetRootNode, u"RTSuccess", u"RTInstance ahSelf, void out out oppNode"),
    Method(u"GetNodeChild", GetNodeChild, slot::kGetNodeChild, u"RTSuccess",
           u"RTInstance ahSelf, void out apNode, void out out oppChildNode, ulong aIdx"),
    Method(u"GetNodeTMAdjusted", GetNodeTMAdjusted, slot::kGetNodeTMAdjusted, u"RTSuccess",
           u"RTInstance ahSelf, void out opNode, RTFVector3D out apSkinPivot, RTFMatrix4x4 out opTM"),
    Method(u"GetNodeTM", GetNodeTM, slot::kGetNodeTM, u"RTSuccess",
           u"RTInstance ahSelf, void out opNode, RTFMatrix4x4 out opTM"),
    Method(u"FindNode", FindNode, slot::kFindNode, u"RTSuccess",
           u"RTInstance ahSelf, wchar out opName, void out out oppNode"),
    Method(u"GetInfo", GetInfo, slot::kGetInfo, u"RTSuccess",
           u"RTInstance ahSelf, RTBool out opContinuous, float out apStart, float out apEnd"),
    Method(u"SetInfo", SetInfo, slot::kSetInfo, u"RTSuccess",
           u"RTInstance ahSelf, RTBool aContinuous, float aStart, float aEnd"),
    Method(u"SetContinuous", SetContinuous, slot::kSetContinuous, u"RTSuccess",
           u"RTInstance ahSelf, RTBool aContinuous"),
    Method(u"GetContinuous", GetContinuous, slot::kGetContinuous, u"RTSuccess",
           u"RTInstance ahSelf, RTBool out opContinuous"),
    Method(u"SetThreshold", SetThreshold, slot::kSetThreshold, u"RTSuccess", u"RTInstance ahSelf, float aThreshold"),
    Method(u"GetThreshold", GetThreshold, slot::kGetThreshold, u"RTSuccess",
           u"RTInstance ahSelf, float out apThreshold"),
    Method(u"SetPeriod", SetPeriod, slot::kSetPeriod, u"RTSuccess", u"RTInstance ahSelf, float aPeriod"),
    Method(u"GetPeriod", GetPeriod, slot::kGetPeriod, u"RTSuccess", u"RTInstance ahSelf, float out apPeriod"),
    Method(u"Commit", Commit, slot::kCommit, u"RTSuccess", u"RTInstance ahSelf"),
    Method(u"GetMemory", GetMemory, slot::kGetMemory, u"RTSuccess", u"RTInstance ahSelf, ulong out apBytes"),
    Method(u"AdjustNode", AdjustNode, slot::kAdjustNode, u"RTSuccess",
           u"RTInstance ahSelf, void out apNode, RTFVector3D out apAdjust"),
    Method(u"GetNode", GetNode, slot::kGetNode, u"RTSuccess",
           u"RTInstance ahSelf, wchar out apName, void out out appNode"),
    kEndOfMethods,
};

RTPropertyRecord gProperties[] = {
    {u"StartTime", kFloatProperty, Accessor(SetStartTime), Accessor(GetStartTime)},
    {u"EndTime", kFloatProperty, Accessor(SetEndTime), Accessor(GetEndTime)},
    {u"Continuous", kBoolProperty, Accessor(SetContinuousProperty), Accessor(GetContinuousProperty)},
    {u"Threshold", kFloatProperty, Accessor(SetThresholdProperty), Accessor(GetThresholdProperty)},
    {u"Period", kFloatProperty, Accessor(SetPeriodProperty), Accessor(GetPeriodProperty)},
    {u"Memory", kUIntProperty, nullptr, Accessor(GetMemoryProperty)},
    {},
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = editable::kClassName,
    .description = u"Contains the base functionality that all Motions inherit.",
    .objectSize = kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .properties = gProperties,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
