// RTArticulated: the motion player of a character's skin (see articulated_calls.h). The motion set
// is its RTRigid level's, which it changes in place.
#include <algorithm>

#include "articulated_state.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "rigid_state.h"

namespace kivo::articulated {

namespace {

RTSuccess Construct(RTInstance self) { return MakeState<ArticulatedState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<ArticulatedState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess AddCustomMotion(RTInstance self, RTInstance motion, uint32_t* index) {
  return StateOf(self) ? rigid::AppendMotion(self, motion, index) : kRTFailure;
}

RTSuccess ReplaceMotion(RTInstance self, uint32_t index, RTInstance motion) {
  rigid::RigidState* player = rigid::StateOf(self);
  if (!player || !StateOf(self)) return kRTFailure;
  if (index >= player->motions.size()) {
    RaiseFormatted(kLevelError, u"RTArticulated::ReplaceMotion(): motion %u of %u", index,
                   static_cast<uint32_t>(player->motions.size()));
    return kRTFailure;
  }
  if (!motion || !ModuleCore()->IsKindOfByName(nullptr, motion, motion::kClassName)) {
    RaiseFormatted(kLevelError, u"RTArticulated::ReplaceMotion(): the motion is no RTAnimTrack");
    return kRTFailure;
  }
  if (!ModuleCore()->ResolveHandle(nullptr, motion)) return kRTFailure;
  // A blend from the motion given up would read it after it went.
  if (player->blend.from == player->motions[index].get()) player->blend = rigid::Blend{};
  player->motions[index] = InstanceRef(motion);
  if (index == player->current) {
    float end = 0;
    rigid::SpanOf(motion, &player->motionTime, &end);
  }
  return kRTSuccess;
}

std::vector<Attachment>::iterator AttachmentOf(ArticulatedState& state, RTInstance node) {
  return std::find_if(state.attachments.begin(), state.attachments.end(),
                      [&](const Attachment& attachment) { return attachment.node.get() == node; });
}

RTSuccess AttachNode(RTInstance self, RTBoneNode* bone, const RTFMatrix4x4* offset, RTInstance node) {
  ArticulatedState* state = StateOf(self);
  if (!state || !bone || !offset || !node || !ModuleCore()->IsKindOfByName(nullptr, node, scene_node::kClassName))
    return kRTFailure;
  if (const auto attached = AttachmentOf(*state, node); attached != state->attachments.end()) {
    attached->bone = bone;
    attached->offset = *offset;
    return kRTSuccess;
  }
  if (!ModuleCore()->ResolveHandle(nullptr, node)) return kRTFailure;
  state->attachments.push_back(Attachment{bone, *offset, InstanceRef(node)});
  return kRTSuccess;
}

RTSuccess DetachNode(RTInstance self, RTBoneNode* bone, RTInstance node) {
  ArticulatedState* state = StateOf(self);
  if (!state) return kRTFailure;
  const auto attached = AttachmentOf(*state, node);
  if (attached == state->attachments.end() || attached->bone != bone) return kRTFailure;
  state->attachments.erase(attached);
  return kRTSuccess;
}

RTSuccess PlaceAttachments(RTInstance self, RTInstance skin) {
  ArticulatedState* state = StateOf(self);
  if (!state || !skin) return kRTFailure;
  for (const Attachment& attachment : state->attachments) {
    const RTFMatrix4x4* bone = nullptr;
    RTFMatrix4x4 placement;
    if (!bone_model::GetNodeTM(skin, attachment.bone, &bone)) return kRTFailure;
    Mat4Multiply(attachment.offset, *bone, &placement);
    scene_node::SetLocalMatrix(attachment.node.get(), &placement);
  }
  return kRTSuccess;
}

Reach* ReachOf(ArticulatedState& state, int32_t chain) {
  for (Reach& reach : state.reaches)
    if (reach.chain == chain) return &reach;
  Reach added{chain, 0, {}};
  Mat4Identity(&added.target);
  return &state.reaches.emplace_back(added);
}

RTSuccess SetReachActive(RTInstance self, int32_t chain, RTBool active) {
  ArticulatedState* state = StateOf(self);
  if (!state || chain < 0) return kRTFailure;
  ReachOf(*state, chain)->active = active ? 1 : 0;
  return kRTSuccess;
}

RTSuccess SetReachTarget(RTInstance self, int32_t chain, const RTFMatrix4x4* target) {
  ArticulatedState* state = StateOf(self);
  if (!state || chain < 0 || !target) return kRTFailure;
  ReachOf(*state, chain)->target = *target;
  return kRTSuccess;
}

RTSuccess GetReach(RTInstance self, int32_t chain, RTBool* active, RTFMatrix4x4* target) {
  ArticulatedState* state = StateOf(self);
  if (!state || !active || !target) return kRTFailure;
  for (const Reach& reach : state->reaches)
    if (reach.chain == chain) {
      *active = reach.active;
      *target = reach.target;
      return kRTSuccess;
    }
  return kRTFailure;
}

RTSuccess SetBoneTurn(RTInstance self, RTBoneNode* bone, const RTFMatrix4x4* turn) {
  ArticulatedState* state = StateOf(self);
  if (!state || (bone && !turn)) return kRTFailure;
  state->turnedBone = bone;
  if (bone) state->turn = *turn;
  return kRTSuccess;
}

RTSuccess PoseSkin(RTInstance self, RTInstance skin, RTBool on) {
  ArticulatedState* state = StateOf(self);
  if (!state || !skin) return kRTFailure;
  for (const Reach& reach : state->reaches) {
    if (!reach.active) continue;
    if (on) bone_model::SetIKTarget(skin, &reach.target, reach.chain);
    bone_model::SetIKChainActive(skin, on, reach.chain);
  }
  if (state->turnedBone) {
    if (on)
      bone_model::ManipulateNode(skin, state->turnedBone, &state->turn);
    else
      bone_model::ResetNode(skin, state->turnedBone);
  }
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"AddCustomMotion", AddCustomMotion, kAddCustomMotion, u"RTSuccess",
           u"RTInstance ahMotion, uint out opIndex"),
    Method(u"ReplaceMotion", ReplaceMotion, kReplaceMotion, u"RTSuccess", u"uint aIndex, RTInstance ahMotion"),
    Method(u"AttachNode", AttachNode, kAttachNode, u"RTSuccess",
           u"void* apBone, RTFMatrix4x4 in apOffset, RTInstance ahNode"),
    Method(u"DetachNode", DetachNode, kDetachNode, u"RTSuccess", u"void* apBone, RTInstance ahNode"),
    Method(u"PlaceAttachments", PlaceAttachments, kPlaceAttachments, u"RTSuccess", u"RTInstance ahSkin"),
    Method(u"SetReachActive", SetReachActive, kSetReachActive, u"RTSuccess", u"sint aChain, RTBool abActive"),
    Method(u"SetReachTarget", SetReachTarget, kSetReachTarget, u"RTSuccess", u"sint aChain, RTFMatrix4x4 in apTarget"),
    Method(u"GetReach", GetReach, kGetReach, u"RTSuccess",
           u"sint aChain, RTBool out opbActive, RTFMatrix4x4 out opTarget"),
    Method(u"SetBoneTurn", SetBoneTurn, kSetBoneTurn, u"RTSuccess", u"void* apBone, RTFMatrix4x4 in apTurn"),
    Method(u"PoseSkin", PoseSkin, kPoseSkin, u"RTSuccess", u"RTInstance ahSkin, RTBool abOn"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = rigid::kClassName,
    .description = u"Plays one motion of a set over a character's skin and carries nodes on its bones",
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

}  // namespace kivo::articulated

KIVO_COMPONENT(kivo::articulated::gDefinition)
