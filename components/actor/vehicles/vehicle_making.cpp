#include "vehicle_making.h"

#include <vector>

#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/wide_string.h"

namespace tesk::actor {

namespace {

using namespace kivo;
using namespace kivo::actor;

constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kRootFlags = 0xa1;
constexpr uint32_t kSeatFlags = 0x59;
constexpr float kPi = 3.14159265f;

constexpr const char16_t* kWheelchairNames[kWheelchairNodes] = {
    u"tesk01-stm-generic-wheelchair01-bigwheel-left",     u"tesk01-stm-generic-wheelchair01-bigwheel-right",
    u"tesk01-stm-generic-wheelchair01-leftcaster",        u"tesk01-stm-generic-wheelchair01-rightcaster",
    u"tesk01-stm-generic-wheelchair01-littlewheel-left", u"tesk01-stm-generic-wheelchair01-littlewheel-right"};
constexpr const char16_t* kGurneyNames[kGurneyNodes] = {
    u"tesk01-dm-generic-gurney01-frontwheels", u"tesk01-dm-generic-gurney01-leftrearstrut",
    u"tesk01-dm-generic-gurney01-leftrearwheel", u"tesk01-dm-generic-gurney01-rtrearstrut",
    u"tesk01-dm-generic-gurney01-rtrearwheel", u"tesk01-dm-generic-gurney01"};
constexpr const char16_t* kAmbulanceNames[kAmbulanceNodes] = {u"tesk01-dm-ambulanceport-ambulance-frontwheelRT",
                                                              u"tesk01-dm-ambulanceport-ambulance-frontwheelLF",
                                                              u"tesk01-dm-ambulanceport-ambulance-rearwheels"};

CoreTable& Core() { return *ModuleCore(); }

void Release(RTInstance node) {
  if (node) Core().ReleaseInstance(nullptr, node);
}

template <class T>
T* Allocate() {
  void* block = nullptr;
  return Core().MemAlloc(nullptr, sizeof(T), &block, 1) ? static_cast<T*>(block) : nullptr;
}

// The index of the name among the wanted ones; count when it is none of them.
uint32_t NameIndex(RTInstance node, const char16_t* const* names, uint32_t count) {
  InstanceRef carried;
  char16_t name[kNameUnits] = {};
  if (!scene_node::GetEntity(node, carried.out()) || !carried.get() ||
      !Core().GetInstanceName(nullptr, carried.get(), name, kNameUnits))
    return count;
  name[kNameUnits - 1] = 0;
  for (uint32_t i = 0; i < count; ++i)
    if (WideStrEqualNoCase(name, names[i]) == 0) return i;
  return count;
}

void GiveModifiers(const TeskAnimObject& object, RTInstance root) {
  std::vector<RTInstance> rigids;
  for (RTInstance rigid : ListItems<RTInstanceRecord>(object.rigids)) rigids.push_back(rigid);
  scene_node::SetModifierList(root, rigids.data(), static_cast<uint32_t>(rigids.size()));
}

// A seat's node (the record's reference) under `parent`, at `at`; its pending move applied.
bool MakeSeat(VehiclePosition& seat, RTInstance parent, const RTFVector3D& at) {
  if (!Core().CreateInstanceByString(nullptr, tesk_scene_node::kClassName, &seat.node, 0, 1) || !seat.node)
    return false;
  seat.state = kPositionFree;
  tesk_scene_node::SetStateWord(seat.node, kSeatFlags);
  scene_node::SetTranslation(seat.node, &at);
  tesk_scene_node::ApplyMovement(seat.node);
  return scene_node::AddChild(parent, seat.node) != 0;
}

// A record of the kind around a loaded model; null when the record cannot be had.
VehicleRecord* NewRecord(VehicleKind kind, void* model, RTInstance root) {
  VehicleRecord* record = Allocate<VehicleRecord>();
  if (!record) return nullptr;
  record->kind = kind;
  record->model = model;
  record->root = root;
  Core().ResolveHandle(nullptr, root);
  tesk_scene_node::SetStateWord(root, kRootFlags);
  return record;
}

// Loads the kind's model into a new block of type M; null when the tree is missing.
template <class M>
M* LoadModel(const char16_t* path, const char16_t* const* names, uint32_t count) {
  M* model = Allocate<M>();
  if (model && CreateVehicle(&model->loaded, path, names, count, model->nodes)) return model;
  Core().MemFree(nullptr, model);
  return nullptr;
}

void ReleaseModel(LoadedModel& loaded, RTInstance* nodes, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) Release(nodes[i]);
  Release(loaded.modelRoot);
  AnimObjectDestroy(loaded.object);
}

RTFMatrix4x4 Grip(float x) {
  RTFMatrix4x4 grip;
  Mat4Identity(&grip);
  Mat4SetTranslation(&grip, RTFVector3D{x, 1.0f, -1.8f, 0.0f});
  return grip;
}

}  // namespace

RTSuccess CreateVehicle(LoadedModel* model, const char16_t* path, const char16_t* const* names, uint32_t count,
                        RTInstance* namedNodes) {
  InstanceRef stored, storedRoot;
  if (!Core().GetInstanceByName(nullptr, path, stored.out(), 0) || !stored.get() ||
      !plain_scene_tree::GetRootNode(stored.get(), storedRoot.out()) || !storedRoot.get())
    return kRTFailure;
  TeskAnimObject* object = AnimObjectCreate();
  RTInstance root = nullptr;
  if (!object || !LoadVehicleSceneTree(*object, storedRoot.get(), &root)) {
    AnimObjectDestroy(object);
    return kRTFailure;
  }
  SetTreeBounds(*object, root);
  GiveModifiers(*object, root);
  model->object = object;
  model->modelRoot = root;
  for (RTInstance node : ListItems<RTInstanceRecord>(object->objectNodes)) {
    const uint32_t index = NameIndex(node, names, count);
    if (index == count) continue;
    Release(namedNodes[index]);
    namedNodes[index] = node;
    Core().ResolveHandle(nullptr, node);
  }
  return kRTSuccess;
}

RTSuccess CreateWheelchair(VehicleRecord** record) {
  *record = nullptr;
  auto* model = LoadModel<WheelchairModel>(kWheelchairTree, kWheelchairNames, kWheelchairNodes);
  VehicleRecord* made = model ? NewRecord(kWheelchairKind, model, model->loaded.modelRoot) : nullptr;
  if (!made) {
    if (model) ReleaseModel(model->loaded, model->nodes, kWheelchairNodes);
    Core().MemFree(nullptr, model);
    return kRTFailure;
  }
  MakeSeat(made->positions[0], made->root, RTFVector3D{});
  MakeSeat(made->positions[1], made->root, RTFVector3D{0.0f, 0.1f, 0.2f, 0.0f});
  *record = made;
  return kRTSuccess;
}

RTSuccess CreateGurney(VehicleRecord** record) {
  *record = nullptr;
  auto* model = LoadModel<GurneyModel>(kGurneyTree, kGurneyNames, kGurneyNodes);
  VehicleRecord* made = model ? NewRecord(kGurneyKind, model, model->loaded.modelRoot) : nullptr;
  if (!made) {
    if (model) ReleaseModel(model->loaded, model->nodes, kGurneyNodes);
    Core().MemFree(nullptr, model);
    return kRTFailure;
  }
  RTInstance body = model->nodes[kGurneyBody] ? model->nodes[kGurneyBody] : made->root;
  MakeSeat(made->positions[0], body, RTFVector3D{0.0f, 0.0f, -2.4f, 0.0f});
  MakeSeat(made->positions[1], body, RTFVector3D{0.0f, 0.0f, -0.6f, 0.0f});
  scene_node::SetEulerAngles(made->positions[1].node, 0.0f, kPi, 0.0f);
  model->leftGrip = Grip(0.4f);
  model->rightGrip = Grip(-0.4f);
  const RTFVector3D origin{};
  scene_node::SetTranslation(body, &origin);
  tesk_scene_node::ApplyMovement(body);
  *record = made;
  return kRTSuccess;
}

RTSuccess CreateAmbulanceVehicle(VehicleRecord** record) {
  *record = nullptr;
  auto* model = LoadModel<AmbulanceModel>(kAmbulanceTree, kAmbulanceNames, kAmbulanceNodes);
  InstanceRef root;
  VehicleRecord* made = nullptr;
  if (model && Core().CreateInstanceByString(nullptr, tesk_scene_node::kClassName, root.out(), 0, 1) && root.get() &&
      scene_node::AddChild(root.get(), model->loaded.modelRoot))
    made = NewRecord(kAmbulanceKind, model, root.get());
  if (!made) {
    if (model) ReleaseModel(model->loaded, model->nodes, kAmbulanceNodes);
    Core().MemFree(nullptr, model);
    return kRTFailure;
  }
  model->state = 1;
  MakeSeat(made->positions[0], model->loaded.modelRoot, RTFVector3D{-0.022f, 0.0f, -2.346f, 0.0f});
  MakeSeat(made->positions[1], model->loaded.modelRoot, RTFVector3D{0.201f, 0.756f, 0.625f, 0.0f});
  *record = made;
  return kRTSuccess;
}

void DestroyVehicle(VehicleRecord* record) {
  if (!record) return;
  for (VehiclePosition& seat : record->positions) {
    Release(seat.attached);
    Release(seat.node);
  }
  if (auto* wheelchair = WheelchairOf(*record)) ReleaseModel(wheelchair->loaded, wheelchair->nodes, kWheelchairNodes);
  if (auto* gurney = GurneyOf(*record)) ReleaseModel(gurney->loaded, gurney->nodes, kGurneyNodes);
  if (record->kind == kAmbulanceKind) {
    auto* ambulance = static_cast<AmbulanceModel*>(record->model);
    ReleaseModel(ambulance->loaded, ambulance->nodes, kAmbulanceNodes);
  }
  Release(record->root);
  Core().MemFree(nullptr, record->model);
  Core().MemFree(nullptr, record);
}

}  // namespace tesk::actor
