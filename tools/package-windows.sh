#!/usr/bin/env bash
# Builds the Windows programs and packs them for users:
#   tools/package-windows.sh [BUILD_FOLDER]   (default build-windows)
# makes dist/quorlith-VERSION-windows-x64.zip holding exactly quorlith.exe,
# quorlith-gui.exe, README.txt and LICENSE.txt, and checks that each
# program needs no DLL that Windows does not bring.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
version=$(sed -n 's/^project(Quorlith VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_name=quorlith-$version-windows-x64.zip
programs=(quorlith.exe quorlith-gui.exe)
documents=(README.txt LICENSE.txt)
# What every Windows 10 and 11 has; the C++ runtime is linked in.
system_dlls='^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|comdlg32|msvcrt)\.dll$'

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target quorlith quorlith-gui

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for program in "${programs[@]}"; do
  x86_64-w64-mingw32-strip -o "$stage/$program" "$build/$program"
  unwanted=$(x86_64-w64-mingw32-objdump -p "$stage/$program" |
    sed -n 's/^\s*DLL Name: //p' | grep -Ev "$system_dlls" || true)
  if [[ -n $unwanted ]]; then
    echo "package-windows: $program needs $unwanted" >&2
    exit 1
  fi
done
# Windows' own editors expect CR LF.
sed 's/$/\r/' README.md >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

# The same sources give the same zip: fixed times, no extra attributes.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
touch -d "@$stamp" "$stage"/*
mkdir -p dist
rm -f "dist/$zip_name"
(cd "$stage" && TZ=UTC zip -X -q "$OLDPWD/dist/$zip_name" \
  "${programs[@]}" "${documents[@]}")

listed=$(unzip -Z1 "dist/$zip_name" | sort | tr '\n' ' ')
expected=$(printf '%s\n' "${programs[@]}" "${documents[@]}" | sort | tr '\n' ' ')
if [[ $listed != "$expected" ]]; then
  echo "package-windows: the zip holds $listed" >&2
  exit 1
fi
echo "dist/$zip_name: $(stat -c %s "dist/$zip_name") bytes, $listed"
