#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# usage: output_checks_test.sh PROGRAM REPLAY_SCRIPT
# What a script running the tool relies on: output that could not be written
# (a full disk, here /dev/full) is exit status 1 with "write error" and the
# reason, for every command; a reader that stops early ends it quietly; a
# folder is no script.
set -uo pipefail
program=$1
script=$2
export LC_ALL=C NO_COLOR=1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

while IFS= read -r args; do
  err=$("$program" $args 2>&1 >/dev/full)
  status=$?
  [ "$status" -eq 1 ] || fail "'$args' >/dev/full exited $status, not 1"
  case $err in
    *"qvdtalvern-cli: write error: No space left on device") ;;
    *) fail "'$args' >/dev/full said: $err" ;;
  esac
done <<ARGS
table
table --format csv --units cm --width 250
table --format json --screen-bottom 30
fit --throw 150
fit --straight 150 --format json
replay $script
--help
--version
ARGS

err=$("$program" table 2>&1 | head -c1 >/dev/null)
[ -z "$err" ] || fail "table | head -c1 said: $err"

folder=$(dirname "$script")
err=$("$program" replay "$folder" 2>&1 >/dev/null)
[ $? -eq 2 ] && [ "$err" = "qvdtalvern-cli: cannot read $folder: Is a directory" ] || fail "replay FOLDER said: $err"
err=$("$program" replay <"$folder" 2>&1 >/dev/null)
[ $? -eq 2 ] && [ "$err" = "qvdtalvern-cli: cannot read standard input: Is a directory" ] || fail "replay <FOLDER said: $err"

# A usage error is exit status 2 whatever became of standard output.
for args in "table --width 5" "table --bogus" "replay a b" "frobnicate"; do
  "$program" $args >&- 2>/dev/null
  status=$?
  [ "$status" -eq 2 ] || fail "'$args' >&- exited $status, not 2"
done
out=$("$program" replay --help 2>&1)
[ $? -eq 0 ] && [ "$out" = "$("$program" --help)" ] || fail "replay --help said: $out"

# A file name and a caption with control characters are shown escaped: a
# terminal gets no escape sequence from them.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bad=$tmp/$'job\e]0;owned\a\e[2J.qvdjob'
printf '{"format": "other"}' >"$bad"
err=$("$program" table --job "$bad" 2>&1 >/dev/null)
case $err in
  *$'\e'* | *$'\a'*) fail "table --job NAME printed a control character: $(printf %q "$err")" ;;
  *'job\x1b]0;owned\x07\x1b[2J.qvdjob'*) ;;
  *) fail "table --job NAME said: $(printf %q "$err")" ;;
esac
err=$("$program" replay "$bad.missing" 2>&1 >/dev/null)
case $err in
  *$'\e'*) fail "replay MISSING printed a control character: $(printf %q "$err")" ;;
esac
printf 'set Label2.Caption a\\b\nset Label147.Caption \e[31mred\n' >"$tmp/script"
out=$("$program" replay "$tmp/script" 2>/dev/null)
case $out in
  *$'\e'*) fail "the dump printed a control character" ;;
esac
grep -qxF 'Label2.Caption=a\\b' <<<"$out" || fail "the dump showed a backslash as: $(grep Label2.Caption <<<"$out")"

[ "$failures" -eq 0 ] || exit 1
echo "every command reports output it could not write"
