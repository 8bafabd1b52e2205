#pragma once

#include "report/report_testing.h"

namespace quorlith {

// The golden conflict report: a merge of two edits of the busy file,
// Key_Rate set on both sides differently, Screen_Rate by mine,
// Screen_Pitch on both alike, the mouse voice by theirs, and a byte no
// setting owns on both sides.
GoldenReport MergeConflictsGolden();

}  // namespace quorlith
