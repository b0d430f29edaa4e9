// What driving a gurney does to the driver's skin: both arms reach for the push bar and the body
// turns into the curve. They are kept on the driver's own motion player, which the skin takes them
// from while it poses for this driver alone (the skin is shared by every character drawn with it).
// A body without arm chains or a body-turn bone (an assembled body) is left alone.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

void SetArmsActive(RTTeskActorWrapper& w, RTBool active);
// The targets in the skin's space, left then right.
void PoseDriverArms(RTTeskActorWrapper& w, const RTFMatrix4x4& left, const RTFMatrix4x4& right);
void TurnDriverBody(RTTeskActorWrapper& w, const RTFMatrix4x4& turn);

}  // namespace tesk::actor
