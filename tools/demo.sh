#!/usr/bin/env bash
# Installs what is missing, builds, decompiles the sample set file, compares
# the customised sample with it and shows the start of both reports.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target quorlith quorlith-gui

build/quorlith samples/DEFAULT.000
build/quorlith samples/DEFAULT.000 samples/CUSTOM.000 compare

for report in samples/DEFAULT.t00 samples/CUSTOM.t00; do
  echo
  echo "==> $report (first 40 lines)"
  # sed reads to the end, so the pipe never breaks under pipefail.
  iconv -f UTF-16 -t UTF-8 "$report" | tr -d '\r' | sed -n '1,40p'
done
