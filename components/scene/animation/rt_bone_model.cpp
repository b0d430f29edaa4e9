// RTBoneModel: the skinned mesh (see bone_model_calls.h). Its class level follows RTPolyModel's,
// whose stream part comes first in the skin's stream and whose list, drawing and measuring methods
// it overrides; it reaches the mesh's own versions through the mesh level's second table. The
// state record lives in the object word after the level's two table words.
#include "bind_lists.h"
#include "bone_methods.h"
#include "bone_model_state.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/version_part.h"

namespace kivo::skin {

namespace {

namespace slot = kivo::bone_model;

constexpr bool kInherited = true;
constexpr float kStartDamper = 0.15f;
constexpr float kStartGoalDistance = 0.001f;
constexpr int32_t kStartIterationLimit = 50;

// Shared by every skin of the library: the first construction reports the processor's SSE.
bool gFirstConstruction = true;

RTSuccess Construct(RTInstance self) {
  BoneModelState* state = MakeState<BoneModelState>(self, slot::kStateWord);
  if (!state) return kRTFailure;
  Mat4Identity(&state->modelMatrix);
  state->owner = self;
  state->damper = kStartDamper;
  state->iterationLimit = kStartIterationLimit;
  state->goalDistance = kStartGoalDistance;
  state->constraintsEnabled = 1;
  if (!ModuleCore()->GetFirstInstanceByString(nullptr, rasterizer::kClassName, &state->rasterizer, 1, nullptr)) {
    RaiseFormatted(kLevelError, u"Cannot create RTRasterizer instance");
    EndState<BoneModelState>(self, slot::kStateWord);
    return kRTFailure;
  }
  if (gFirstConstruction) {
    ModuleCore()->RaiseError(
        nullptr, HasSSE() ? u"RTBoneModel -- SSE extensions detected" : u"RTBoneModel -- SSE extensions not detected",
        kLevelError);
    gFirstConstruction = false;
  }
  return kRTSuccess;
}

RTSuccess Destruct(RTInstance self) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTSuccess;
  FreeBindList(state->vertices);
  FreeBindList(state->normals);
  FreeBindList(state->tangents);
  if (state->rasterizer) ModuleCore()->ReleaseInstance(nullptr, state->rasterizer);
  ReplaceTrees(*state, nullptr);
  FreeChains(state->chains, state->chainCount);
  EndState<BoneModelState>(self, slot::kStateWord);
  return kRTSuccess;
}

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

constexpr char16_t kSuccess[] = u"RTSuccess";

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, slot::kGetStageCount, kSuccess, u"uint out opCount", kInherited),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, kSuccess, u"uint aStage, RTInstance ahStream", kInherited),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, kSuccess, u"uint aStage, RTInstance ohStream", kInherited),
    Method(u"SetVectorListF", SetVectorListF, slot::kSetVectorListF, kSuccess,
           u"RTFVector3D[] apVectors, uint anVectors", kInherited),
    Method(u"SetTangentListF", SetTangentListF, slot::kSetTangentListF, kSuccess,
           u"RTFVector3D[] apTangents, uint anTangents", kInherited),
    Method(u"SetNormalListF", SetNormalListF, slot::kSetNormalListF, kSuccess,
           u"RTFVector3D[] apNormals, uint anNormals", kInherited),
    Method(u"AddNode", AddNode, slot::kAddNode, kSuccess,
           u"RTInstance ohSelf, wchar out opName, RTFMatrix4x4 out opInvLTM, RTTMatrix4x4 out opLocalTM, "
           u"ulong anVertices, ulong out opIndex, float out opWeight, void out out oppNode"),
    Method(u"GetRootNode", GetRootNode, slot::kGetRootNode, kSuccess, u"RTInstance ohSelf, void out out oppNode"),
    Method(u"Deform", Deform, slot::kDeform, kSuccess, u"RTInstance ohSelf, RTInstance ohMotion"),
    Method(u"GetNode", GetNode, slot::kGetNode, kSuccess, u"wchar out aoName, void out out aooNode"),
    Method(u"GetNodeTM", GetNodeTM, slot::kGetNodeTM, kSuccess, u"void out aoNode, RTFMatrix4x4 out out aooNodeTM"),
    Method(u"ManipulateNode", ManipulateNode, slot::kManipulateNode, kSuccess,
           u"void out aoNode, RTFMatrix4x4 out aoTM"),
    Method(u"ResetNode", ResetNode, slot::kResetNode, kSuccess, u"void out aoNode"),
    Method(u"SetRenderAxis", SetRenderAxis, slot::kSetRenderAxis, kSuccess, u"RTBool aDisplay"),
    Method(u"GetRenderAxis", GetRenderAxis, slot::kGetRenderAxis, kSuccess, u"RTBool out apDisplay"),
    Method(u"SetRenderBone", SetRenderBone, slot::kSetRenderBone, kSuccess, u"RTBool aDisplay"),
    Method(u"GetRenderBone", GetRenderBone, slot::kGetRenderBone, kSuccess, u"RTBool out apDisplay"),
    Method(u"GetIKChainsCount", GetIKChainsCount, slot::kGetIKChainsCount, kSuccess, u"slong out apCount"),
    Method(u"CreateIKChain", CreateIKChain, slot::kCreateIKChain, kSuccess,
           u"wchar out apRoot, wchar out apEndEffector, wchar out apName, slong* apChain"),
    Method(u"DeleteIKChain", DeleteIKChain, slot::kDeleteIKChain, kSuccess, u"slong aChain"),
    Method(u"GetIKChain", GetIKChain, slot::kGetIKChain, kSuccess,
           u"wchar out out appRoot, wchar out out appEndEffector, wchar out out appName, RTBool out apActive, "
           u"slong aChain"),
    Method(u"SetIKChain", SetIKChain, slot::kSetIKChain, kSuccess,
           u"wchar out apRoot, wchar out apEndEffector, wchar out apName, RTBool aActive, slong aChain"),
    Method(u"GetIKChainLinkCount", GetIKChainLinkCount, slot::kGetIKChainLinkCount, kSuccess,
           u"slong aChain, slong out out aCount"),
    Method(u"GetIKChainLink", GetIKChainLink, slot::kGetIKChainLink, kSuccess,
           u"slong aChain, void out out appLink, slong aIdx"),
    Method(u"SetIKTarget", SetIKTarget, slot::kSetIKTarget, kSuccess, u"RTFMatrix4x4 out apTM, slong aChain"),
    Method(u"GetIKTarget", GetIKTarget, slot::kGetIKTarget, kSuccess, u"RTFMatrix4x4 out apTM, slong aChain"),
    Method(u"SetIKDamper", SetIKDamper, slot::kSetIKDamper, kSuccess, u"float aDegrees"),
    Method(u"GetIKDamper", GetIKDamper, slot::kGetIKDamper, kSuccess, u"float apDegrees"),
    Method(u"SetIKIterations", SetIKIterations, slot::kSetIKIterations, kSuccess, u"slong aIterations"),
    Method(u"GetIKIterations", GetIKIterations, slot::kGetIKIterations, kSuccess, u"slong* apIterations"),
    Method(u"SetIKGoalDistance", SetIKGoalDistance, slot::kSetIKGoalDistance, kSuccess, u"float aDistance"),
    Method(u"GetIKGoalDistance", GetIKGoalDistance, slot::kGetIKGoalDistance, kSuccess, u"float* apDistance"),
    Method(u"SetIKTSConstraints", SetIKTSConstraints, slot::kSetIKTSConstraints, kSuccess,
           u"void out apNode, RTFVector3D out apSweepOffset, float aRadiusA, float aRadiusB, float aArcMin, "
           u"float aArcMax, float aTwistMin, float aTwistMax, ulong aDof"),
    Method(u"GetIKTSConstraints", GetIKTSConstraints, slot::kGetIKTSConstraints, kSuccess,
           u"void out apNode, RTFVector3D out apSweepOffset, float out apRadiusA, float out apRadiusB, "
           u"float out apArcMin, float out apArcMax, float out apTwistMin, float out apTwistMax, ulong out aDof"),
    Method(u"SetEnableIKConstraints", SetEnableIKConstraints, slot::kSetEnableIKConstraints, kSuccess,
           u"RTBool aEnable"),
    Method(u"GetEnableIKConstraints", GetEnableIKConstraints, slot::kGetEnableIKConstraints, kSuccess,
           u"RTBool out apEnable"),
    Method(u"SetIKDirty", SetIKDirty, slot::kSetIKDirty, kSuccess, u"slong aChain"),
    Method(u"SetIKRangeTest", SetIKRangeTest, slot::kSetIKRangeTest, kSuccess, u"void out apNode, float aPercent"),
    Method(u"GetHierarchy", GetHierarchy, slot::kGetHierarchy, kSuccess, u"RTBoneNode out out apRoot"),
    Method(u"GetNodeName", GetNodeName, slot::kGetNodeName, kSuccess, u"void out apNode, wchar out out apName"),
    Method(u"ProcessFrame", ProcessFrame, slot::kProcessFrame, kSuccess,
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation", kInherited),
    Method(u"GetBoundingBox", GetBoundingBox, slot::kGetBoundingBox, kSuccess,
           u"RTFVector3D out opMin, RTFVector3D out opMax", kInherited),
    Method(u"SetCustomTM", SetCustomTM, slot::kSetCustomTM, kSuccess, u"void out apNode, RTFVector3D out apEuler"),
    Method(u"GetCustomTM", GetCustomTM, slot::kGetCustomTM, kSuccess, u"void out apNode, RTFVector3D out apEuler"),
    Method(u"SetCustom", SetCustom, slot::kSetCustom, kSuccess, u"void out apNode, RTBool aSet"),
    Method(u"GetCustom", GetCustom, slot::kGetCustom, kSuccess, u"void out apNode, RTBool out apSet"),
    Method(u"ResetCustom", ResetCustom, slot::kResetCustom, kSuccess, u"void out apNode"),
    Method(u"FigureMode", FigureMode, slot::kFigureMode, kSuccess, u"RTBool aEnable"),
    Method(u"HasAlpha", HasAlpha, slot::kHasAlpha, kSuccess, u"RTBool out opbHasAlpha", kInherited),
    Method(u"CopyIK", CopyIK, slot::kCopyIK, kSuccess, u"RTInstance ohSelf, RTInstance ohIKSkin"),
    Method(u"GetVectorListF", GetVectorListF, slot::kGetVectorListF, kSuccess, u"", kInherited),
    Method(u"GetNormalListF", GetNormalListF, slot::kGetNormalListF, kSuccess, u"", kInherited),
    Method(u"SetIKChainActive", SetIKChainActive, slot::kSetIKChainActive, kSuccess, u"RTBool aActive, slong aChain"),
    Method(u"GetIKChainActive", GetIKChainActive, slot::kGetIKChainActive, kSuccess,
           u"RTBool out apActive, slong aChain"),
    Method(u"UpdateXForm", UpdateXForm, slot::kUpdateXForm, kSuccess, u"RTInstance ohSelf, RTInstance ohMotion"),
    Method(u"GetPivot", GetPivot, slot::kGetPivot, kSuccess,
           u"RTInstance ohSelf, void out apNode, RTFVector3D out apPivot"),
    Method(u"GetLocalTM", GetLocalTM, slot::kGetLocalTM, kSuccess, u"void out aoNode, RTFMatrix4x4 out out aooLocalTM"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = poly_model::kClassName,
    .description = u"Contains the base functionality that all Skins inherit.",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destruct,
});

}  // namespace

}  // namespace kivo::skin

KIVO_COMPONENT(kivo::skin::gDefinition)
