#include "platform/crash_guard.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

__attribute__((no_sanitize("address", "undefined"))) void NullWrite() {
  volatile int* nothing = nullptr;
  *nothing = 1;
}

__attribute__((no_sanitize("address", "undefined"))) void DivideByZero() {
  volatile int one = 1;
  volatile int zero = 0;
  volatile int quotient = one / zero;
  (void)quotient;
}

void Handler(int) {}

TEST(CrashGuard, ReportsTheSignalThatEndedTheCall) {
  EXPECT_EQ(platform::RunGuarded([] {}), 0);
  EXPECT_EQ(platform::RunGuarded(NullWrite), SIGSEGV);
  EXPECT_EQ(platform::RunGuarded(DivideByZero), SIGFPE);
  // The guard works again after a fault.
  EXPECT_EQ(platform::RunGuarded(NullWrite), SIGSEGV);
}

TEST(CrashGuard, InnerGuardsCatchTheirOwnFaults) {
  int inner = -1;
  const int outer = platform::RunGuarded([&] {
    inner = platform::RunGuarded(NullWrite);
    NullWrite();
  });
  EXPECT_EQ(inner, SIGSEGV);
  EXPECT_EQ(outer, SIGSEGV);
}

TEST(CrashGuard, RestoresTheHandlersInPlaceBefore) {
  struct sigaction mine{};
  mine.sa_handler = Handler;
  struct sigaction previous{};
  ASSERT_EQ(sigaction(SIGFPE, &mine, &previous), 0);
  platform::RunGuarded(DivideByZero);
  struct sigaction now{};
  sigaction(SIGFPE, nullptr, &now);
  EXPECT_EQ(now.sa_handler, &Handler);
  sigaction(SIGFPE, &previous, nullptr);
}

TEST(CrashGuardDeathTest, DefaultHandlingEndsByTheSignal) {
  EXPECT_EXIT(platform::ResumeDefaultHandling(SIGFPE), ::testing::KilledBySignal(SIGFPE), "");
}

}  // namespace
