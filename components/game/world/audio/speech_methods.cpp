// The script's speech and listener methods, and the audio update it runs once per pass.
#include "audio_options.h"
#include "game_context.h"
#include "game_methods.h"
#include "sound_effects.h"
#include "speech.h"

namespace tesk::game::method {

namespace {

// ListenerSetGain's ramp: short enough to count as at once.
constexpr float kAtOnceSeconds = 0.001f;

}  // namespace

TESK_GAME_SCRIPT_METHOD(ProcessAudio) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  return UpdateAudio(*game);
}

TESK_GAME_SCRIPT_METHOD(ListenerSetGain) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  // A level ramp from the new gain: an update within the same millisecond keeps it too.
  ListenerGain& gain = game->listenerGain;
  gain.duration = kAtOnceSeconds;
  gain.from = gain.current = gain.target = arguments[0].value.real;
  gain.startTime = AudioTime();
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ListenerSetGainLerp) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  return SetListenerGainLerp(*game, RealArgument(count, arguments, 0), RealArgument(count, arguments, 1));
}

TESK_GAME_SCRIPT_METHOD(ListenerGetGain) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.real = game->listenerGain.current;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ListenerGetGainFromOptions) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.real = MasterGainFromOptions(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(IsSpeechPlaying) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.number = static_cast<int32_t>(SpeechStillPlaying(*game));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(PlaySpeech) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  return game::PlaySpeech(*game, TextArgument(count, arguments, 0), count > 1 && arguments[1].value.word != 0);
}

}  // namespace tesk::game::method
