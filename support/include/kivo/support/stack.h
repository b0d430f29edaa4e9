// A stack of data words on the system heap (not core memory). Popped cells are kept for the next
// pushes, so a stack that goes up and down allocates only when it grows past its highest point.
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
  StackCell* spare;  // cells of popped words, reused by the next pushes
};

RTSuccess StackCreate(Stack** out);
RTSuccess StackPush(Stack* stack, void* data);
// Both fail on an empty stack and leave `out` untouched.
RTSuccess StackPeek(Stack* stack, void** out);
RTSuccess StackPop(Stack* stack, void** out);
RTSuccess StackDestroy(Stack* stack);

}  // namespace kivo
