// What the patient list and bar read and write of the script: members read by name on every use
// through the checked accessor (a member the object lacks reads 0 or false), and the calls that
// tell a doctor's script of a patient.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

bool Flag(GamePrivateData& game, ScriptObject object, const char16_t* name);
int32_t Number(GamePrivateData& game, ScriptObject object, const char16_t* name);
// The patient's "attendingDoc" is the player's script object.
bool AttendedByPlayer(GamePrivateData& game, ScriptObject patient);
// Runs the doctor's method with the patient as its argument, to its return, leaving the argument
// stack empty; nothing without a doctor or a patient.
void RunPatientMethod(GamePrivateData& game, ScriptObject doctor, const char16_t* method, ScriptObject patient);

}  // namespace tesk::game
