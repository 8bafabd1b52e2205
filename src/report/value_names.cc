#include "report/value_names.h"

namespace quorlith {

void AppendName(ReportText& out, ValueNameTable table, std::int32_t value) {
  if (value >= 0 && static_cast<std::size_t>(value) < table.size()) {
    out.append(table[static_cast<std::size_t>(value)]);
  } else {
    AppendDecimal(out, value);
  }
}

}  // namespace quorlith
