#include "anim_object.h"

#include <algorithm>

#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr char16_t kHolderPath[] = u"Root:OBJ_TEMP";
constexpr char16_t kHolderName[] = u"OBJ_TEMP";
constexpr uint32_t kCloneFlags = 0x59;
constexpr float kEmpty = 10000.0f;

CoreTable& Core() { return *ModuleCore(); }

bool FindOrMakeHolder(RTInstance* holder) {
  if (Core().GetInstanceByName(nullptr, kHolderPath, holder, 0) && *holder) return true;
  *holder = nullptr;
  if (Core().CreateInstanceByString(nullptr, u"RTComponent", holder, 0, 0) && *holder &&
      Core().SetInstanceName(nullptr, *holder, kHolderName))
    return true;
  if (*holder) Core().ReleaseInstance(nullptr, *holder);
  *holder = nullptr;
  return false;
}

bool MakeUnder(RTInstance holder, const char16_t* className, InstanceRef* made) {
  return Core().CreateInstanceByString(holder, className, made->out(), 0, 1) && made->get();
}

// A copy of each of the source's modifiers, held by the object and by the clone.
void CopyModifiers(TeskAnimObject& object, RTInstance source, RTInstance clone) {
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  if (!scene_node::GetModifierList(source, &modifiers, &count)) return;
  for (uint32_t i = 0; i < count; ++i) {
    InstanceRef rigid;
    if (!MakeUnder(object.holder, rigid::kClassName, &rigid)) continue;
    if (Core().IsKindOfByName(nullptr, modifiers[i], rigid::kClassName)) rigid::CopyInto(modifiers[i], rigid.get());
    scene_node::AddModifier(clone, rigid.get());
    ListAppend(object.rigids, rigid.Take());
  }
}

void Widen(const RTFVector3D& low, const RTFVector3D& high, RTFVector3D* min, RTFVector3D* max) {
  *min = RTFVector3D{std::min(min->x, low.x), std::min(min->y, low.y), std::min(min->z, low.z), min->w};
  *max = RTFVector3D{std::max(max->x, high.x), std::max(max->y, high.y), std::max(max->z, high.z), max->w};
}

bool IsObjectNode(const TeskAnimObject& object, RTInstance node) {
  ListLink* link = nullptr;
  return ListFind(object.objectNodes, node, &link, nullptr) && link;
}

}  // namespace

TeskAnimObject* AnimObjectCreate() {
  void* block = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(TeskAnimObject), &block, 1) || !block) return nullptr;
  auto* object = static_cast<TeskAnimObject*>(block);
  if (!FindOrMakeHolder(&object->holder) || !ListCreate(&object->rigids) || !ListCreate(&object->objectNodes)) {
    AnimObjectDestroy(object);
    return nullptr;
  }
  return object;
}

void AnimObjectDestroy(TeskAnimObject* object) {
  if (!object) return;
  for (RTInstance rigid : ListItems<RTInstanceRecord>(object->rigids)) Core().ReleaseInstance(nullptr, rigid);
  ListDestroy(object->rigids);
  ListDestroy(object->objectNodes);
  if (object->holder) Core().ReleaseInstance(nullptr, object->holder);
  Core().MemFree(nullptr, object);
}

RTSuccess LoadVehicleSceneTree(TeskAnimObject& object, RTInstance source, RTInstance* clone) {
  *clone = nullptr;
  InstanceRef made;
  if (!MakeUnder(object.holder, tesk_scene_node::kClassName, &made)) return kRTFailure;
  const RTFMatrix4x4* local = nullptr;
  if (scene_node::GetLocalMatrix(source, &local) && local) scene_node::SetLocalMatrix(made.get(), local);
  InstanceRef carried;
  if (scene_node::GetEntity(source, carried.out()) && carried.get()) {
    scene_node::SetEntity(made.get(), carried.get());
    ListAppend(object.objectNodes, made.get());
  }
  tesk_scene_node::SetStateWord(made.get(), kCloneFlags);
  if (!object.firstNode) object.firstNode = made.get();
  CopyModifiers(object, source, made.get());
  InstanceRef child;
  scene_node::GetFirstChild(source, child.out());
  while (child.get()) {
    InstanceRef childClone;
    if (LoadVehicleSceneTree(object, child.get(), childClone.out())) scene_node::AddChild(made.get(), childClone.get());
    InstanceRef next;
    scene_node::GetNextSibling(child.get(), next.out());
    child = std::move(next);
  }
  *clone = made.Take();
  return kRTSuccess;
}

void ComputeTreeBounds(const TeskAnimObject& object, RTInstance node, RTFVector3D* min, RTFVector3D* max) {
  *min = RTFVector3D{kEmpty, kEmpty, kEmpty, 0.0f};
  *max = RTFVector3D{-kEmpty, -kEmpty, -kEmpty, 0.0f};
  InstanceRef carried;
  const bool carries = scene_node::GetEntity(node, carried.out()) && carried.get();
  if (carries) renderable::GetBoundingBox(carried.get(), min, max);
  InstanceRef child;
  scene_node::GetFirstChild(node, child.out());
  while (child.get()) {
    if (IsObjectNode(object, child.get())) {
      RTFVector3D low{}, high{};
      ComputeTreeBounds(object, child.get(), &low, &high);
      Widen(low, high, min, max);
    }
    InstanceRef next;
    scene_node::GetNextSibling(child.get(), next.out());
    child = std::move(next);
  }
  const RTFMatrix4x4* local = nullptr;
  if (!carries || !scene_node::GetLocalMatrix(node, &local) || !local) return;
  const RTFVector3D low = *min, high = *max;
  Mat4TransformPoint(*local, low, min);
  Mat4TransformPoint(*local, high, max);
}

void SetTreeBounds(const TeskAnimObject& object, RTInstance root) {
  RTFVector3D min{}, max{};
  ComputeTreeBounds(object, root, &min, &max);
  scene_node::SetBounds(root, &min, &max);
}

}  // namespace tesk::actor
