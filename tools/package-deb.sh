#!/usr/bin/env bash
# Builds the Debian package dist/quorlith_VERSION_ARCH.deb: both programs,
# compiled with Debian's hardening flags and stripped, with their manual
# pages, desktop entry, icons, AppStream entry, Tab completion, copyright
# and changelog. Install it with: apt install ./dist/quorlith_*.deb
#   bash tools/package-deb.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
# The archives' times are the last commit's, so the same commit gives the
# same package (cpack reads SOURCE_DATE_EPOCH).
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
# A build folder given is one tools/test.sh configured with the same
# flags: the package is made from what the tests ran on.
build=${1:-}
if [[ -z $build ]]; then
  build=build-deb
  source tools/debian-flags.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORLITH_TESTS=OFF \
    "${debian_flags[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"

rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B packages >/dev/null)
mkdir -p dist
rm -f dist/quorlith_*.deb
cp "$build"/packages/quorlith_*.deb dist/
ls dist/quorlith_*.deb
