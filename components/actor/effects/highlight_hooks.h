// The patient highlight's two render callbacks, which every actor mesh carries with the controller
// as their context: the stencil pass before the mesh is drawn and the outline after it. Until the
// highlight is drawn they only let the mesh draw.
#pragma once

#include "actor_state.h"
#include "kivo/scene/frame_information.h"

namespace tesk::actor {

RTSuccess DrawPatientHighlightStencil(RTInstance actor, RTInstance mesh, uint32_t milliseconds,
                                      const RTSceneNodeEntityFrameInformation* frame, uint32_t* draw);
RTSuccess DrawPatientHighlightOutline(RTInstance actor, RTInstance mesh, uint32_t milliseconds,
                                      const RTSceneNodeEntityFrameInformation* frame, uint32_t* draw);

// Installs both on the mesh with the controller as context. The controller keeps the mesh (one
// reference) until it goes, to take its hooks off again: a hook must not outlive its context.
void InstallHighlightHooks(RTInstance self, ActorControllerData& actor, RTInstance mesh);
// Takes the hooks whose context is this controller off every mesh it installed them on, and lets
// go of the meshes (the controller's destroy hook calls it).
void RemoveHighlightHooks(RTInstance self, ActorControllerData& actor);

}  // namespace tesk::actor
