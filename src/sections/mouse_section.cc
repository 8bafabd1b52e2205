#include "sections/sections.h"

namespace quorlith {

void WriteMouseSection(ReportContext&) {}

}  // namespace quorlith
