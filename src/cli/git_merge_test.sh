#!/usr/bin/env bash
# quorlith as git's merge driver, set up as the README says: a merge of
# branches that changed different settings commits the merged set file; a
# merge of branches that set one setting differently fails and leaves the
# conflict report in the working tree, which git diff shows and which,
# edited, settles the merge with every change of both sides kept.
#
#   git_merge_test.sh QUORLITH MAKE_SAMPLES
set -euo pipefail
quorlith=$1 make_samples=$2
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
cd "$repo"
git init -q -b main .
git config user.email test@quorlith.invalid
git config user.name Test
git config merge.quorlith.name "Orvalen set files"
git config merge.quorlith.driver "$quorlith --merge %O %A %B --git-driver %P"
git config diff.quorlith.textconv "$quorlith --show --textconv"
echo '*.000 merge=quorlith diff=quorlith' > .gitattributes

"$make_samples" . >/dev/null
mv DEFAULT.000 student.000
rm -f CUSTOM.000
git add .gitattributes student.000
git commit -qm base

# poke OFFSET VALUE: one byte of student.000.
poke() { printf "\\x$(printf %02x "$2")" |
  dd of=student.000 bs=1 seek="$1" conv=notrunc status=none; }
setting() { "$quorlith" --show student.000 | grep "^$1 = "; }
fail() { echo "$1" >&2; exit 1; }

# Key_Rate is the keyboard block's second word (file offset 90), Screen_Rate
# the screen block's (file offset 28).
git checkout -q -b keys main
poke 90 70 && git commit -qam "Key_Rate 70"
git checkout -q -b screen main
poke 28 55 && git commit -qam "Screen_Rate 55"
git checkout -q -b rival main
# And a byte no setting shows: the unused last hot-key slot (offset 5242).
poke 90 80 && poke 5242 7 && git commit -qam "Key_Rate 80"

git checkout -q keys
git merge -q --no-edit screen >/dev/null || fail "a clean merge failed"
[[ $(git rev-list --count --merges HEAD) == 1 ]] || fail "no merge commit"
[[ -z $(git status --porcelain) ]] || fail "the clean merge left changes"
[[ $(setting Key_Rate) == "Key_Rate = 70" ]] || fail "mine's Key_Rate lost"
[[ $(setting Screen_Rate) == "Screen_Rate = 55" ]] || fail "theirs' lost"

if git merge -q --no-edit rival >merge.log 2>&1; then
  fail "a conflicting merge succeeded"
fi
[[ -n $(git ls-files -u student.000) ]] || fail "student.000 is not unmerged"
report=$(cat student.000)
expected="; base
Key_Rate = 60
; mine
Key_Rate = 70
; theirs
Key_Rate = 80"
[[ $report == *"$expected"* ]] || fail "no conflict lines in: $report"
grep -q "conflict: Key_Rate = 60 in base, 70 in mine, 80 in theirs" merge.log ||
  fail "git showed no conflict: $(cat merge.log)"

git diff >/dev/null 2>git.err || fail "git diff failed during the conflict: $(cat git.err)"

# The resolution, as the README says: keep theirs' line, then merge again
# with the conflicts settled as the report says.
git show :1:student.000 > base.000
git show :2:student.000 > mine.000
git show :3:student.000 > theirs.000
sed -i '/^; base$/,/^; theirs$/d' student.000
"$quorlith" --merge base.000 mine.000 theirs.000 --resolved student.000 \
  -o resolved.000 >/dev/null
mv resolved.000 student.000
git add student.000 && git commit -qm "Key_Rate 80 wins"
[[ $(setting Key_Rate) == "Key_Rate = 80" ]] || fail "resolution lost"
[[ $(setting Screen_Rate) == "Screen_Rate = 55" ]] || fail "merge lost"
[[ $(od -An -tu1 -j5242 -N1 student.000 | tr -d " ") == 7 ]] || fail "theirs' byte lost"
echo "git merges set files and leaves conflicts to be compiled"
