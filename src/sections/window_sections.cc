#include "sections/sections.h"

namespace quorlith {

void WriteWindowSections(ReportContext&) {}

}  // namespace quorlith
