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
# One harness's run; its log is build-fuzz/HARNESS.log.
fuzz_one() {
  local harness=$1 work=build-fuzz/corpus/$1
  mkdir -p "$work"
  # Set files are 117518 bytes; the comparison and the merge take patches
  # of one, the compile one report line, made mostly of the dictionary's
  # keywords and value names.
  local max_len=4096 extra=()
  [[ $harness == report ]] && max_len=240000
  [[ $harness == compile ]] && extra=(-dict=fuzz/compile.dict)
  build-fuzz/fuzz/fuzz_$harness "$work" "fuzz/corpus/$harness" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 "${extra[@]}" \
    -artifact_prefix=build-fuzz/findings/$harness- -print_final_stats=1 \
    2>build-fuzz/$harness.log
}

# Each harness is one process on one core: as many run side by side as
# there are cores, each still for its SECONDS.
failed=0
running=()
finish() {  # waits for the running harnesses and reports each
  local i
  for i in "${!running[@]}"; do
    local harness=${running[$i]}
    if wait "${pids[$i]}"; then
      echo "fuzz_$harness: ${seconds}s"
      grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' build-fuzz/$harness.log
    else
      echo "fuzz_$harness: failed"
      tail -n 40 build-fuzz/$harness.log
      failed=1
    fi
  done
  running=()
  pids=()
}
pids=()
for harness in report compare names compile merge; do
  fuzz_one "$harness" &
  pids+=($!)
  running+=("$harness")
  ((${#running[@]} < $(nproc))) || finish
done
finish
exit "$failed"
