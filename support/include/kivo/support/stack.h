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
// A push that needs a new cell.
RTSuccess StackPushNewCell(Stack* stack, void* data);
RTSuccess StackDestroy(Stack* stack);

inline RTSuccess StackPush(Stack* stack, void* data) {
  if (!stack) return kRTFailure;
  StackCell* cell = stack->spare;
  if (!cell) return StackPushNewCell(stack, data);
  stack->spare = cell->next;
  *cell = StackCell{data, stack->top};
  stack->top = cell;
  ++stack->count;
  return kRTSuccess;
}

// Both fail on an empty stack and leave `out` untouched.
inline RTSuccess StackPeek(Stack* stack, void** out) {
  if (!stack || !stack->top) return kRTFailure;
  *out = stack->top->data;
  return kRTSuccess;
}

inline RTSuccess StackPop(Stack* stack, void** out) {
  if (!stack || !stack->top) return kRTFailure;
  StackCell* cell = stack->top;
  *out = cell->data;
  stack->top = cell->next;
  --stack->count;
  cell->next = stack->spare;
  stack->spare = cell;
  return kRTSuccess;
}

}  // namespace kivo
