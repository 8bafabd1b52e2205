#!/usr/bin/env bash
# Proves that anyone can rebuild the packages bit for bit: clones the last
# commit twice, into folders of different names and depths, runs
# tools/package-deb.sh and tools/package-windows.sh in each, and fails
# unless the two .deb files and the two zips are byte-identical (and with
# them every program inside). The installers are compared table by table
# and stream by stream: wixl writes a new package code and the time of the
# build into each one's summary information, and nothing else may differ.
#   bash tools/check-reproducible.sh      (about twenty minutes on 2 cores)
# Both clones check out the commit that was HEAD when the script started;
# uncommitted changes are not part of them.
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clones=("$scratch/first" "$scratch/somewhere/else/second")
commit=$(git rev-parse HEAD)
for clone in "${clones[@]}"; do
  git clone -q --no-hardlinks --no-checkout . "$clone"
  git -C "$clone" checkout -q "$commit"
  echo "check-reproducible: building in $clone"
  (cd "$clone" && bash tools/package-deb.sh >/dev/null &&
    bash tools/package-windows.sh >/dev/null)
done

status=0
for package in "${clones[0]}"/dist/*.deb "${clones[0]}"/dist/*.zip; do
  name=${package##*/}
  if cmp -s "$package" "${clones[1]}/dist/$name"; then
    echo "identical: $name ($(sha256sum <"$package" | cut -c1-16)...)"
  else
    echo "DIFFERENT: $name" >&2
    status=1
  fi
done

for msi in "${clones[0]}"/dist/*.msi; do
  name=${msi##*/}
  for i in 0 1; do
    # msidump writes the tables' binary fields (the icon) into the
    # current folder.
    mkdir -p "$scratch/dump$i"
    (cd "$scratch/dump$i" &&
      msidump -t -s -d . "${clones[$i]}/dist/$name" >/dev/null)
  done
  # Only the summary may differ: its table and its stream, whose name
  # begins with a control character.
  others=$(diff -rq "$scratch/dump0" "$scratch/dump1" |
    grep -v 'SummaryInformation\(\.idt\)\? ' || true)
  if [[ -z $others ]]; then
    echo "identical but for the package code (9) and times (12, 13): $name"
    { diff "$scratch/dump0/_SummaryInformation.idt" \
      "$scratch/dump1/_SummaryInformation.idt" || true; } |
      sed -n 's/^[<>] /  /p'
  else
    echo "DIFFERENT: $name: $others" >&2
    status=1
  fi
  rm -rf "$scratch/dump0" "$scratch/dump1"
done
exit "$status"
