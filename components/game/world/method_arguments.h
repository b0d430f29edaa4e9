// Reading a script method's argument cells: argument n (from 0 here) is cell n's value word; a
// cell the call did not pass reads as null or 0.
#pragma once

#include <cstdint>

#include "game_record.h"
#include "varno/call_cells.h"

namespace tesk::game {

inline ScriptObject ObjectArgument(uint32_t count, const varno::RTVarnoConstantValue* arguments, uint32_t index) {
  return index < count ? static_cast<ScriptObject>(arguments[index].value.pointer) : nullptr;
}

inline const char16_t* TextArgument(uint32_t count, const varno::RTVarnoConstantValue* arguments, uint32_t index) {
  return index < count ? arguments[index].value.text : nullptr;
}

// A text to print: null prints as empty.
inline const char16_t* OrEmpty(const char16_t* text) { return text ? text : u""; }

inline int32_t NumberArgument(uint32_t count, const varno::RTVarnoConstantValue* arguments, uint32_t index) {
  return index < count ? arguments[index].value.number : 0;
}

inline float RealArgument(uint32_t count, const varno::RTVarnoConstantValue* arguments, uint32_t index) {
  return index < count ? arguments[index].value.real : 0.0f;
}

}  // namespace tesk::game
