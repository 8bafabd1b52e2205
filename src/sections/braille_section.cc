#include "sections/sections.h"

namespace quorlith {

void WriteBrailleSection(ReportContext&) {}

}  // namespace quorlith
