#include "platform/crash_guard.h"

#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE};
constexpr size_t kAlternateStackBytes = 256 * 1024;

// The innermost running guard; a fault jumps to it.
struct Guard {
  sigjmp_buf jump;
  volatile sig_atomic_t signal = 0;
};
Guard* volatile gGuard = nullptr;

void OnFault(int signal, siginfo_t*, void*) {
  Guard* guard = gGuard;
  if (!guard) {
    std::signal(signal, SIG_DFL);
    raise(signal);
    return;
  }
  guard->signal = signal;
  siglongjmp(guard->jump, 1);
}

// The handlers run on a stack of their own, so a fault from an exhausted stack is caught too.
void EnsureAlternateStack() {
  static std::vector<char> stack(kAlternateStackBytes);
  static bool installed = false;
  if (installed) return;
  stack_t alternate{};
  alternate.ss_sp = stack.data();
  alternate.ss_size = stack.size();
  installed = sigaltstack(&alternate, nullptr) == 0;
}

}  // namespace

int RunGuarded(const std::function<void()>& body) {
  EnsureAlternateStack();
  struct sigaction previous[std::size(kSignals)];
  struct sigaction handler{};
  handler.sa_sigaction = OnFault;
  handler.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&handler.sa_mask);
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &handler, &previous[i]);

  Guard guard;
  Guard* const outer = gGuard;
  int result = 0;
  if (sigsetjmp(guard.jump, 1) == 0) {
    gGuard = &guard;
    body();
  } else {
    result = guard.signal;
  }
  gGuard = outer;
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  return result;
}

void ResumeDefaultHandling(int signal) {
  std::signal(signal, SIG_DFL);
  raise(signal);
  std::_Exit(128 + signal);
}

}  // namespace platform
