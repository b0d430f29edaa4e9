// An instance handle that gives its reference back when it goes out of scope.
#pragma once

#include <utility>

#include "kivo/core_table.h"
#include "kivo/support/module_core.h"

namespace kivo {

class InstanceRef {
 public:
  InstanceRef() = default;
  explicit InstanceRef(RTInstance instance) : instance_(instance) {}
  InstanceRef(InstanceRef&& other) noexcept : instance_(std::exchange(other.instance_, nullptr)) {}
  InstanceRef& operator=(InstanceRef&& other) noexcept {
    if (this != &other) {
      Reset();
      instance_ = std::exchange(other.instance_, nullptr);
    }
    return *this;
  }
  InstanceRef(const InstanceRef&) = delete;
  InstanceRef& operator=(const InstanceRef&) = delete;
  ~InstanceRef() { Reset(); }

  // For calls that hand out a handle: the old one is released first.
  RTInstance* out() {
    Reset();
    return &instance_;
  }
  RTInstance get() const { return instance_; }
  // Gives up ownership without releasing.
  RTInstance Take() { return std::exchange(instance_, nullptr); }
  void Reset() {
    if (instance_) ModuleCore()->ReleaseInstance(nullptr, std::exchange(instance_, nullptr));
  }

 private:
  RTInstance instance_ = nullptr;
};

}  // namespace kivo
