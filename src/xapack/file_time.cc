#include "xapack/file_time.h"

#include <cstdio>

namespace xa::xapack {
namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kSecondsPerDay = 86'400;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kUnixEpochSeconds = 11'644'473'600;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

CivilTime CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t day_of_era = days - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t month_index = (5 * day_of_year + 2) / 153;
  CivilTime civil;
  civil.day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  civil.month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  civil.year = static_cast<int>(year_of_era + era * 400 + (civil.month <= 2));
  return civil;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

uint64_t FileTimeFromUnix(int64_t seconds, int64_t nanoseconds) {
  const int64_t since_1601 = seconds + kUnixEpochSeconds;
  if (since_1601 < 0)
    return 0;
  return static_cast<uint64_t>(since_1601) * kTicksPerSecond +
         static_cast<uint64_t>(nanoseconds / 100);
}

UnixTime UnixFromFileTime(uint64_t file_time) {
  UnixTime time;
  time.seconds = static_cast<int64_t>(file_time / kTicksPerSecond) - kUnixEpochSeconds;
  time.nanoseconds = static_cast<int64_t>(file_time % kTicksPerSecond) * 100;
  return time;
}

std::optional<uint64_t> FileTimeFromCivil(const CivilTime& time, int offset_minutes) {
  if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > DaysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 ||
      time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59 ||
      time.nanosecond < 0 || time.nanosecond > 999'999'999)
    return std::nullopt;
  const int64_t seconds = DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay +
                          time.hour * 3600 + time.minute * 60 + time.second -
                          int64_t{offset_minutes} * 60;
  if (seconds + kUnixEpochSeconds < 0)
    return std::nullopt;
  return FileTimeFromUnix(seconds, time.nanosecond);
}

std::string FormatFileTime(uint64_t file_time) {
  const int64_t total_seconds = static_cast<int64_t>(file_time / kTicksPerSecond);
  const int64_t ticks = static_cast<int64_t>(file_time % kTicksPerSecond);
  const int64_t unix_seconds = total_seconds - kUnixEpochSeconds;
  int64_t days = unix_seconds / kSecondsPerDay;
  int64_t second_of_day = unix_seconds % kSecondsPerDay;
  if (second_of_day < 0) {
    second_of_day += kSecondsPerDay;
    --days;
  }
  const CivilTime civil = CivilFromDays(days);
  char text[48];
  int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", civil.year,
                             civil.month, civil.day, static_cast<int>(second_of_day / 3600),
                             static_cast<int>(second_of_day / 60 % 60),
                             static_cast<int>(second_of_day % 60));
  if (ticks != 0) {
    length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length), ".%07d",
                            static_cast<int>(ticks));
  }
  return std::string(text, static_cast<size_t>(length)) + "Z";
}

}  // namespace xa::xapack
