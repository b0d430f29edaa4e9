// RTTeskSceneTree: the rooms of a level. The definition record lists the 39 methods of the tree's
// level in slot order (slots 0x7c and 0x98 stay empty) with their parameter texts as published,
// where several texts do not match what the method takes; the calls header gives the real
// parameters. The four properties copy their values in and out of the state.
#include "kivo/support/component_kit.h"
#include "kivo/support/editable_calls.h"
#include "scene_tree_methods.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr bool kInherited = true;

template <auto Field>
RTSuccess SetProperty(RTInstance self, const void* value) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !value) return kRTFailure;
  tree->*Field = *static_cast<const std::remove_reference_t<decltype(tree->*Field)>*>(value);
  return kRTSuccess;
}

template <auto Field>
RTSuccess GetProperty(RTInstance self, void* value) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !value) return kRTFailure;
  *static_cast<std::remove_reference_t<decltype(tree->*Field)>*>(value) = tree->*Field;
  return kRTSuccess;
}

template <auto Field>
RTPropertyRecord Property(const char16_t* name, uint32_t type) {
  return RTPropertyRecord{name, type, reinterpret_cast<RTMethodFunc>(SetProperty<Field>),
                          reinterpret_cast<RTMethodFunc>(GetProperty<Field>)};
}

RTPropertyRecord gProperties[] = {
    Property<&SceneTreeState::lightmapRez>(kLightmapRezProperty, kLightmapRezType),
    Property<&SceneTreeState::stochasticSamples>(kStochasticSamplesProperty, kStochasticSamplesType),
    Property<&SceneTreeState::ambient>(kAmbientColorProperty, kAmbientColorType),
    Property<&SceneTreeState::filterLightmap>(kFilterLightmapProperty, kFilterLightmapType),
    {},
};

constexpr char16_t kTime[] = u"uint aMSTime";
constexpr char16_t kRez[] = u"float out opLightmapRez";
constexpr char16_t kRoomParameter[] = u"RTInstance ahRoom";
constexpr char16_t kCameraParameter[] = u"RTInstance ahCameraNode";
constexpr char16_t kResult[] = u"RTSuccess";

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", method::GetStageCount, kGetStageCount, kResult, u"uint out opCount", kInherited),
    Method(u"StreamIn", method::StreamIn, kStreamIn, kResult, u"uint aStage, RTInstance ahStream", kInherited),
    Method(u"StreamOut", method::StreamOut, kStreamOut, kResult, u"uint aStage, RTInstance ohStream", kInherited),
    Method(u"UpdateTransforms", method::UpdateTransforms, kUpdateTransforms, kResult, kTime),
    Method(u"Render", method::Render, kRender, kResult, u""),
    Method(u"SetRenderCameraNode", method::SetRenderCameraNode, kSetRenderCameraNode, kResult, kCameraParameter),
    Method(u"GetRenderCameraNode", method::GetRenderCameraNode, kGetRenderCameraNode, kResult,
           u"RTInstance* ophCameraNode"),
    Method(u"AddRoom", method::AddRoom, kAddRoom, kResult, kRoomParameter),
    Method(u"RemoveRoom", method::RemoveRoom, kRemoveRoom, kResult, kRoomParameter),
    Method(u"GetRoomCount", method::GetRoomCount, kGetRoomCount, kResult, kTime),
    Method(u"GetRoomN", method::GetRoomN, kGetRoomN, kResult, kTime),
    Method(u"EnableDesigning", method::EnableDesigning, kEnableDesigning, kResult, kTime),
    Method(u"Prelight", method::Prelight, kPrelight, kResult, u""),
    Method(u"EnableStochasticLightingMode", method::EnableStochasticLightingMode, kEnableStochasticLightingMode,
           kResult, u"uint anSamples, RTBool abEnable"),
    Method(u"SetLightmapRez", method::SetLightmapRez, kSetLightmapRez, kResult, u"float aLightmapRez"),
    Method(u"GetLightmapRez", method::GetLightmapRez, kGetLightmapRez, kResult, kRez),
    Method(u"SetEditorProject", method::SetEditorProject, kSetEditorProject, kResult, kRez),
    Method(u"GetEditorProject", method::GetEditorProject, kGetEditorProject, kResult, kRez),
    Method(u"GetRoomByPoint", method::GetRoomByPoint, kGetRoomByPoint, kResult, kTime),
    Method(u"RayHitTest", method::RayHitTest, kRayHitTest, kResult, kRez),
    Method(u"ClearRoomList", method::ClearRoomList, kClearRoomList, kResult, kRez),
    Method(u"AddNodeToRoomN", method::AddNodeToRoomN, kAddNodeToRoomN, kResult, kRez),
    Method(u"AddNodeToRoom", method::AddNodeToRoom, kAddNodeToRoom, kResult, kRez),
    Method(u"QTAddNode", method::QTAddNode, kQTAddNode, kResult, kRez),
    Method(u"QTRemoveNode", method::QTRemoveNode, kQTRemoveNode, kResult, kRez),
    Method(u"QTQueryRadius", method::QTQueryRadius, kQTQueryRadius, kResult, kRez),
    Method(u"SphereHitTest", method::SphereHitTest, kSphereHitTest, kResult, kRez),
    Method(u"SetDesigningFlags", method::SetDesigningFlags, kSetDesigningFlags, kResult, kTime),
    Method(u"GetDesigningFlags", method::GetDesigningFlags, kGetDesigningFlags, kResult, kTime),
    Method(u"UpdateQuadTree", method::UpdateQuadTree, kUpdateQuadTree, kResult, kRez),
    Method(u"SetListenerNode", method::SetListenerNode, kSetListenerNode, kResult, kCameraParameter),
    Method(u"QTQueryRadiusByPoint", method::QTQueryRadiusByPoint, kQTQueryRadiusByPoint, kResult, kRez),
    Method(u"GetRoomByName", method::GetRoomByName, kGetRoomByName, kResult, kTime),
    Method(u"PrelightRoom", method::PrelightRoom, kPrelightRoom, kResult, kRez),
    Method(u"LoadScenarioN", method::LoadScenarioN, kLoadScenarioN, kResult, kRez),
    Method(u"AddRoomByName", method::AddRoomByName, kAddRoomByName, kResult, kRoomParameter),
    Method(u"SetHitTestFilter", method::SetHitTestFilter, kSetHitTestFilter, kResult, kRez),
    Method(u"GetRoomList", method::GetRoomList, kGetRoomList, kResult, kRez),
    Method(u"GetRoomNameList", method::GetRoomNameList, kGetRoomNameList, kResult, kRez),
    kEndOfMethods,
};
static_assert(std::size(gMethods) == 39 + 1);

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = editable::kClassName,
    .componentName = kClassName,
    .description = u"Contains the base functionality that all TeskSceneTrees inherit.",
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .properties = gProperties,
    .construct = method::Construct,
    .destroy = method::Destruct,
});

static_assert(kLevel == editable::kObjectSize, "the tree's level follows RTEditable's");

}  // namespace

}  // namespace tesk::scene_tree

KIVO_COMPONENT(tesk::scene_tree::gDefinition)
