#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS (default 20) from the
# committed seed corpus. Any crash, leak or sanitizer report fails the run;
# the input that caused it is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORLITH_FUZZ=ON -DQUORLITH_GUI=OFF -DQUORLITH_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_report fuzz_compare fuzz_names \
  fuzz_compile fuzz_merge

mkdir -p build-fuzz/findings
for harness in report compare names compile merge; do
  work=build-fuzz/corpus/$harness
  mkdir -p "$work"
  # Set files are 117518 bytes; the comparison and the merge take patches
  # of one, the compile one report line, made mostly of the dictionary's
  # keywords and value names.
  max_len=4096
  extra=()
  [[ $harness == report ]] && max_len=240000
  [[ $harness == compile ]] && extra=(-dict=fuzz/compile.dict)
  seeds=fuzz/corpus/$harness
  echo "fuzz_$harness: ${seconds}s"
  build-fuzz/fuzz/fuzz_$harness "$work" "$seeds" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 "${extra[@]}" \
    -artifact_prefix=build-fuzz/findings/$harness- -print_final_stats=1 \
    2>build-fuzz/$harness.log || { tail -n 40 build-fuzz/$harness.log; exit 1; }
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' build-fuzz/$harness.log
done
