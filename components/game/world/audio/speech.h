// Speech on the environment's one speech source, the master (listener) gain with its smooth ramps,
// and the audio update that the script runs once per pass of its loop.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// One audio update: the listener ramp, the speech source kept at the listener with every other
// sound ducked to half while speech plays, the service's update, then the music, the ambience and
// the effect fades. Always 1.
RTSuccess UpdateAudio(GamePrivateData& game);
// Starts a ramp of the master gain from where it stands to `target` over `duration` seconds; the
// gain moves only in later updates.
RTSuccess SetListenerGainLerp(GamePrivateData& game, float target, float duration);
// 1 while the last speech plays, else 0 (clearing `speechPlaying`). Every query is also an audio
// update. While paused the flag alone answers; without a speech source nothing plays.
uint32_t SpeechStillPlaying(GamePrivateData& game);
// Plays the named speech ("Root:TeskAudio:" + name) on the speech source, cutting in on one that
// plays, and starts its speaker's talking head; `effect` gives it the speech treatment. Nothing
// while paused, for a no-sound name or before an environment has made the speech source; 0 (after
// messages) only when the buffer cannot be registered.
RTSuccess PlaySpeech(GamePrivateData& game, const char16_t* name, bool effect);

}  // namespace tesk::game
