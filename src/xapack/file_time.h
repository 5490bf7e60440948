#ifndef XA_XAPACK_FILE_TIME_H_
#define XA_XAPACK_FILE_TIME_H_

#include <cstdint>
#include <optional>
#include <string>

// Windows file times (100-nanosecond units since 1601-01-01 00:00 UTC), as records store them.
namespace xa::xapack {

// A time as seconds and nanoseconds (0 to 999999999) since 1970-01-01 00:00 UTC.
struct UnixTime {
  int64_t seconds = 0;
  int64_t nanoseconds = 0;
};

// The file time of a Unix time; times before 1601 give 0.
uint64_t FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

// The Unix time of a file time.
UnixTime UnixFromFileTime(uint64_t file_time);

// A calendar date and time of day in UTC.
struct CivilTime {
  int year = 1601;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59
  int nanosecond = 0;
};

// The file time of `time` minus `offset_minutes` (a zone's offset from UTC); nullopt when the
// date does not exist or lies before 1601 or after 30827.
std::optional<uint64_t> FileTimeFromCivil(const CivilTime& time, int offset_minutes);

// ISO 8601 in UTC: "2026-01-31T23:59:59Z", with seven fraction digits only when the time has
// a fraction of a second.
std::string FormatFileTime(uint64_t file_time);

}  // namespace xa::xapack

#endif  // XA_XAPACK_FILE_TIME_H_
