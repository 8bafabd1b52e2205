#!/usr/bin/env bash
# git diff of a set file with the textconv set-up of the README: a commit
# that changes one setting, and the file's date, shows that setting's line,
# old and new, and nothing else.
#
#   git_textconv_test.sh QUORLITH MAKE_SAMPLES
set -euo pipefail
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
cd "$repo"
git init -q .
git config user.email test@quorlith.invalid
git config user.name Test
git config diff.quorlith.textconv "$1 --show --textconv"
echo '*.000 diff=quorlith' > .gitattributes
"$2" . >/dev/null
git add .gitattributes DEFAULT.000
git commit -qm one
# Key_Rate is the keyboard block's second word (file offset 88 + 2).
printf '\x46\x00' | dd of=DEFAULT.000 bs=1 seek=90 conv=notrunc status=none
touch -d '2030-01-01 12:00' DEFAULT.000
git commit -qam two

diff=$(git diff HEAD~1 -- DEFAULT.000)
if [[ $(grep '^[-+][^-+]' <<<"$diff") != $'-Key_Rate = 60\n+Key_Rate = 70' ]]; then
  echo "git diff showed: $diff" >&2
  exit 1
fi
