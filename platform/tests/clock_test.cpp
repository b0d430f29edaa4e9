#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, ManualClockMovesOnlyWhenAdvanced) {
  platform::SetManualClock(1000);
  EXPECT_EQ(platform::MonotonicTicks(), 1000u);
  platform::AdvanceClock(500);
  EXPECT_EQ(platform::MonotonicTicks(), 1500u);
  platform::UseRealClock();
  const uint64_t first = platform::MonotonicTicks();
  EXPECT_GE(platform::MonotonicTicks(), first);
}

TEST(Clock, FileTimeCountsFrom1601) {
  // 2020-01-01 as a file time.
  EXPECT_GT(platform::SystemFileTime(), 132223104000000000ull);
}

}  // namespace
