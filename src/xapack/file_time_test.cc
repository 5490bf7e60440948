#include "xapack/file_time.h"

#include <gtest/gtest.h>

namespace xa::xapack {
namespace {

struct CivilCase {
  CivilTime civil;
  int offset_minutes;
  uint64_t file_time;
  const char* iso;
};

// File times worked out independently of the code under test (Python datetime arithmetic).
const CivilCase kCivilCases[] = {
    {{1601, 1, 1, 0, 0, 0, 0}, 0, 0, "1601-01-01T00:00:00Z"},
    {{1970, 1, 1, 0, 0, 0, 0}, 0, 116444736000000000, "1970-01-01T00:00:00Z"},
    {{2000, 2, 29, 12, 30, 15, 0}, 0, 125963010150000000, "2000-02-29T12:30:15Z"},
    {{2026, 1, 31, 23, 59, 59, 0}, 0, 134143775990000000, "2026-01-31T23:59:59Z"},
    {{2026, 2, 1, 1, 59, 59, 0}, 120, 134143775990000000, "2026-01-31T23:59:59Z"},
    {{2026, 1, 31, 23, 59, 59, 500000000}, 0, 134143775995000000, "2026-01-31T23:59:59.5000000Z"},
};

TEST(FileTimeTest, ConvertsCivilTimesAndFormatsThem) {
  for (const CivilCase& c : kCivilCases) {
    SCOPED_TRACE(c.iso);
    const auto file_time = FileTimeFromCivil(c.civil, c.offset_minutes);
    ASSERT_TRUE(file_time.has_value());
    EXPECT_EQ(*file_time, c.file_time);
    EXPECT_EQ(FormatFileTime(c.file_time), c.iso);
  }
}

TEST(FileTimeTest, RefusesDatesThatDoNotExistOrLieOutsideTheRange) {
  const CivilTime invalid[] = {
      {2025, 2, 29, 0, 0, 0, 0}, {1900, 2, 29, 0, 0, 0, 0}, {2026, 4, 31, 0, 0, 0, 0},
      {2026, 13, 1, 0, 0, 0, 0}, {2026, 1, 1, 24, 0, 0, 0}, {1600, 12, 31, 23, 59, 59, 0},
      {30828, 1, 1, 0, 0, 0, 0},
  };
  for (const CivilTime& time : invalid) {
    SCOPED_TRACE(time.year * 10000 + time.month * 100 + time.day);
    EXPECT_FALSE(FileTimeFromCivil(time, 0).has_value());
  }
  // Midnight of the first day with a positive zone offset lies before 1601 in UTC.
  EXPECT_FALSE(FileTimeFromCivil({1601, 1, 1, 0, 0, 0, 0}, 60).has_value());
}

TEST(FileTimeTest, UnixTimesRoundTrip) {
  const UnixTime times[] = {{0, 0}, {1769903999, 0}, {1769903999, 123456700}, {-86400, 0}};
  for (const UnixTime& time : times) {
    const UnixTime back = UnixFromFileTime(FileTimeFromUnix(time.seconds, time.nanoseconds));
    EXPECT_EQ(back.seconds, time.seconds);
    EXPECT_EQ(back.nanoseconds, time.nanoseconds);
  }
  EXPECT_EQ(FileTimeFromUnix(-11644473601, 0), 0u);
}

}  // namespace
}  // namespace xa::xapack
