#!/usr/bin/env bash
# Rewrites testdata/views.cksum: the exit status, POSIX cksum and
# size of every view's output over the files of ViewGoldenFiles, as the
# program REFERENCE writes them (a build of the commit the views must match
# byte for byte). src/cli/console_test.cc plays it at -j 1 and -j 2.
#   tools/regen-view-goldens.sh REFERENCE
set -euo pipefail
reference=$(realpath "$1")
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target make_view_sets >/dev/null
# The folder the test's file system in memory has: paths are in the output.
folder=/tmp/quorlith-view-goldens
rm -rf "$folder"
mkdir -p "$folder"
build/make_view_sets "$folder"
touch -d @0 "$folder"/*
golden=$PWD/testdata/views.cksum
commands=(
  "--show O.000"
  "--show --crlf --textconv H0.000"
  "--show --encoding utf-16 H1.000"
  "--json '*.000'"
  "--json-lines 'H*.000'"
  "--find 'Key_Rate = 1' '*.000'"
  "--find 'any_hot_key = alt-l' 'B*.000'"
  "--find 'cursor_key = alt-home' '*.000'"
  "--show O.000 '*.000'"
  "--changes O.000 '*.000'"
  "--changes O.000 N0.000"
  "--changes --ignore 'Screen_*' O.000 'N*.000'"
  "--changes --summary O.000 '*.000'"
  "--changes --summary O.000 'N*.000'"
  "--changes --summary O.000 'H*.000'"
  "--changes --summary --ignore 'Key_*' O.000 'N*.000'"
  "--json O.000 '*.000'"
  "--json-lines --ignore 'Key_*' H0.000 '*.000'"
)
{
  echo "# Written by tools/regen-view-goldens.sh from a build of the views"
  echo "# as they were: each command line, its status and its standard"
  echo "# output's POSIX cksum and size (see PlayTranscript)."
  for command in "${commands[@]}"; do
    echo
    status=0
    (cd "$folder" && eval "\"$reference\" $command") >"$folder.out" \
      2>/dev/null || status=$?
    echo "\$ $command => $status"
    echo "= $(cksum <"$folder.out" | cut -d' ' -f1,2)"
  done
} >"$golden"
rm -rf "$folder" "$folder.out"
echo "wrote $golden"
