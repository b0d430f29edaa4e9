#include "kivo/support/numeric.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using kivo::FloatToInt;

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

TEST(FloatToInt, TruncatesTowardZeroAndClampsEverythingElse) {
  EXPECT_EQ(FloatToInt<int32_t>(2.9f), 2);
  EXPECT_EQ(FloatToInt<int32_t>(-2.9), -2);
  EXPECT_EQ(FloatToInt<int32_t>(-0.0), 0);
  EXPECT_EQ(FloatToInt<int32_t>(kNaN), 0);
  EXPECT_EQ(FloatToInt<int32_t>(-kNaN), 0);
  EXPECT_EQ(FloatToInt<int32_t>(2147483647.9L), INT32_MAX);
  EXPECT_EQ(FloatToInt<int32_t>(2147483648.0L), INT32_MAX);
  EXPECT_EQ(FloatToInt<int32_t>(-2147483648.9L), INT32_MIN);
  EXPECT_EQ(FloatToInt<int32_t>(-3e9), INT32_MIN);
  EXPECT_EQ(FloatToInt<int32_t>(kInf), INT32_MAX);
  EXPECT_EQ(FloatToInt<int32_t>(-kInf), INT32_MIN);

  EXPECT_EQ(FloatToInt<uint32_t>(-0.5f), 0u);
  EXPECT_EQ(FloatToInt<uint32_t>(-1.0f), 0u);
  EXPECT_EQ(FloatToInt<uint32_t>(4294967295.0), UINT32_MAX);
  EXPECT_EQ(FloatToInt<uint32_t>(4294967296.0), UINT32_MAX);
  EXPECT_EQ(FloatToInt<uint8_t>(300.0f), 255u);
  EXPECT_EQ(FloatToInt<uint8_t>(254.99f), 254u);
  EXPECT_EQ(FloatToInt<int64_t>(9.3e18), INT64_MAX);
  EXPECT_EQ(FloatToInt<int64_t>(-9223372036854775808.0L), INT64_MIN);
  EXPECT_EQ(FloatToInt<uint64_t>(18446744073709551615.0L), UINT64_MAX);
  EXPECT_EQ(FloatToInt<uint64_t>(1e30), UINT64_MAX);
}

}  // namespace
