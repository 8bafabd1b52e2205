#include "sections/sections.h"

namespace quorlith {

void WriteHotKeySection(ReportContext&) {}

}  // namespace quorlith
