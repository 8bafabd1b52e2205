#include "sections/sections.h"

namespace quorlith {

void WriteScreenSection(ReportContext&) {}

void WriteKeyboardSection(ReportContext&) {}

}  // namespace quorlith
