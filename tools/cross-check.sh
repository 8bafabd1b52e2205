#!/usr/bin/env bash
# Checks that the Linux and the Windows program (under Wine) write the same
# reports and the same log for the same files:
#   tools/cross-check.sh LINUX_BUILD WINDOWS_BUILD [COUNT [SEED]]
# COUNT random set files (default 50, plus two that are not set files and a
# folder) are decompiled by a drive-letter pattern with backslashes, and
# the first of them is compared with all of them by relative names, with
# a backslash in one and a slash in the other on Windows. Only path text may differ, as Windows spells it: in
# the log and the header's file names, the drive "Z:" is dropped and "\"
# becomes "/"; everything else must be byte for byte the same, exit
# statuses included.
set -euo pipefail
linux_build=$(realpath "$1")
windows_build=$(realpath "$2")
count=${3:-50}
seed=${4:-$(date +%s)}
source_dir=$(realpath "$(dirname "$0")/..")
work=$windows_build/cross-check
wine_run=("$source_dir/tools/wine-run.sh" "$windows_build/wineprefix")
echo "cross-check: $count files, seed $seed"

rm -rf "$work"
mkdir -p "$work/in" "$work/out"
"$linux_build/make_random_sets" "$count" "$seed" "$work/in"
original=$(LC_ALL=C ls "$work/in" | grep -v '^bad\|^folder' | head -n 1)
# Z: is the root of the Linux file system under Wine.
windows_work="Z:${work//\//\\}"

# The same clock for both: with daylight saving Windows converts by the
# offset of today, Linux by that of the file's date.
export TZ=UTC
run() {  # NAME PROGRAM ARGUMENTS...: in $work, logs to NAME.out/.err/.status
  local name=$1
  shift
  local status=0
  (cd "$work" && "$@") >"$work/$name.out" 2>"$work/$name.err" || status=$?
  echo "$status" >"$work/$name.status"
}
# Each platform writes to the same folders in turn, so that the paths in
# the logs and headers are the same but for their spelling.
run linux-decompile "$linux_build/quorlith" "$work/in/*" "$work/out/"
mv "$work/out" "$work/linux-out" && mkdir "$work/out"
run windows-decompile "${wine_run[@]}" "$windows_build/quorlith.exe" \
  "$windows_work\\in\\*" "$windows_work\\out\\"
mv "$work/out" "$work/windows-out"
cp -a "$work/in" "$work/new"
run linux-compare "$linux_build/quorlith" "in/$original" "new/*" x
mv "$work/new" "$work/linux-new" && cp -a "$work/in" "$work/new"
run windows-compare "${wine_run[@]}" "$windows_build/quorlith.exe" \
  "in\\$original" "new/*" x
mv "$work/new" "$work/windows-new"

# Path text as Linux spells it: no drive, "/" for "\". In the log every
# "Z:" and "\" is path text (the names hold neither); in a report only the
# header's name line is.
normalise_log() { sed 's/Z://g; s/\\/\//g'; }
# Text fields may hold lone surrogates, which iconv refuses: Python keeps
# them ("surrogatepass") and only the header's name line changes.
normalise_report() {
  python3 -c '
import sys
text = sys.stdin.buffer.read().decode("utf-16-le", "surrogatepass")
lines = text.split("\r\n")
for i in range(min(6, len(lines))):
    if lines[i].startswith(("; Created from ", "; Comparison list between ")):
        lines[i] = lines[i].replace("Z:", "").replace("\\", "/")
sys.stdout.buffer.write("\r\n".join(lines).encode("utf-16-le", "surrogatepass"))
'
}

failures=0
fail() { echo "cross-check: $*" >&2; failures=$((failures + 1)); }
for run_name in decompile compare; do
  for part in out err status; do
    if ! cmp -s "$work/linux-$run_name.$part" \
        <(normalise_log <"$work/windows-$run_name.$part"); then
      fail "$run_name: standard $part differs"
      diff "$work/linux-$run_name.$part" \
        <(normalise_log <"$work/windows-$run_name.$part") | head -n 10 >&2 || true
    fi
  done
done
grep -q "file(s) decompiled" "$work/linux-decompile.out" ||
  fail "the decompile run did not finish"
grep -q "file(s) compared" "$work/linux-compare.out" ||
  fail "the compare run did not finish"

reports=0
for linux_dir in "$work/linux-out" "$work/linux-new"; do
  windows_dir=${linux_dir/\/linux-/\/windows-}
  for report in "$linux_dir"/*.t00; do
    name=${report##*/}
    if [[ ! -f $windows_dir/$name ]]; then
      fail "no Windows report $name"
    elif ! cmp -s "$report" <(normalise_report <"$windows_dir/$name"); then
      fail "report $name differs"
    fi
    reports=$((reports + 1))
  done
  windows_count=$(find "$windows_dir" -name '*.t00' | wc -l)
  ((windows_count == $(find "$linux_dir" -name '*.t00' | wc -l))) ||
    fail "Windows wrote $windows_count reports in ${windows_dir##*/}"
done
((reports >= 2 * count)) || fail "only $reports reports"

if ((failures)); then
  echo "cross-check: $failures difference(s), seed $seed; files in $work" >&2
  exit 1
fi
echo "cross-check: $reports reports and both logs identical"
rm -rf "$work"
