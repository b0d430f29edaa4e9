#include "kivo/support/date_stamp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>

namespace {

using namespace kivo;

using Bytes = std::array<uint8_t, 7>;

Bytes BytesOf(const DateStamp& stamp) {
  Bytes bytes;
  std::memcpy(bytes.data(), &stamp, sizeof stamp);
  return bytes;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

TEST(DateStamp, BytesOfLocalTimes) {
  const struct {
    std::time_t time;
    Bytes bytes;
  } cases[] = {
      {LocalTime(2000, 1, 1, 0, 0, 0), {0, 0, 0, 0, 1, 1, 10}},
      {LocalTime(2024, 12, 31, 23, 59, 58), {0, 58, 59, 23, 31, 12, 34}},
      {LocalTime(1990, 7, 4, 12, 30, 5), {0, 5, 30, 12, 4, 7, 0}},
      {LocalTime(1989, 7, 4, 12, 30, 5), {0, 5, 30, 12, 4, 7, 255}},  // the year byte wraps
      {LocalTime(2246, 3, 9, 1, 2, 3), {0, 3, 2, 1, 9, 3, 0}},
  };
  for (const auto& c : cases) {
    DateStamp stamp;
    std::memset(&stamp, 0xAB, sizeof stamp);
    ASSERT_EQ(DateStampFromTime(c.time, &stamp), kRTSuccess);
    EXPECT_EQ(BytesOf(stamp), c.bytes);
  }
}

TEST(DateStamp, NowMatchesTheClockAndUnconvertibleTimesFail) {
  const std::time_t before = std::time(nullptr);
  DateStamp now, filled;
  ASSERT_EQ(DateStampNow(&now), kRTSuccess);
  FillDateStamp(&filled);
  const std::time_t after = std::time(nullptr);
  DateStamp first, last;
  DateStampFromTime(before, &first);
  DateStampFromTime(after, &last);
  for (const DateStamp* stamp : {&now, &filled})
    EXPECT_TRUE(BytesOf(*stamp) == BytesOf(first) || BytesOf(*stamp) == BytesOf(last));

  DateStamp stamp;
  std::memset(&stamp, 0xAB, sizeof stamp);
  EXPECT_EQ(DateStampFromTime(std::numeric_limits<std::time_t>::max(), &stamp), kRTFailure);
  EXPECT_EQ(BytesOf(stamp), Bytes{});
}

}  // namespace
