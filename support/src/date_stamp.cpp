#include "kivo/support/date_stamp.h"

namespace kivo {

RTSuccess DateStampFromTime(std::time_t time, DateStamp* stamp) {
  *stamp = DateStamp{};
  std::tm local{};
  if (!localtime_r(&time, &local)) return kRTFailure;
  stamp->second = static_cast<uint8_t>(local.tm_sec);
  stamp->minute = static_cast<uint8_t>(local.tm_min);
  stamp->hour = static_cast<uint8_t>(local.tm_hour);
  stamp->day = static_cast<uint8_t>(local.tm_mday);
  stamp->month = static_cast<uint8_t>(local.tm_mon + 1);
  // tm_year counts from 1900; the stamp keeps the low byte of the year since 1990.
  stamp->year = static_cast<uint8_t>(static_cast<uint32_t>(local.tm_year) - 90u);
  return kRTSuccess;
}

RTSuccess DateStampNow(DateStamp* stamp) { return DateStampFromTime(std::time(nullptr), stamp); }

void FillDateStamp(DateStamp* stamp) { DateStampNow(stamp); }

}  // namespace kivo
