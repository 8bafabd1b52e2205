#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# those that are missing, so a second run costs nothing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev libxcb1-dev
  clang libclang-rt-14-dev
  # The tests of the JSON view (a real schema validator, and jq) and of git diff.
  python3 python3-jsonschema git jq
  # The Debian package (tools/package-deb.sh), its flags, which the tests'
  # build uses too (tools/debian-flags.sh), and its checks.
  dpkg-dev file lintian appstream desktop-file-utils man-db bash-completion
  # The Windows build and its tests under Wine on a virtual display.
  g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth zip unzip
  # The Windows installer (tools/package-windows.sh) and its reading.
  wixl msitools
)
# Optional tools for the benchmark script and the screen-reader check.
if [[ "${QUORLITH_EXTRA_TOOLS:-0}" == 1 ]]; then
  packages+=(hyperfine xxd time xvfb dbus-x11 at-spi2-core python3-pyatspi)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
