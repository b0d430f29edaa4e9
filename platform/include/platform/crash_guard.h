// Catching a fault inside a call: SIGSEGV, SIGBUS and SIGFPE handlers on an alternate stack jump
// back (sigsetjmp/siglongjmp) to the guarded call, which then reports which signal ended it. The
// handlers in place before are restored when the call ends. Objects on the stack between the
// guard and the fault are not destroyed.
#pragma once

#include <functional>

namespace platform {

// Runs `body`; 0 when it returned, else the signal that ended it.
int RunGuarded(const std::function<void()>& body);
// Ends the process by `signal` as if nothing had caught it.
[[noreturn]] void ResumeDefaultHandling(int signal);

}  // namespace platform
