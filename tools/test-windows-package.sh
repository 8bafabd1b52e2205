#!/usr/bin/env bash
# Installs dist/quorlith-VERSION-x64.msi under Wine as an office's IT would
# (msiexec /i ... /qn) and checks what it installed: both programs and the
# documents under Program Files, the Start-menu shortcut, the App Paths
# entries and the Explorer commands in the 64-bit registry; then both
# installed programs run from a batch file, as cmd users name folders;
# last, msiexec /x ... /qn must leave no file or key behind.
#   xvfb-run -a tools/test-windows-package.sh [BUILD_FOLDER]
# Run it after tools/package-windows.sh; the desktop program needs the
# virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
msi=(dist/quorlith-*-x64.msi)
[[ -f ${msi[0]} ]] || {
  echo "test-windows-package: no installer in dist/" >&2
  exit 1
}

prefix=$PWD/$build/package-prefix
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko, and no menu entries of the Linux desktop for the
# shortcut: nothing may leave the prefix.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine)
wineserver=${wine%/*}/wineserver
DISPLAY= bash tools/wine-run.sh "$prefix" cmd /c exit
fail() {
  echo "test-windows-package: $*" >&2
  exit 1
}
drive=$prefix/drive_c
installed=$drive/'Program Files/Quorlith'
work=$drive/SetsTest
rm -rf "$work"
trap 'rm -rf "$work"' EXIT

# A key of the 64-bit view, as `reg query` prints it.
query() { "$wine" reg query "$1" /s /reg:64 2>/dev/null | tr -d '\r'; }
verbs='HKLM\Software\Classes\SystemFileAssociations\.000\shell'
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths'

msi_path=Z:$(realpath "${msi[0]}" | tr / '\\')
"$wine" msiexec /i "$msi_path" /qn ||
  fail "msiexec /i failed"
"$wineserver" -w
for file in quorlith.exe quorlith-gui.exe README.txt LICENSE.txt; do
  [[ -f $installed/$file ]] || fail "$file is not in Program Files\\Quorlith"
done
shortcut=$(find "$drive/ProgramData" "$drive/users" -name Quorlith.lnk \
  -path '*Start Menu/Programs/*' 2>/dev/null | head -1)
[[ -n $shortcut ]] || fail "no Start-menu shortcut"
grep -aq 'quorlith-gui.exe' "$shortcut" ||
  fail "the shortcut does not start quorlith-gui.exe"
for program in quorlith.exe quorlith-gui.exe; do
  query "$app_paths\\$program" |
    grep -qxF "    (Default)    REG_SZ    C:\\Program Files\\Quorlith\\$program" ||
    fail "no App Paths entry for $program"
done
echo "Explorer commands, as installed:"
query "$verbs" | sed -n 's/^    (Default)    REG_SZ    /  /p'
gui='"C:\Program Files\Quorlith\quorlith-gui.exe"'
query "$verbs\\QuorlithView\\command" | grep -qxF \
  "    (Default)    REG_SZ    $gui --view \"%1\"" || fail "no view command"
query "$verbs\\QuorlithCompare\\command" | grep -qxF \
  "    (Default)    REG_SZ    $gui --compare-with \"%1\"" ||
  fail "no compare command"
query "$verbs\\QuorlithEdit\\command" | grep -qxF \
  "    (Default)    REG_SZ    $gui --edit \"%1\"" || fail "no edit command"
# reg query prints in the console's code page; the exported key keeps the
# verb's own text.
"$wine" reg export "$verbs\\QuorlithCompare" 'C:\verb.reg' /reg:64 /y \
  >/dev/null 2>&1
iconv -f UTF-16 -t UTF-8 "$drive/verb.reg" | tr -d '\r' |
  grep -qxF '@="Compare with…"' || fail "the compare verb is not named Compare with…"
rm -f "$drive/verb.reg"
# The verbs belong to every .000 file; the extension's handler stays
# whatever it was.
query 'HKLM\Software\Classes\.000' | grep -q . &&
  fail "the installer made itself the handler of .000"

# Both programs from a batch file, with quoted folders ending in "\".
mkdir -p "$work/My Sets" "$work/New Sets" "$work/Out Put" "$work/Gui Out"
cp samples/DEFAULT.000 "$work/My Sets/A B.000"
cp samples/CUSTOM.000 "$work/New Sets/A B.000"
printf '%s\r\n' \
  '@echo off' \
  'set program="C:\Program Files\Quorlith\quorlith.exe"' \
  '%program% "C:\SetsTest\My Sets\A B.000" "C:\SetsTest\Out Put\"' \
  'if errorlevel 1 exit /b 1' \
  '%program% "C:\SetsTest\My Sets\A B.000" "C:\SetsTest\New Sets\" x' \
  'if errorlevel 1 exit /b 1' \
  '%program% --help > "C:\SetsTest\help.txt"' \
  >"$work/run.bat"
# The desktop program stays open after its run, and cmd waits for it.
printf '%s\r\n' '@echo off' \
  '"C:\Program Files\Quorlith\quorlith-gui.exe" "C:\SetsTest\My Sets\A B.000" "C:\SetsTest\Gui Out\"' \
  >"$work/gui.bat"
log=$("$wine" cmd /c 'C:\SetsTest\run.bat' | tr -d '\r') ||
  fail "the batch file failed: $log"
echo "The batch file's console program said:"
sed 's/^/  /' <<<"$log"
[[ $(head -c 2 "$work/Out Put/A B.t00" | od -An -tx1) == " ff fe" ]] ||
  fail "no report in \"C:\\SetsTest\\Out Put\\\""
grep -qxF '1 file(s) compared.' <<<"$log" ||
  fail "A.000 \"...\\New Sets\\\" x was no comparison"
[[ -f "$work/New Sets/A B.t00" ]] || fail "no comparison report"
grep -qF 'quorlith "C:\My Sets\*.000" "D:\Out Put\"' "$work/help.txt" ||
  fail "the help does not show Windows paths in double quotes"
"$wine" cmd /c 'C:\SetsTest\gui.bat' &
gui=$!
for ((tries = 0; tries < 100; ++tries)); do
  [[ -f "$work/Gui Out/A B.t00" ]] && break
  sleep 0.2
done
[[ -f "$work/Gui Out/A B.t00" ]] ||
  fail "quorlith-gui.exe wrote no report in \"C:\\SetsTest\\Gui Out\\\""
"$wine" taskkill /im quorlith-gui.exe >/dev/null 2>&1 || true
wait "$gui" || true
"$wineserver" -w
rm -rf "$work"

# The uninstall leaves nothing of Quorlith in the prefix.
"$wine" msiexec /x "$msi_path" /qn ||
  fail "msiexec /x failed"
"$wineserver" -w
left=$(find "$drive" -iname '*quorlith*' | sed "s|^$drive/|C:/|")
[[ -z $left ]] || fail "left after the uninstall: $left"
for key in "$verbs\\QuorlithView" "$verbs\\QuorlithCompare" "$verbs\\QuorlithEdit" \
  "$app_paths\\quorlith.exe" "$app_paths\\quorlith-gui.exe" \
  'HKLM\Software\Quorlith'; do
  "$wine" reg query "$key" /reg:64 >/dev/null 2>&1 && fail "left: $key"
done
if grep -il quorlith "$prefix"/*.reg; then
  fail "the registry still names Quorlith"
fi
echo "test-windows-package: ${msi[0]} installs, runs and uninstalls cleanly"
