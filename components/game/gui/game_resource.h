// The game component's named resources (its RTTeskGame.resource), as the core opens them.
#pragma once

#include "kivo/support/instance_ref.h"

namespace tesk::game::gui {

// The named stream with a reference, at its start (the stream is shared by everyone who opens it);
// empty when there is none.
kivo::InstanceRef OpenGameResource(const char16_t* name);

}  // namespace tesk::game::gui
