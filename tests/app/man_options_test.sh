#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# usage: man_options_test.sh PAGE PROGRAM
# The options the manual page PAGE lists (the tag line of each .TP item) are
# exactly the options PROGRAM --help lists (its lines "  -x, --long VALUE  text").
# The program runs without any display, as help must work on a bare terminal.
set -euo pipefail
page=$1
program=$2

# Words that are options: -x or --long-name.
options() { tr ' ,' '\n\n' | grep -E '^--?[A-Za-z?][A-Za-z-]*$' | sort -u; }

page_options() {
  awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' "$page" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/"/ /g' | options
}

help_options() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$help"
  grep -E '^ +-' "$help" | sed -E -e 's/^ +//' -e 's/ {2,}.*//' | options
}

help=$(mktemp)
trap 'rm -f "$help"' EXIT
if ! diff -u --label "options in $(basename "$page")" --label "options in $(basename "$program") --help" \
  <(page_options) <(help_options); then
  echo "The manual page and --help list different options (- only in the page, + only in --help)." >&2
  exit 1
fi
