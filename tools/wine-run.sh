#!/usr/bin/env bash
# Runs a Windows program under Debian's wine64 in a prefix of its own:
#   tools/wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The first use creates the prefix (wineboot -i, once, even when several
# tests start together); Wine's own messages are silenced. Programs that
# share a prefix must not run at the same time on different displays
# (ctest keeps them apart with a resource lock).
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
      # Without a display: a Wine desktop started here would stay tied to
      # the virtual display of whichever test came first.
      DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
      # Without a window manager on the virtual display, Wine waits two
      # seconds for each managed window to go; unmanaged windows go at once.
      DISPLAY= "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1
      # A crash ends the program, as a failed test, instead of waiting in
      # Wine's debugger until the test's time is up.
      DISPLAY= "$wine" reg add 'HKCU\Software\Wine\WineDbg' \
        /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      "${wine%/*}/wineserver" -w
      touch "$prefix/.quorlith-ready"
    fi
  ) 9>"$prefix.lock"
fi
if [[ -z ${DISPLAY:-} ]]; then
  exec "$wine" "$@"
fi
# On a virtual display, Wine's desktop belongs to that display: the next
# program, on another display, must find no server of this one left.
status=0
"$wine" "$@" || status=$?
"${wine%/*}/wineserver" -w
exit "$status"
