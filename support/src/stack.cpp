#include "kivo/support/stack.h"

#include <new>

namespace kivo {

RTSuccess StackCreate(Stack** out) {
  *out = new (std::nothrow) Stack{nullptr, 0};
  return *out ? kRTSuccess : kRTFailure;
}

RTSuccess StackPush(Stack* stack, void* data) {
  if (!stack) return kRTFailure;
  auto* cell = new (std::nothrow) StackCell{data, stack->top};
  if (!cell) return kRTFailure;
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
  delete cell;
  return kRTSuccess;
}

RTSuccess StackDestroy(Stack* stack) {
  if (!stack) return kRTFailure;
  void* data = nullptr;
  while (StackPop(stack, &data)) {
  }
  delete stack;
  return kRTSuccess;
}

}  // namespace kivo
