#!/usr/bin/env bash
# Builds the Windows programs and packs them for users:
#   tools/package-windows.sh [BUILD_FOLDER]   (default build-windows)
# makes dist/quorlith-VERSION-windows-x64.zip holding exactly quorlith.exe,
# quorlith-gui.exe, README.txt (the Windows README) and LICENSE.txt, and
# dist/quorlith-VERSION-x64.msi, the per-machine installer of the same
# files (packaging/quorlith.wxs), and checks that each program needs no DLL
# that Windows does not bring. The same commit gives the same zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
version=$(sed -n 's/^project(Quorlith VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_name=quorlith-$version-windows-x64.zip
msi_name=quorlith-$version-x64.msi
programs=(quorlith.exe quorlith-gui.exe)
documents=(README.txt LICENSE.txt)
# What every Windows 10 and 11 has; the C++ runtime is linked in. The
# settings editor's tree view is COMCTL32's, its accessibility annotations
# ole32's and OLEAUT32's.
system_dlls='^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|comdlg32|COMCTL32|ole32|OLEAUT32|msvcrt)\.dll$'

# Every time that goes into the packages is the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
# The installer's product version counts the commits, so that each newer
# package replaces an older one; the programs' own version stays $version.
build_number=$(git rev-list --count HEAD 2>/dev/null || echo 0)

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target quorlith quorlith-gui

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# strip writes each program's PE time stamp anew, from SOURCE_DATE_EPOCH.
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
sed 's/$/\r/' packaging/README-windows.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

# The same sources give the same zip: fixed times and modes, no extra
# attributes, the files in a fixed order.
chmod 755 "$stage"/*.exe
chmod 644 "$stage"/*.txt
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
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

# The installer. wixl reads its sources beside the descriptor. Each
# version's product code follows from the upgrade code and the version.
msi_version=$version.$build_number
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' \
  packaging/quorlith.wxs)
product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "$msi_version")
cp packaging/quorlith.wxs src/win32/quorlith-gui.ico "$stage/"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
rm -f "dist/$msi_name"
(cd "$stage" && wixl -a x64 -D "Version=$msi_version" \
  -D "ProductCode=$product_code" -o "$OLDPWD/dist/$msi_name" quorlith.wxs)
packed=$(msiinfo export "dist/$msi_name" File | tail -n +4 | cut -f3 |
  sort | tr '\n' ' ')
if [[ $packed != "$expected" ]]; then
  echo "package-windows: the installer holds $packed" >&2
  exit 1
fi
echo "dist/$msi_name: $(stat -c %s "dist/$msi_name") bytes, version" \
  "$msi_version, $packed"
