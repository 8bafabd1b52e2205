#pragma once

#include <cstdint>
#include <ctime>

namespace quorlith {

// A last-write time as the report header prints it: local time in the
// MS-DOS fields, with their 2-second resolution and years 1980 to 2107.
struct DosDateTime {
  int month = 0;
  int day = 0;
  int year = 1980;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;

  bool operator==(const DosDateTime&) const = default;
};

// Converts seconds since the epoch (UTC) to local time by the TZ rules,
// then to the MS-DOS fields. A time whose local year lies outside 1980 to
// 2107, or that cannot be converted at all, gives 00/00/1980 at 00:00.00.
DosDateTime ToDosDateTime(std::int64_t unix_seconds);

}  // namespace quorlith
