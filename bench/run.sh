#!/usr/bin/env bash
# Times quorlith on 1000 generated set files beside public tools doing
# comparable work, then repeats the decompile at 10000 files:
#   decompile  quorlith 'in/*' out/        (reads every file, writes every report)
#   -j 1       the same decompile on one worker, against the default -j
#              (the number of cores): wall and CPU time of each
#   cp -r      the same files              (the I/O floor)
#   cp -r reports  the finished reports    (reading and writing as many bytes
#              as a decompile writes)
#   xxd        the same bytes concatenated (a general binary-to-text dumper),
#              its text thrown away
#   compare    quorlith in/S00000.000 'in/*' x
#   compile    quorlith --compile R.t00 --base 'in/*' -o out/  (a whole
#              decompile report compiled over every file: one compile per
#              file, every line stored)
#   reports    quorlith --compile 'reports/*' -o out/  (each file's own
#              report compiled over it: as many reports as files)
# and the views on standard output, each beside the run that reads the
# same files:
#   --changes  quorlith --changes in/S00000.000 'in/*'   against compare
#   --summary  quorlith --changes --summary ...           against compare
#   --json     quorlith --json 'in/*'                     against decompile
#   --find     quorlith --find 'any_hot_key = alt-l' 'in/*'  against decompile
# At 10000 files each view's ratio is also given against its 1000-file one.
# Prints each mean wall time, the ratios and peak memory (RSS). The files are
# busy ones: every section present and every record filled, as in a real
# configuration. Ratios, not times, carry from one machine to another.
set -euo pipefail
cd "$(dirname "$0")/.."
QUORLITH_EXTRA_TOOLS=1 bash tools/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORLITH_BENCH=ON \
  -DQUORLITH_GUI=OFF -DQUORLITH_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorlith make_sets report_benchmark >/dev/null

# Files live in memory (tmpfs) where there is room, so the figures show the
# programs' own cost rather than the disk's write-back.
base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
work=$(mktemp -d "$base/quorlith-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
q=$PWD/build-bench/quorlith

mean() {  # mean seconds of the command hyperfine timed into $1
  python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['mean'])" "$1"
}
cpu() {  # mean CPU seconds (user and system) of the same
  python3 -c "import json,sys; r=json.load(open(sys.argv[1]))['results'][0]; print(r['user']+r['system'])" "$1"
}
peak_kib() {  # peak resident set size of one run of the command
  # A view's status 1 (files differ) is no failure here.
  { /usr/bin/time -v "$@" 2>&1 >/dev/null || true; } |
    awk -F': ' '/Maximum resident/ {print $2}'
}

measure() {  # COUNT
  local n=$1 dir=$work/$1
  mkdir -p "$dir/in" "$dir/out"
  build-bench/bench/make_sets "$n" "$dir/in"
  cat "$dir"/in/*.000 > "$dir/all.bin"
  sync
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/decompile.json" \
    "$q $dir/in/* $dir/out/" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/serial.json" \
    "$q -j 1 $dir/in/* $dir/out/" >/dev/null
  hyperfine --warmup 1 --runs 5 --prepare "rm -rf $dir/copy" \
    --export-json "$dir/cp-reports.json" "cp -r $dir/out $dir/copy" >/dev/null
  hyperfine --warmup 1 --runs 5 --prepare "rm -rf $dir/copy" \
    --export-json "$dir/cp.json" "cp -r $dir/in $dir/copy" >/dev/null
  hyperfine --warmup 1 --runs 3 --export-json "$dir/xxd.json" \
    "xxd $dir/all.bin > /dev/null" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/compare.json" \
    "$q $dir/in/S00000.000 $dir/in/* x" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/compare-serial.json" \
    "$q -j 1 $dir/in/S00000.000 $dir/in/* x" >/dev/null
  # The views exit with 1 when files differ or nothing is found, as diff
  # and grep do.
  local view_runs=5
  ((n > 1000)) && view_runs=3
  hyperfine -N -i --warmup 1 --runs $view_runs --export-json "$dir/changes.json" \
    "$q --changes $dir/in/S00000.000 $dir/in/*.000" >/dev/null
  hyperfine -N -i --warmup 1 --runs $view_runs --export-json "$dir/summary.json" \
    "$q --changes --summary $dir/in/S00000.000 $dir/in/*.000" >/dev/null
  hyperfine -N -i --warmup 1 --runs $view_runs --export-json "$dir/json.json" \
    "$q --json $dir/in/*.000" >/dev/null
  hyperfine -N -i --warmup 1 --runs $view_runs --export-json "$dir/find.json" \
    "$q --find 'any_hot_key = alt-l' $dir/in/*.000" >/dev/null
  decompile=$(mean "$dir/decompile.json")
  serial=$(mean "$dir/serial.json")
  decompile_cpu=$(cpu "$dir/decompile.json")
  serial_cpu=$(cpu "$dir/serial.json")
  cp_reports=$(mean "$dir/cp-reports.json")
  cp_time=$(mean "$dir/cp.json")
  xxd_time=$(mean "$dir/xxd.json")
  compare=$(mean "$dir/compare.json")
  "$q" "$dir/in/S00001.000" "$dir/R.t00" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/compile.json" \
    "$q --compile $dir/R.t00 --base $dir/in/*.000 -o $dir/out/" >/dev/null
  compile=$(mean "$dir/compile.json")
  mkdir -p "$dir/reports"
  "$q" "$dir/in/*.000" "$dir/reports/" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/reports.json" \
    "$q --compile $dir/reports/* -o $dir/out/" >/dev/null
  reports=$(mean "$dir/reports.json")
  peak_decompile=$(peak_kib "$q" "$dir/in/*" "$dir/out/")
  peak_compare=$(peak_kib "$q" "$dir/in/S00000.000" "$dir/in/*" x)
  peak_summary=$(peak_kib "$q" --changes --summary "$dir/in/S00000.000" \
    "$dir/in/*.000")
  python3 - "$n" "$decompile" "$cp_time" "$xxd_time" "$compare" \
    "$peak_decompile" "$peak_compare" "$compile" "$reports" "$serial" \
    "$decompile_cpu" "$serial_cpu" "$cp_reports" "$(nproc)" \
    "$(mean "$dir/compare-serial.json")" "$(mean "$dir/changes.json")" \
    "$(mean "$dir/summary.json")" "$(mean "$dir/json.json")" \
    "$(mean "$dir/find.json")" "$peak_summary" "$work/ratios" <<'PY'
import sys
n = int(sys.argv[1])
decompile, cp, xxd, compare = map(float, sys.argv[2:6])
peak_d, peak_c = int(sys.argv[6]), int(sys.argv[7])
compile_time, reports = float(sys.argv[8]), float(sys.argv[9])
serial, cpu_j, cpu_1, cp_reports = map(float, sys.argv[10:14])
jobs = int(sys.argv[14])
print(f"{n} files:")
print(f"  decompile  {decompile*1000:8.1f} ms  {decompile/n*1e6:7.1f} us/file  "
      f"{decompile/cp:4.2f}x cp -r   xxd is {xxd/decompile:5.1f}x slower  peak {peak_d/1024:.1f} MiB")
print(f"  compare    {compare*1000:8.1f} ms  {compare/n*1e6:7.1f} us/file  "
      f"{compare/cp:4.2f}x cp -r   peak {peak_c/1024:.1f} MiB")
print(f"  compile    {compile_time*1000:8.1f} ms  {compile_time/n*1e6:7.1f} us/file  "
      f"{compile_time/decompile:4.2f}x decompile")
print(f"  reports    {reports*1000:8.1f} ms  {reports/n*1e6:7.1f} us/file  "
      f"{reports/decompile:4.2f}x decompile")
print(f"  -j 1       {serial*1000:8.1f} ms  -j {jobs} is {serial/decompile:4.2f}x faster;  "
      f"CPU {cpu_1*1000:.0f} ms at -j 1, {cpu_j*1000:.0f} ms at -j {jobs} ({(cpu_j/cpu_1-1)*100:+.0f}%)")
print(f"  cp -r      {cp*1000:8.1f} ms")
print(f"  cp -r reports {cp_reports*1000:5.1f} ms  decompile is {decompile/cp_reports:4.2f}x that")
print(f"  xxd        {xxd*1000:8.1f} ms")
compare_serial, changes, summary, json_view, find = map(float, sys.argv[15:20])
peak_s, ratios_file = int(sys.argv[20]), sys.argv[21]
print(f"  compare -j 1 {compare_serial*1000:6.1f} ms  -j {jobs} is "
      f"{compare_serial/compare:4.2f}x faster")
views = [("--changes", changes, compare, "compare"),
         ("--summary", summary, compare, "compare"),
         ("--json", json_view, decompile, "decompile"),
         ("--find", find, decompile, "decompile")]
# The first measure keeps its ratios; a later one compares with them.
try:
    earlier = {name: (float(r), int(count)) for name, r, count in
               (line.split() for line in open(ratios_file))}
except FileNotFoundError:
    earlier = {}
with open(ratios_file, "a") as out:
    for name, time, run, run_name in views:
        ratio = time / run
        line = (f"  {name:10} {time*1000:8.1f} ms  {ratio:5.2f}x {run_name}")
        if name == "--summary":
            line += f"  peak {peak_s/1024:.1f} MiB"
        if name in earlier:
            first, count = earlier[name]
            line += f"  {ratio/first:4.2f}x its ratio at {count} files"
        else:
            out.write(f"{name} {ratio} {n}\n")
        print(line)
PY
  rm -rf "$dir"
}

echo "Files in $base."
echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "quorlith runs with -j $(nproc) (the default)."
measure 1000
measure 10000
echo
build-bench/bench/report_benchmark --benchmark_min_time=0.5 2>/dev/null | grep '^BM_'
