// A stack of data words on the system heap (not core memory).
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace kivo {

struct StackCell {
  void* data;
  StackCell* next;
};

struct Stack {
  StackCell* top;
  uint32_t count;
};

RTSuccess StackCreate(Stack** out);
RTSuccess StackPush(Stack* stack, void* data);
// Both fail on an empty stack and leave `out` untouched.
RTSuccess StackPeek(Stack* stack, void** out);
RTSuccess StackPop(Stack* stack, void** out);
RTSuccess StackDestroy(Stack* stack);

}  // namespace kivo
