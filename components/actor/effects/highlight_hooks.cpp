#include "highlight_hooks.h"

#include <algorithm>

#include "kivo/scene/renderable_calls.h"
#include "kivo/support/module_core.h"

namespace tesk::actor {

namespace renderable = kivo::renderable;

RTSuccess DrawPatientHighlightStencil(RTInstance, RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation*,
                                      uint32_t* draw) {
  if (draw) *draw = 1;
  return kRTSuccess;
}

RTSuccess DrawPatientHighlightOutline(RTInstance, RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation*,
                                      uint32_t* draw) {
  if (draw) *draw = 1;
  return kRTSuccess;
}

void InstallHighlightHooks(RTInstance self, ActorControllerData& actor, RTInstance mesh) {
  if (!renderable::SetPreDrawHook(mesh, DrawPatientHighlightStencil, self) ||
      !renderable::SetPostDrawHook(mesh, DrawPatientHighlightOutline, self))
    return;
  if (std::find(actor.hooked.begin(), actor.hooked.end(), mesh) == actor.hooked.end() &&
      kivo::ModuleCore()->ResolveHandle(nullptr, mesh))
    actor.hooked.push_back(mesh);
}

void RemoveHighlightHooks(RTInstance self, ActorControllerData& actor) {
  for (RTInstance mesh : actor.hooked) {
    renderable::ClearHooksOf(mesh, self);
    kivo::ModuleCore()->ReleaseInstance(nullptr, mesh);
  }
  actor.hooked.clear();
}

}  // namespace tesk::actor
