// The functions the game program hands the game component and the script VM: option getter and
// setter, registry reader, cursor setter, idle callback (the message pump) and the VM's host
// callback. Each returns 1 for success (to go on) and 0 for failure (to stop).
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk {

// (option id, value) and (option id, out value).
using OptionSetter = int32_t (*)(int32_t id, int32_t value);
using OptionGetter = int32_t (*)(int32_t id, int32_t* value);
// (index: 0 game root, 1 Varno search paths; buffer; its capacity in UTF-16 units, zero included).
using RegistryReader = int32_t (*)(uint32_t index, char16_t* buffer, uint32_t capacity);
// (cursor id as an unsigned word: 101-107 the program's cursors, 0xFFFFFFFE the arrow).
using CursorCallback = int32_t (*)(uint32_t id);
// Processes pending window messages; 0 once the main form has asked to quit.
using IdleCallback = int32_t (*)();

}  // namespace tesk
