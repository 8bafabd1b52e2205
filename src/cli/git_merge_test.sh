#!/usr/bin/env bash
# quorlith as git's merge driver, set up as the README says: a merge of
# branches that changed different settings commits the set file with both
# changes; a merge of branches that set one setting differently fails and
# leaves the conflict report where the set file stood.
#
#   git_merge_test.sh QUORLITH MAKE_SAMPLES
set -euo pipefail
quorlith=$1
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
trap 'echo "failed at line $LINENO" >&2' ERR
cd "$repo"
git init -q -b main .
git config user.email test@quorlith.invalid
git config user.name Test
git config merge.quorlith.driver "$quorlith --merge %O %A %B --git-driver %P"
echo '*.000 merge=quorlith' > .gitattributes
"$2" . >/dev/null
git add .gitattributes DEFAULT.000
git commit -qm base

# poke OFFSET VALUE: one byte of DEFAULT.000. Key_Rate is the keyboard
# block's second word (file offset 90), Screen_Rate the screen block's (28).
poke() { printf "\\x$(printf %02x "$2")" |
  dd of=DEFAULT.000 bs=1 seek="$1" conv=notrunc status=none; }
git checkout -q -b keys main && poke 90 70 && git commit -qam "Key_Rate 70"
git checkout -q -b screen main && poke 28 55 && git commit -qam "Screen_Rate 55"
git checkout -q -b rival main && poke 90 80 && git commit -qam "Key_Rate 80"

git checkout -q keys
git merge -q --no-edit screen >/dev/null
[[ $("$quorlith" --get Key_Rate DEFAULT.000) == "Key_Rate = 70" ]]
[[ $("$quorlith" --get Screen_Rate DEFAULT.000) == "Screen_Rate = 55" ]]

git merge -q --no-edit rival >merge.log 2>&1 && exit 1
grep -q "conflict: Key_Rate = 60 in base, 70 in mine, 80 in theirs" merge.log
[[ $(cat DEFAULT.000) == *$'; mine\nKey_Rate = 70\n; theirs\nKey_Rate = 80'* ]]

# Settled as the README says: theirs' line kept, then merged again with
# the conflicts as the report has them.
git show :1:DEFAULT.000 >b.000 && git show :2:DEFAULT.000 >m.000
git show :3:DEFAULT.000 >t.000 && sed -i '/^; base$/,/^; theirs$/d' DEFAULT.000
"$quorlith" --merge b.000 m.000 t.000 --resolved DEFAULT.000 -o r.000 >/dev/null
[[ $("$quorlith" --get Key_Rate r.000) == "Key_Rate = 80" ]]
[[ $("$quorlith" --get Screen_Rate r.000) == "Screen_Rate = 55" ]]
