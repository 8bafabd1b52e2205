#!/usr/bin/env bash
# Builds the Debian package and checks what it installs, unpacked into a
# scratch root: the programs run from there, lintian finds no error or
# warning, the AppStream and desktop entries validate and name each other,
# the manual pages render without warnings, and every option of --help is
# in the manual page and the Tab completion.
set -euo pipefail
cd "$(dirname "$0")/.."

# A build folder given is packaged rather than a build of its own.
bash tools/package-deb.sh "${1:-}" >/dev/null
packages=(dist/quorlith_*_"$(dpkg --print-architecture)".deb)
if ((${#packages[@]} != 1)); then
  echo "test-package: expected one package in dist/, found: ${packages[*]}" >&2
  exit 1
fi
deb=${packages[0]}
version=$(dpkg-deb -f "$deb" Version)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg -x "$deb" "$root"
bin=$root/usr/bin
share=$root/usr/share
fail() {
  echo "test-package: $*" >&2
  exit 1
}

# The programs, run from the unpacked package.
[[ $("$bin/quorlith" --version) == "Quorlith v. $version" ]] ||
  fail "quorlith --version does not print version $version"
"$bin/quorlith" --help | grep -q '^Usage: quorlith ' || fail "quorlith --help"
"$bin/quorlith" samples/DEFAULT.000 "$scratch/" >/dev/null
[[ $(head -c 2 "$scratch/DEFAULT.t00" | od -An -tx1) == " ff fe" ]] ||
  fail "the packaged quorlith wrote no report"
if ldd "$bin/quorlith-gui" | grep 'not found'; then
  fail "quorlith-gui needs libraries that are not installed"
fi

# What Debian's own checker says, in full; errors and warnings fail.
lintian_status=0
lintian_output=$(lintian --display-info --fail-on error,warning "$deb" 2>&1) ||
  lintian_status=$?
echo "lintian $deb (errors, warnings and notes):"
grep -v 'running with root privileges' <<<"$lintian_output" || echo "  none"
((lintian_status == 0)) || fail "lintian reports errors or warnings"

# The desktop entry, its software-centre entry and its icon.
desktop=("$share"/applications/*.desktop)
metainfo=("$share"/metainfo/*.metainfo.xml)
desktop-file-validate "${desktop[@]}"
appstreamcli validate --no-net "${metainfo[@]}"
app_id=$(basename "${desktop[0]}" .desktop)
grep -qF "<id>$app_id</id>" "${metainfo[0]}" ||
  fail "the AppStream id is not the desktop entry's name $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "${metainfo[0]}" || fail "the AppStream entry does not launch $app_id.desktop"
icon=$(sed -n 's/^Icon=//p' "${desktop[0]}")
for size in 16 22 24 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x$size/apps/$icon.png" |
    grep -q "PNG image data, $size x $size," || fail "no $size-pixel icon $icon"
done

# The manual pages render, and groff has nothing to say about them.
for page in quorlith quorlith-gui; do
  file=$share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$file" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man warns about $page.1: $warnings"
  text=$(MANWIDTH=80 man -P cat -l "$file")
  for section in NAME SYNOPSIS DESCRIPTION 'EXIT STATUS' EXAMPLES; do
    grep -qx "$section" <<<"$text" || fail "$page.1 has no $section section"
  done
done

# Every option of --help is documented and completed; the check itself
# must fail on a page or a completion that lacks one.
completion=$share/bash-completion/completions/quorlith
bash tools/check-options.sh "$bin/quorlith" "$share/man/man1/quorlith.1.gz" \
  "$completion"
zcat "$share/man/man1/quorlith.1.gz" |
  sed '/^\.TP/{n;s/\\-\\-version//}' >"$scratch/lacking.1"
sed 's/ --version / /' "$completion" >"$scratch/lacking-completion"
if bash tools/check-options.sh "$bin/quorlith" "$scratch/lacking.1" \
  "$completion" >/dev/null 2>&1 ||
  bash tools/check-options.sh "$bin/quorlith" \
    "$share/man/man1/quorlith.1.gz" "$scratch/lacking-completion" \
    >/dev/null 2>&1; then
  fail "check-options.sh misses an undocumented option"
fi

echo "test-package: $deb passed every package check"
