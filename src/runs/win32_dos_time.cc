#include <windows.h>

#include <limits>

#include "runs/dos_time.h"

namespace quorlith {
namespace {

// A FILETIME counts 100-nanosecond ticks since 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
constexpr std::int64_t kLatestSeconds =
    std::numeric_limits<std::int64_t>::max() / kTicksPerSecond -
    kSecondsFrom1601To1970;
constexpr WORD kFirstYear = 1980;             // the MS-DOS date's year 0
constexpr WORD kLastYear = kFirstYear + 127;  // its 7 bits of years

}  // namespace

// Windows' own conversion, so the header shows what Windows shows: local
// time by the zone's offset of today (not of the file's date), then the
// MS-DOS words, which refuse years outside 1980 to 2107.
DosDateTime ToDosDateTime(std::int64_t unix_seconds) {
  if (unix_seconds < -kSecondsFrom1601To1970 || unix_seconds > kLatestSeconds) {
    return {};
  }
  auto ticks = static_cast<std::uint64_t>(
      (unix_seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
  FILETIME utc{static_cast<DWORD>(ticks & 0xFFFFFFFFu),
               static_cast<DWORD>(ticks >> 32)};
  FILETIME local;
  SYSTEMTIME fields;
  WORD date = 0;
  WORD time = 0;
  // Windows refuses years the MS-DOS date cannot hold; Wine wraps them
  // round, so the range is tested here as well.
  if (!FileTimeToLocalFileTime(&utc, &local) ||
      !FileTimeToSystemTime(&local, &fields) || fields.wYear < kFirstYear ||
      fields.wYear > kLastYear ||
      !FileTimeToDosDateTime(&local, &date, &time)) {
    return {};
  }
  // Date: day in bits 0-4, month 5-8, years since 1980 9-15. Time: seconds
  // halved in bits 0-4, minutes 5-10, hours 11-15.
  return {(date >> 5) & 0x0F,  date & 0x1F,        1980 + (date >> 9),
          (time >> 11) & 0x1F, (time >> 5) & 0x3F, (time & 0x1F) * 2};
}

}  // namespace quorlith
