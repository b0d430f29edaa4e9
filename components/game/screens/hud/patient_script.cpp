#include "patient_script.h"

#include "game_context.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

namespace scripting = varno::scripting;

bool Flag(GamePrivateData& game, ScriptObject object, const char16_t* name) { return Number(game, object, name) != 0; }

int32_t Number(GamePrivateData& game, ScriptObject object, const char16_t* name) {
  int32_t number = 0;
  return ReadWholeNumber(game, object, name, scripting::kWholeAttribute, &number) ? number : 0;
}

bool AttendedByPlayer(GamePrivateData& game, ScriptObject patient) {
  const ScriptObject doctor = ReadObject(game, patient, u"attendingDoc");
  return doctor && doctor == game.playerObject;
}

void RunPatientMethod(GamePrivateData& game, ScriptObject doctor, const char16_t* method, ScriptObject patient) {
  if (!game.varno || !doctor || !patient) return;
  scripting::ArgPopStack(game.varno, game.vm);
  scripting::ArgPushObject(game.varno, game.vm, patient);
  scripting::RunMethodByName(game.varno, game.vm, doctor, method, 1);
  scripting::ArgPopStack(game.varno, game.vm);
}

}  // namespace tesk::game
