#!/usr/bin/env bash
# Fails when an option that "PROGRAM --help" prints is missing from the
# manual page (as a .TP entry's tag, where the page documents its options)
# or is not offered by the Tab completion, and names what is missing.
#
#   bash tools/check-options.sh PROGRAM MANPAGE[.gz] COMPLETION
set -euo pipefail
if (($# != 3)); then
  echo "usage: $0 PROGRAM MANPAGE COMPLETION" >&2
  exit 2
fi
program=$1 manpage=$2 completion=$3

# Every option name in the text on standard input, one per line: "-x",
# "--name" or "--" alone, not part of a longer word ("read-only", "->").
option_names() {
  perl -ne 'print "$1\n" while /(?<![\w-])(--?[A-Za-z][\w-]*|--)(?![\w-])/g' |
    sort -u
}

help_options=$("$program" --help | option_names)
if [[ -z $help_options ]]; then
  echo "check-options: $program --help names no option" >&2
  exit 1
fi

# The tag lines of the page's .TP and .TQ entries, with font changes and
# escapes taken out, so that '.BR \-j " \fIN\fR"' reads '-j " N"'.
manual_options=$(
  if [[ $manpage == *.gz ]]; then zcat -- "$manpage"; else cat -- "$manpage"; fi |
    awk 'tag { print; tag = 0 } /^\.T[PQ]/ { tag = 1 }' |
    sed -E 's/^\.[A-Z]+ //; s/\\-/-/g; s/\\f(\(..|\[[^]]*\]|.)//g; s/\\&//g' |
    option_names
)

# What Tab offers after a lone "-", asked of the completion as bash would.
completion_options=$(
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    name=$2
    function=$(complete -p "$name" | sed -E "s/.* -F ([^ ]+) .*/\1/")
    COMP_WORDS=("$name" -) COMP_CWORD=1 COMP_LINE="$name -"
    COMP_POINT=${#COMP_LINE}
    "$function" "$name" - "$name"
    printf "%s\n" "${COMPREPLY[@]}"
  ' check-options "$completion" "$(basename "$program")" |
    sed 's/=$//' | option_names
)

status=0
for option in $help_options; do
  if ! grep -qxF -- "$option" <<<"$manual_options"; then
    echo "check-options: $option is not documented in $manpage" >&2
    status=1
  fi
  if ! grep -qxF -- "$option" <<<"$completion_options"; then
    echo "check-options: $option is not completed by $completion" >&2
    status=1
  fi
done
if ((status == 0)); then
  echo "check-options: all $(wc -w <<<"$help_options") options of --help" \
    "are in the manual page and the completion"
fi
exit "$status"
