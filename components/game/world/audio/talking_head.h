// The talking head of a speech's speaker, started by PlaySpeech; its result is not used.
#pragma once

#include "game_record.h"

namespace tesk::game {

// Prepares the head of the speaker that the speech name's first letter designates, replacing the
// previous one.
bool StartTalkingHead(GamePrivateData& game, const char16_t* speechName);

}  // namespace tesk::game
