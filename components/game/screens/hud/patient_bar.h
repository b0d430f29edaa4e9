// The patient bar along the top of the screen: one 50-pixel slot per entry of the patient list,
// each a portrait on a square of the patient's severity colour with its status tag and nurse bar;
// the newbies' patients under their newbie's portrait, the newbies without a patient at the right
// end. The drawing also plays the entries' arrival, leaving and back-from-testing animations (50 ms
// frames of the core clock), refreshes their nurse flags and ends their removal.
#pragma once

#include "kivo/types.h"

namespace tesk::game {

// The HUD stage's hook. 1; 0 when a patient's "attendingDoc" or "bDiagnosed" cannot be read, the
// later slots staying undrawn this frame.
RTSuccess DrawPatientIcons(RTInstance self);

}  // namespace tesk::game
