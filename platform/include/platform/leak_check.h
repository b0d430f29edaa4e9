// The GL driver (Mesa) keeps some allocations of its set-up until the process ends and then
// unloads itself, so a leak checker sees them as lost. Allocations made on this thread while a
// DriverSetUp lives are not reported as leaks; set-up calls into the driver are wrapped in one.
#pragma once

namespace platform {

class DriverSetUp {
 public:
  DriverSetUp();
  ~DriverSetUp();
  DriverSetUp(const DriverSetUp&) = delete;
  DriverSetUp& operator=(const DriverSetUp&) = delete;
};

}  // namespace platform
