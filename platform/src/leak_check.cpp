#include "platform/leak_check.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define TESK_LEAK_CHECKS 1
#endif

namespace platform {

#ifdef TESK_LEAK_CHECKS
DriverSetUp::DriverSetUp() { __lsan_disable(); }
DriverSetUp::~DriverSetUp() { __lsan_enable(); }
#else
DriverSetUp::DriverSetUp() = default;
DriverSetUp::~DriverSetUp() = default;
#endif

}  // namespace platform
