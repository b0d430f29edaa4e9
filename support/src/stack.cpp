#include "kivo/support/stack.h"

#include <new>

namespace kivo {

RTSuccess StackCreate(Stack** out) {
  *out = new (std::nothrow) Stack{nullptr, 0, nullptr};
  return *out ? kRTSuccess : kRTFailure;
}

RTSuccess StackPush(Stack* stack, void* data) {
  if (!stack) return kRTFailure;
  StackCell* cell = stack->spare;
  if (cell) {
    stack->spare = cell->next;
    *cell = StackCell{data, stack->top};
  } else if (!(cell = new (std::nothrow) StackCell{data, stack->top})) {
    return kRTFailure;
  }
  stack->top = cell;
  ++stack->count;
  return kRTSuccess;
}

RTSuccess StackPeek(Stack* stack, void** out) {
  if (!stack || !stack->top) return kRTFailure;
  *out = stack->top->data;
  return kRTSuccess;
}

RTSuccess StackPop(Stack* stack, void** out) {
  if (!stack || !stack->top) return kRTFailure;
  StackCell* cell = stack->top;
  *out = cell->data;
  stack->top = cell->next;
  --stack->count;
  cell->next = stack->spare;
  stack->spare = cell;
  return kRTSuccess;
}

RTSuccess StackDestroy(Stack* stack) {
  if (!stack) return kRTFailure;
  void* data = nullptr;
  while (StackPop(stack, &data)) {
  }
  while (StackCell* cell = stack->spare) {
    stack->spare = cell->next;
    delete cell;
  }
  delete stack;
  return kRTSuccess;
}

}  // namespace kivo
