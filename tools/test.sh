#!/usr/bin/env bash
# Builds and runs every test: once as shipped, then the Windows programs
# cross-built and tested under Wine (with the check that both platforms
# write the same reports and logs, and the zip and the installer for
# Windows, installed, run and uninstalled under Wine), once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then about a minute of
# fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each stage's wall time, printed at the end: where a slow run went.
times=()
mark=$SECONDS
stage() {
  times+=("$1 $((SECONDS - mark)) s")
  mark=$SECONDS
}

bash tools/install-deps.sh
stage "dependencies"
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Compiled and linked as the Debian package is, so that the package is
# made from this very build at the end.
source tools/debian-flags.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "${debian_flags[@]}" >/dev/null
cmake --build build -j"$jobs"
stage "Linux build"
(cd build && ctest --output-on-failure -j"$jobs") | tee -a "$log"
stage "Linux tests"

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$jobs"
stage "Windows build"
# Each Windows suite is one test of ctest; count its own test cases.
(cd build-windows && ctest --output-on-failure -j"$jobs")
windows_cases=$(grep -h '^\[  PASSED  \] [0-9]* test' \
  build-windows/Testing/Temporary/LastTest.log | awk '{n += $4} END {print n + 0}')
echo "Windows test cases passed under Wine: $windows_cases"
stage "Windows tests"
bash tools/cross-check.sh build build-windows 50
stage "cross-check"
bash tools/package-windows.sh build-windows
xvfb-run -a bash tools/test-windows-package.sh build-windows
stage "Windows packages"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORLITH_SANITIZE=ON \
  >/dev/null
cmake --build build-sanitize -j"$jobs"
stage "sanitizer build"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs") |
  tee -a "$log"
stage "sanitizer tests"

# Each harness for 20 seconds; any finding fails the run.
bash tools/fuzz.sh 20
stage "fuzzing"
bash tools/test-package.sh build
stage ".deb"
printf 'Time: %s\n' "$(IFS=,; echo "${times[*]}" | sed 's/,/, /g')"

passed=$(awk '/tests passed, .* tests failed out of/ {n += $NF} END {print n + 0}' "$log")
# Fuzz harnesses, the cross-platform check, the Windows packages and
# their installation count one each.
echo "$((passed + windows_cases + 5 + 3)) passed, 0 failed"
