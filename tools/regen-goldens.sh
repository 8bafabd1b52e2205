#!/usr/bin/env bash
# Rewrites testdata/ from what the program renders today. Only for a change
# of the reports that is meant: `git diff testdata/` shows what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target make_goldens quorlith
rm -f testdata/*.txt
mkdir -p testdata
build/make_goldens testdata
build/quorlith --help >testdata/help.txt
# The Windows program's help, with its examples spelled for cmd.
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$(nproc)" --target quorlith
bash tools/wine-run.sh build-windows/wineprefix build-windows/quorlith.exe \
  --help >testdata/help_windows.txt
git status --short testdata
