#include "runs/dos_time.h"

#include <gtest/gtest.h>

#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#include <time.h>
#endif

namespace quorlith {
namespace {

// POSIX: the test picks a zone five hours behind UTC without daylight
// saving, so the conversion to local time shows. Windows takes the zone
// from the system (the Wine test runs set TZ=EST5 for the same effect).
class DosTime : public ::testing::Test {
 protected:
#ifdef _WIN32
  // Seconds by which local time is ahead of UTC, as Windows converts now.
  static std::int64_t LocalOffset() {
    TIME_ZONE_INFORMATION zone;
    DWORD kind = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (kind == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
    if (kind == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
    return -static_cast<std::int64_t>(bias) * 60;
  }
#else
  static std::int64_t LocalOffset() {
    setenv("TZ", "EST5", 1);
    tzset();
    return -5 * 3600;
  }
  void TearDown() override {
    setenv("TZ", "UTC0", 1);
    tzset();
  }
#endif
};

TEST_F(DosTime, LocalFieldsRangeAndResolution) {
  std::int64_t offset = LocalOffset();
  struct Case {
    std::int64_t local_seconds;  // the local time, counted as if it were UTC
    DosDateTime expected;
  };
  const Case kCases[] = {
      {1246025279, {6, 26, 2009, 14, 7, 58}},  // 2009-06-26 14:07:59
      {315532800, {1, 1, 1980, 0, 0, 0}},      // the first DOS second
      {315532799, {0, 0, 1980, 0, 0, 0}},      // 1979: out of range
      {4354819200, {0, 0, 1980, 0, 0, 0}},     // 2108: out of range
      {4354819199, {12, 31, 2107, 23, 59, 58}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.local_seconds);
    EXPECT_EQ(ToDosDateTime(c.local_seconds - offset), c.expected);
  }
  for (std::int64_t extreme : {std::numeric_limits<std::int64_t>::min(),
                               std::numeric_limits<std::int64_t>::max()}) {
    EXPECT_EQ(ToDosDateTime(extreme), DosDateTime{});
  }
}

}  // namespace
}  // namespace quorlith
