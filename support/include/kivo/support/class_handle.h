// A class's component handle, looked up by name once for each core that hands the library its
// table (handles are registration serials, fixed for a core's life), so that class tests in hot
// loops cost a walk of the instance's class chain and no lookup by name.
#pragma once

#include <cstdint>

#include "kivo/slots.h"

namespace kivo {

class ClassHandle {
 public:
  explicit constexpr ClassHandle(const char16_t* className) : className_(className) {}

  // kNoComponent when no such class is registered.
  RTComponentHandle Get();
  // Whether the instance is of the class or of one derived from it (false for null).
  bool IsKindOf(RTInstance instance);

 private:
  const char16_t* className_;
  uint32_t coreGeneration_ = 0;  // of the module's core when the handle was looked up; 0 never
  RTComponentHandle handle_ = kNoComponent;
};

}  // namespace kivo
