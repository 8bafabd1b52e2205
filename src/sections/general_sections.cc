#include "sections/sections.h"

namespace quorlith {

void WriteGeneralSection(ReportContext&) {}

void WriteGlobalSection(ReportContext&) {}

void WriteDictionarySection(ReportContext&) {}

}  // namespace quorlith
