// The controller's construction and destruction. Construction takes the record's steps in a fixed
// order; a step that fails undoes every step taken, so a controller that could not be made holds
// nothing, keeps no record and answers 0 to every method. The built-in motions and the head-render
// cache are the library's: the first controller loads them, later ones share them, and the last
// one destroyed gives them back.
#include "construction.h"

#include <string>

#include "effects/highlight_hooks.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/timer/timer_calls.h"
#include "vehicles/vehicle_pool.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr char16_t kNameFont[] = u"Root:Fonts:Verdana";
constexpr char16_t kLargeFont[] = u"Root:Fonts:Verdana19";
constexpr char16_t kMeshFolder[] = u"Root:pendra_obj:assets:meshes";
constexpr char16_t kAttachNodeFolder[] = u"Root:pendra_obj:assets:AttachNodes";

SharedActorState gShared;

CoreTable& Core() { return *ModuleCore(); }

void Release(RTInstance& held) {
  if (held) Core().ReleaseInstance(nullptr, held);
  held = nullptr;
}

void DestroyList(List*& list) {
  ListDestroy(list);
  list = nullptr;
}

bool TakeSingleton(const char16_t* className, RTInstance* out) {
  return Core().GetFirstInstanceByString(nullptr, className, out, 1, nullptr) != 0;
}

bool TakeNamed(RTInstance self, const char16_t* path, RTInstance* out) {
  return Core().GetInstanceByName(self, path, out, 0) != 0;
}

void ReleaseMotions() {
  for (RTInstance& motion : gShared.motions) Release(motion);
  gShared.motionCount = 0;
}

// Every motion of the table by index; the first missing one is reported and nothing stays loaded.
bool LoadMotions(RTInstance self) {
  for (uint32_t index = 0; index < kMotionCount; ++index) {
    const std::u16string path = std::u16string(kMotionFolder) + kMotionNames[index];
    if (TakeNamed(self, path.c_str(), &gShared.motions[index])) continue;
    RaiseFormatted(kLevelError, u"(RTTeskActor) Cannot load motion: %s", path);
    ReleaseMotions();
    return false;
  }
  gShared.motionCount = kMotionCount;
  return true;
}

void ReleaseShared() {
  ReleaseMotions();
  gShared.heads.Destroy();
}

// Gives back whatever the record holds; it may be only partly made.
void Teardown(RTInstance self, ActorControllerData& actor) {
  RemoveHighlightHooks(self, actor);
  for (RTInstance* held : {&actor.game, &actor.rasterizer, &actor.script, &actor.timer, &actor.nameFont,
                           &actor.largeFont, &actor.meshFolder, &actor.attachNodeFolder})
    Release(*held);
  if (actor.actorListOwned) DestroyList(actor.actorList);
  DestroyList(actor.routeScratch);
  if (actor.vehicles) DestroyVehicles(actor);
  DestroyList(actor.vehicles);
  Core().ArrayFree(nullptr, actor.outlinePoints);
  actor.outlinePoints = nullptr;
}

// Steps 2 to 10; false at the first that fails.
bool Build(RTInstance self, ActorControllerData& actor) {
  if (!ListCreate(&actor.actorList)) return false;
  actor.actorListOwned = 1;
  if (!TakeSingleton(kivo::timer::kClassName, &actor.timer) || !TakeSingleton(u"RTRasterizer", &actor.rasterizer) ||
      !TakeSingleton(u"RTVarno", &actor.script))
    return false;
  if (!TakeNamed(self, kNameFont, &actor.nameFont) || !TakeNamed(self, kLargeFont, &actor.largeFont)) return false;
  if (gShared.controllers == 0 && !LoadMotions(self)) return false;
  if (!ListCreate(&actor.routeScratch) || !ListCreate(&actor.vehicles)) return false;
  TakeNamed(self, kMeshFolder, &actor.meshFolder);
  TakeNamed(self, kAttachNodeFolder, &actor.attachNodeFolder);
  if (!gShared.heads.Create()) return false;
  Core().GetComponentHandle(nullptr, u"RTTeskSkin", &actor.skinClass);
  return true;
}

}  // namespace

SharedActorState& Shared() { return gShared; }

ActorControllerData* StateOf(RTInstance actor) {
  return StateIn<ActorControllerData>(actor, kivo::actor::kStateWord);
}

RTSuccess CreateActorInstance(RTInstance self) {
  ActorControllerData* actor = MakeState<ActorControllerData>(self, kivo::actor::kStateWord);
  if (!actor) return kRTFailure;
  if (Build(self, *actor)) {
    ++gShared.controllers;
    return kRTSuccess;
  }
  Teardown(self, *actor);
  if (gShared.controllers == 0) ReleaseShared();
  EndState<ActorControllerData>(self, kivo::actor::kStateWord);
  return kRTFailure;
}

RTSuccess DestroyActorInstance(RTInstance self) {
  ActorControllerData* actor = StateOf(self);
  if (!actor) return kRTFailure;
  Teardown(self, *actor);
  EndState<ActorControllerData>(self, kivo::actor::kStateWord);
  if (--gShared.controllers == 0) ReleaseShared();
  return kRTSuccess;
}

}  // namespace tesk::actor
