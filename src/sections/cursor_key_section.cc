#include "sections/sections.h"

namespace quorlith {

void WriteCursorKeySection(ReportContext&) {}

}  // namespace quorlith
