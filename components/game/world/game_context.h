// What the game's methods share: the core table, the core clock, reports and the calls that raise
// script events and read script attributes through the scripting component.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "game_record.h"
#include "kivo/support/module_core.h"
#include "varno/call_cells.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

inline CoreTable& Core() { return *kivo::ModuleCore(); }
uint32_t Now();
// Gives up the reference a field holds and clears the field.
void Release(RTInstance& held);
// The field holds `instance` (null: nothing) with a reference of its own, giving up the one it had.
void Hold(RTInstance& field, RTInstance instance);
// Reports the text at the progress level of the error log.
void Report(std::u16string_view text);

// Raises the named event with its arguments on the game's script object with the VM of the latest
// call (varno::scripting::RaiseEvent); nothing without either.
void RaiseGameEvent(GamePrivateData& game, const char16_t* event,
                    std::initializer_list<varno::scripting::EventArgument> arguments = {});
// The attribute of a script object through the scripting component, type-checked (see
// varno::scripting::SymbolReadAttribute); a string value is the caller's to free (ArrayFree).
bool ReadAttribute(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t type,
                   varno::RTVarnoConstantValue* value);
// A number attribute (or element `element` of the list it holds; kWholeAttribute for the whole
// attribute), a real truncated toward zero, a bool as 0 or 1; false when it is none of them.
bool ReadWholeNumber(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t element,
                     int32_t* number);
// The object an object attribute refers to; null when there is none.
ScriptObject ReadObject(GamePrivateData& game, ScriptObject object, const char16_t* name);
// Stores a flag in its attribute's own type: a bool, or a number as 0 or 1; false when the
// attribute is neither.
bool WriteFlag(GamePrivateData& game, ScriptObject object, const char16_t* name, bool flag);
// The object attribute refers to `value` from now on; false when it is no attribute of that class.
bool WriteObject(GamePrivateData& game, ScriptObject object, const char16_t* name, ScriptObject value);
// A string attribute (or element `element` of the list it holds); empty when there is none.
std::u16string ReadText(GamePrivateData& game, ScriptObject object, const char16_t* name,
                        uint32_t element = varno::scripting::kWholeAttribute);

}  // namespace tesk::game
