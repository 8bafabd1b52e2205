#!/usr/bin/env bash
# Runs a Windows program under Debian's wine64 in a prefix of its own:
#   tools/wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The first use creates the prefix (wineboot -i, once, even when several
# tests start together); Wine's own messages are silenced.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install Mono or Gecko: nothing here needs them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)

if [[ ! -f $prefix/.quorlith-ready ]]; then
  mkdir -p "$prefix"
  (
    flock 9
    if [[ ! -f $prefix/.quorlith-ready ]]; then
      "$wine" wineboot -i >/dev/null 2>&1
      # Without a window manager on the virtual display, Wine waits two
      # seconds for each managed window to go; unmanaged windows go at once.
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1
      "${wine%/*}/wineserver" -w
      touch "$prefix/.quorlith-ready"
    fi
  ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
