#pragma once

#include <cstdint>

#include "setfile/set_file_builder.h"

namespace quorlith {

// A set file with every part in use, for benchmarks and fuzz seeds: all
// hot keys and cursor keys defined, every window with its texts, every
// dictionary named, every other word set. Different seeds give different
// files of the same shape.
SetFileBuilder BusySetFile(std::uint32_t seed);

}  // namespace quorlith
