#include "speech.h"

#include "kivo/audio/audio_service_calls.h"

namespace tesk::game {

namespace source = kivo::audio_source;

uint32_t SpeechStillPlaying(GamePrivateData& game) {
  if (game.paused) return game.speechPlaying ? 1 : 0;
  uint32_t state = source::kStopped;
  if (game.speechSource && source::GetSourceState(game.speechSource, &state) && state == source::kPlaying) return 1;
  game.speechPlaying = 0;
  return 0;
}

}  // namespace tesk::game
