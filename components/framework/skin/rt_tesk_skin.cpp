// RTTeskSkin: a character's skin (see tesk_skin_calls.h). Its level keeps no state: the pose comes
// from the motion player of the node it is drawn for, with that player's reaches and bone turn.
//
// Stream form: RTBoneModel's part (read and written through that level's own table), then
//   u32 version        1; a newer version is refused
#include "kivo/articulated/articulated_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/skin/tesk_skin_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/version_part.h"

namespace {

using namespace kivo;
namespace slot = kivo::tesk_skin;

constexpr bool kOverrides = true;
constexpr ParentStream kSkinPart{bone_model::kOwnTable, bone_model::kStreamIn, bone_model::kStreamOut};

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  return CallParentMethod(self, bone_model::kOwnTable, bone_model::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, slot::kStreamVersion)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  return StreamInAfterParent(self, kSkinPart, stage, stream,
                             [&] { return ReadVersionPart(stream, slot::kStreamVersion, slot::kClassName) != 0; });
}

// The motion player of the node being drawn, when the node is a game node that has one (an
// instance of another class is no player).
InstanceRef AnimatorOf(RTInstance node) {
  InstanceRef animator;
  if (node && ModuleCore()->IsKindOfByName(nullptr, node, tesk_scene_node::kClassName))
    tesk_scene_node::GetAnimator(node, animator.out());
  if (animator.get() && !ModuleCore()->IsKindOfByName(nullptr, animator.get(), articulated::kClassName))
    animator.Reset();
  return animator;
}

RTSuccess ProcessFrame(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  if (!frame) return kRTFailure;
  const InstanceRef animator = AnimatorOf(frame->node);
  InstanceRef motion;
  const RTFMatrix4x4* world = nullptr;
  if (animator.get() && rigid::Evaluate(animator.get(), milliseconds, motion.out()) &&
      scene_node::GetWorldMatrix(frame->node, &world)) {
    rasterizer::PushWorldMatrix(frame->rasterizer, world);
    articulated::PoseSkin(animator.get(), self, 1);
    bone_model::Deform(self, motion.get());
    articulated::PoseSkin(animator.get(), self, 0);
    rasterizer::PopWorldMatrix(frame->rasterizer);
    articulated::PlaceAttachments(animator.get(), self);
  }
  return CallParentMethod(self, bone_model::kOwnTable, bone_model::kProcessFrame, milliseconds, frame);
}

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, slot::kGetStageCount, u"RTSuccess", u"uint out opCount", kOverrides),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"ProcessFrame", ProcessFrame, slot::kProcessFrame, u"RTSuccess",
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = bone_model::kClassName,
    .description = u"A character's skin, posed by the motion player of the node it is drawn for",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
