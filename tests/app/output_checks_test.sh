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

[ "$failures" -eq 0 ] || exit 1
echo "every command reports output it could not write"
