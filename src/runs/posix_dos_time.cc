#include "runs/dos_time.h"

namespace quorlith {

DosDateTime ToDosDateTime(std::int64_t unix_seconds) {
  // A time_t narrower than 64 bits cannot hold every time; such a time
  // does not survive the round trip and counts as not convertible.
  std::time_t t = static_cast<std::time_t>(unix_seconds);
  if (static_cast<std::int64_t>(t) != unix_seconds) return {};
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return {};
  // The MS-DOS time keeps seconds halved, so an odd second shows the even
  // one before it.
  return {local.tm_mon + 1, local.tm_mday, year,
          local.tm_hour,    local.tm_min,  (local.tm_sec / 2) * 2};
}

}  // namespace quorlith
