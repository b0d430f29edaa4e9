// The volume options as the game's gains: an option's value over the step count of its slider on
// the game options form.
#pragma once

#include "game_record.h"

namespace tesk::game {

// (value of option `option`) / (step count of the options form's slider `slider`) x `scale`; false
// when the form or the slider is missing or has no steps.
bool VolumeFromOptions(GamePrivateData& game, int32_t option, const char16_t* slider, float scale, float* factor);
// The master gain the options ask for (1.0 when they cannot say).
float MasterGainFromOptions(GamePrivateData& game);
// Start-up's audio options: the master gain ramps to its option over 0.3 s; the effects and music
// gains take theirs. A gain whose option cannot be read keeps what it has.
void ApplyAudioOptions(GamePrivateData& game);

}  // namespace tesk::game
