#!/usr/bin/env bash
# Times quorlith on 1000 generated set files beside public tools doing
# comparable work, then repeats them at 10000 files:
#   decompile  quorlith 'in/*.000' out/    (reads every file, writes every report)
#   -j 1       the same decompile on one worker, against the default -j
#              (the number of cores): wall and CPU time of each
#   cp -r      the same files              (the I/O floor)
#   cp -r reports  the finished reports    (reading and writing as many bytes
#              as a decompile writes)
#   xxd        the same bytes concatenated (a general binary-to-text dumper),
#              its text thrown away
#   compare    quorlith in/S00000.000 'in/*.000' x
#   compile    quorlith --compile R.t00 --base 'in/*' -o out/  (a whole
#              decompile report compiled over every file: one compile per
#              file, every line stored)
#   reports    quorlith --compile 'reports/*' -o out/  (each file's own
#              report compiled over it: as many reports as files)
# and the views on standard output, each beside the run that reads the
# same files:
#   --changes  quorlith --changes in/S00000.000 'in/*.000'  against compare
#   --summary  quorlith --changes --summary ...           against compare
#   --json     quorlith --json 'in/*.000'                 against decompile
#   --find     quorlith --find 'any_hot_key = alt-l' 'in/*.000'  against decompile
# At 10000 files each view's ratio is also given against its 1000-file one.
# Prints each wall time (the median of those bench/pairs.py timed, else
# hyperfine's mean), the ratios and peak memory (RSS). The files are
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
  # Every ratio below compares two commands run in turn, pair by pair
  # (bench/pairs.py): on a machine shared with other work, one command's
  # mean against another's, timed minutes apart, varied by a third.
  local runs=11
  ((n > 1000)) && runs=7
  local in="'$dir/in/*.000'" orig=$dir/in/S00000.000
  local decompile_cmd="$q $in $dir/out/" compare_cmd="$q $orig $in x"
  python3 bench/pairs.py $runs "$decompile_cmd" "cp -r $dir/in $dir/copy" \
    --before "rm -rf $dir/copy" > "$dir/decompile.json"
  python3 bench/pairs.py $runs "$q -j 1 $in $dir/out/" "$decompile_cmd" \
    > "$dir/serial.json"
  python3 bench/pairs.py $runs "$q -j 1 $orig $in x" "$compare_cmd" \
    > "$dir/compare.json"
  python3 bench/pairs.py $runs "$q --changes $orig $in" "$compare_cmd" \
    > "$dir/changes.json"
  python3 bench/pairs.py $runs "$q --changes --summary $orig $in" \
    "$compare_cmd" > "$dir/summary.json"
  python3 bench/pairs.py $runs "$q --json $in" "$decompile_cmd" \
    > "$dir/json.json"
  python3 bench/pairs.py $runs "$q --find 'any_hot_key = alt-l' $in" \
    "$decompile_cmd" > "$dir/find.json"
  hyperfine --warmup 1 --runs 5 --prepare "rm -rf $dir/copy" \
    --export-json "$dir/cp-reports.json" "cp -r $dir/out $dir/copy" >/dev/null
  hyperfine --warmup 1 --runs 3 --export-json "$dir/xxd.json" \
    "xxd $dir/all.bin > /dev/null" >/dev/null
  "$q" "$dir/in/S00001.000" "$dir/R.t00" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/compile.json" \
    "$q --compile $dir/R.t00 --base $dir/in/*.000 -o $dir/out/" >/dev/null
  mkdir -p "$dir/reports"
  "$q" "$dir/in/*.000" "$dir/reports/" >/dev/null
  hyperfine -N --warmup 1 --runs 5 --export-json "$dir/reports.json" \
    "$q --compile $dir/reports/* -o $dir/out/" >/dev/null
  peak_decompile=$(peak_kib "$q" "$dir/in/*.000" "$dir/out/")
  peak_compare=$(peak_kib "$q" "$orig" "$dir/in/*.000" x)
  peak_summary=$(peak_kib "$q" --changes --summary "$orig" "$dir/in/*.000")
  python3 - "$n" "$dir" "$(mean "$dir/xxd.json")" "$(mean "$dir/compile.json")" \
    "$(mean "$dir/reports.json")" "$(mean "$dir/cp-reports.json")" \
    "$peak_decompile" "$peak_compare" "$peak_summary" "$(nproc)" \
    "$work/ratios" <<'PY'
import json, sys
n, folder = int(sys.argv[1]), sys.argv[2]
xxd, compile_time, reports, cp_reports = map(float, sys.argv[3:7])
peak_d, peak_c, peak_s, jobs = map(int, sys.argv[7:11])
ratios_file = sys.argv[11]
pair = {name: json.load(open(f"{folder}/{name}.json")) for name in
        ("decompile", "serial", "compare", "changes", "summary", "json", "find")}
decompile, cp = pair["decompile"]["a"], pair["decompile"]["b"]
compare = pair["compare"]["b"]
serial = pair["serial"]
print(f"{n} files (medians; ratios pair by pair):")
print(f"  decompile  {decompile*1000:8.1f} ms  {decompile/n*1e6:7.1f} us/file  "
      f"{pair['decompile']['ratio']:4.2f}x cp -r   xxd is {xxd/decompile:5.1f}x slower  peak {peak_d/1024:.1f} MiB")
print(f"  compare    {compare*1000:8.1f} ms  {compare/n*1e6:7.1f} us/file  "
      f"{compare/cp:4.2f}x cp -r   peak {peak_c/1024:.1f} MiB")
print(f"  compile    {compile_time*1000:8.1f} ms  {compile_time/n*1e6:7.1f} us/file  "
      f"{compile_time/decompile:4.2f}x decompile")
print(f"  reports    {reports*1000:8.1f} ms  {reports/n*1e6:7.1f} us/file  "
      f"{reports/decompile:4.2f}x decompile")
print(f"  -j 1       {serial['a']*1000:8.1f} ms  -j {jobs} is {serial['ratio']:4.2f}x faster;  "
      f"CPU {serial['a_cpu']*1000:.0f} ms at -j 1, {serial['b_cpu']*1000:.0f} ms at -j {jobs} "
      f"({(serial['b_cpu']/serial['a_cpu']-1)*100:+.0f}%)")
print(f"  cp -r      {cp*1000:8.1f} ms")
print(f"  cp -r reports {cp_reports*1000:5.1f} ms  decompile is {decompile/cp_reports:4.2f}x that")
print(f"  xxd        {xxd*1000:8.1f} ms")
print(f"  compare -j 1 {pair['compare']['a']*1000:6.1f} ms  -j {jobs} is "
      f"{pair['compare']['ratio']:4.2f}x faster")
views = [("--changes", "changes", "compare"), ("--summary", "summary", "compare"),
         ("--json", "json", "decompile"), ("--find", "find", "decompile")]
# The first measure keeps its ratios; a later one compares with them.
try:
    earlier = {name: (float(r), int(count)) for name, r, count in
               (line.split() for line in open(ratios_file))}
except FileNotFoundError:
    earlier = {}
with open(ratios_file, "a") as out:
    for name, key, run_name in views:
        ratio = pair[key]["ratio"]
        line = (f"  {name:10} {pair[key]['a']*1000:8.1f} ms  {ratio:5.2f}x {run_name}")
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
