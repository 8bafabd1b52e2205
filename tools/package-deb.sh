#!/usr/bin/env bash
# Builds the Debian package dist/quorlith_VERSION_ARCH.deb: both programs,
# compiled with Debian's hardening flags and stripped, with their manual
# pages, desktop entry, icons, AppStream entry, Tab completion, copyright
# and changelog. Install it with: apt install ./dist/quorlith_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
# The archives' times are the last commit's, so the same commit gives the
# same package (cpack reads SOURCE_DATE_EPOCH).
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
# Every hardening feature Debian knows, bind-now included.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DQUORLITH_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build-deb -j"$(nproc)"

rm -rf build-deb/packages
(cd build-deb && cpack -G DEB -B packages >/dev/null)
mkdir -p dist
rm -f dist/quorlith_*.deb
cp build-deb/packages/quorlith_*.deb dist/
ls dist/quorlith_*.deb
