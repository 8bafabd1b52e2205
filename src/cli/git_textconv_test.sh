#!/usr/bin/env bash
# git diff of a set file with the textconv set-up of the README: two
# commits that change one setting show that setting's line, old and new,
# and nothing else.
#
#   git_textconv_test.sh QUORLITH MAKE_SAMPLES
set -euo pipefail
quorlith=$1 make_samples=$2
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
cd "$repo"
git init -q .
git config user.email test@quorlith.invalid
git config user.name Test
git config diff.quorlith.textconv "$quorlith --show --textconv"
echo '*.000 diff=quorlith' > .gitattributes

"$make_samples" . >/dev/null
mv DEFAULT.000 student.000
rm -f CUSTOM.000
git add .gitattributes student.000
git commit -qm one
# Key_Rate is the keyboard block's second word (file offset 88 + 2).
printf '\x46\x00' | dd of=student.000 bs=1 seek=90 conv=notrunc status=none
touch -d '2030-01-01 12:00' student.000
git commit -qam two

changed=$(git diff HEAD~1 -- student.000 | grep '^[-+]' | grep -v '^\(---\|+++\) ')
expected="-Key_Rate = 60
+Key_Rate = 70"
if [[ $changed != "$expected" ]]; then
  echo "git diff showed:" >&2
  git diff HEAD~1 -- student.000 >&2
  exit 1
fi
# The working tree against a commit, as git diff without a range shows it.
printf '\x50\x00' | dd of=student.000 bs=1 seek=90 conv=notrunc status=none
changed=$(git diff -- student.000 | grep '^[-+]' | grep -v '^\(---\|+++\) ')
if [[ $changed != $'-Key_Rate = 70\n+Key_Rate = 80' ]]; then
  git diff -- student.000 >&2
  exit 1
fi
echo "git diff shows the changed setting and nothing else"
