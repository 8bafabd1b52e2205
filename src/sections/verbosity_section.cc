#include "sections/sections.h"

namespace quorlith {

void WriteVerbositySection(ReportContext&) {}

}  // namespace quorlith
