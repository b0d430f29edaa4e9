// The script's sound-effect methods. A missing name, "" and "-1" (in any case) mean no sound: the
// method then leaves its result cell as it was.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "sound_effects.h"

namespace tesk::game::method {

namespace {

// The argument's text when it names a sound, else null.
const char16_t* SoundName(uint32_t count, const Cell* arguments) {
  const char16_t* name = TextArgument(count, arguments, 0);
  return IsNoSoundName(name) ? nullptr : name;
}

// Whether the position lies within the area-of-interest radius of the player (on it counts);
// without a player there is nothing to measure from and every position is heard.
bool Audible(const GamePrivateData& game, const RTFVector3D& position) {
  if (!game.firstActor) return true;
  const auto& at = game.firstActor->Frame.m[3];
  const float dx = position.x - at[0];
  const float dy = position.y - at[1];
  const float dz = position.z - at[2];
  return !(game.tuning.aoiRadiusSquared < dx * dx + dy * dy + dz * dz);
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(SFXAddBuffer) {
  GamePrivateData* game = RecordOf(self);
  const char16_t* name = SoundName(count, arguments);
  if (!game || !name) return kRTSuccess;
  const uint32_t mode = count > 1 ? arguments[1].value.word : 0;
  std::u16string path;
  result->value.number = SFXScriptPath(name, &path) && SFXAddBuffer(*game, name, path.c_str(), mode) ? 1 : 0;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SFXPlay) {
  GamePrivateData* game = RecordOf(self);
  const char16_t* name = SoundName(count, arguments);
  if (!game || !name) return kRTSuccess;
  int32_t index = -1;
  PlaySoundByName(*game, name, count > 1 ? arguments[1].value.real : 1.0f, count > 2 ? arguments[2].value.word : 0,
                  &index);
  result->value.number = index;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SFXPlayAtPosition) {
  GamePrivateData* game = RecordOf(self);
  const char16_t* name = SoundName(count, arguments);
  if (!game || !name || count < 3 || !arguments[2].value.vector) return kRTSuccess;
  const RTFVector3D position = *arguments[2].value.vector;
  if (!Audible(*game, position)) {
    result->value.number = 0;
    return kRTSuccess;
  }
  int32_t index = -1;
  PlaySoundAtPosition(*game, name, arguments[1].value.real, position, count > 3 ? arguments[3].value.word : 0, &index);
  result->value.number = index;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SFXStop) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTSuccess;
  StopSound(*game, arguments[0].value.number, arguments[1].value.real);
  return kRTSuccess;
}

}  // namespace tesk::game::method
