#include "kivo/support/stack.h"

#include <new>

namespace kivo {

RTSuccess StackCreate(Stack** out) {
  *out = new (std::nothrow) Stack{nullptr, 0, nullptr};
  return *out ? kRTSuccess : kRTFailure;
}

RTSuccess StackPushNewCell(Stack* stack, void* data) {
  auto* cell = new (std::nothrow) StackCell{data, stack->top};
  if (!cell) return kRTFailure;
  stack->top = cell;
  ++stack->count;
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
