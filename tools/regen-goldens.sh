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
mkdir -p testdata/cli
build/quorlith --help >testdata/cli/help.txt
git status --short testdata
