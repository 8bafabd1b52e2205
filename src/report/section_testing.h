#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "report/report_testing.h"

namespace quorlith {

// Helpers shared by the section tests.

// The text of a golden file of testdata/.
inline std::string ReadGolden(const std::string& file_name) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) + "/" + file_name,
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

inline constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

}  // namespace quorlith
