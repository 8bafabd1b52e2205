#pragma once

#include <cstdint>
#include <ctime>

#include "report/report_writer.h"

namespace quorlith {

// Converts seconds since the epoch (UTC) to local time by the TZ rules,
// then to the MS-DOS fields. A time whose local year lies outside 1980 to
// 2107, or that cannot be converted at all, gives 00/00/1980 at 00:00.00.
DosDateTime ToDosDateTime(std::int64_t unix_seconds);

}  // namespace quorlith
