// The timed texts over an actor: a wrapper's speech list holds at most three, newest first, which
// the overlay text drawing shows until their time is over.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

struct SpeechText {
  char16_t* Text;   // core array block, owned
  float StartTime;  // the game clock in seconds when it was made
  float Duration;   // seconds
};
inline constexpr uint32_t kMaxSpeechTexts = 3;
inline constexpr float kDefaultSpeechDuration = 5.0f;

// A new record of the text (copied) and the duration, or 5.0 seconds for a duration not above 0,
// made at the game's clock (0 without a game). 0 when there is no memory for it.
RTSuccess CreateSpeechText(RTInstance self, SpeechText** record, const char16_t* text, float duration);
RTSuccess FreeSpeechText(RTInstance self, SpeechText* record);
// Frees every record of the list and the list.
void DestroySpeechList(RTInstance self, kivo::List* list);

// Script method: argument 0 the text, 1 the duration (real, seconds). The new text goes first; the
// oldest of three goes and is freed.
RTSuccess Say(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
