#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# usage: man_options_test.sh PAGE PROGRAM
# The options the manual page PAGE lists (the tag line of each .TP item) are
# exactly the options PROGRAM --help lists (its lines "  -x, --long VALUE  text").
# Every number --help gives for an option (its range, its default) stands in
# the page's item for that option of the same command (or, where the page
# says "as for table" instead of an item, in its item for another command),
# so that a range changed in the code cannot leave the page behind. The program runs without
# any display, as help must work on a bare terminal.
set -euo pipefail
page=$1
program=$2

# Words that are options: -x or --long-name.
options() { tr ' ,' '\n\n' | grep -E '^--?[A-Za-z?][A-Za-z-]*$' | sort -u; }

# The page as text: roff's escaped minus and font changes taken out.
plain_page() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/"/ /g' "$page"; }

page_options() {
  plain_page | awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' | options
}

help_options() {
  grep -E '^ +-' "$help" | sed -E -e 's/^ +//' -e 's/ {2,}.*//' | options
}


# The awk function both readings share: for each option among `words`,
# "COMMAND OPTION NUMBER" for each number in `text` (and, where `all` is
# set, "* OPTION NUMBER" and "COMMAND OPTION item" as well).
emit='
  function emit(command, words, text, all,   i, n, option, rest) {
    n = split(words, option, /[ ,]+/)
    for (i = 1; i <= n; i++) {
      if (option[i] !~ /^--?[A-Za-z?][A-Za-z-]*$/)
        continue
      rest = text
      while (match(rest, /-?[0-9]+(\.[0-9]+)?/)) {
        print command, option[i], substr(rest, RSTART, RLENGTH)
        if (all)
          print "*", option[i], substr(rest, RSTART, RLENGTH)
        rest = substr(rest, RSTART + RLENGTH)
      }
      if (all)
        print command, option[i], "item"
    }
  }'

page_numbers() {
  plain_page | awk "$emit"'
    function flush() { if (tag != "") emit(command, tag, text, 1); tag = ""; text = "" }
    BEGIN { command = "-" }
    /^\.(SH|SS|PP|TP)/ { flush() }
    /^\.SH/ { command = "-" }
    /^\.SS/ { command = ($2 == "Options" && $3 == "of") ? $4 : "-"; next }
    /^\.TP/ { want = 1; next }
    want { tag = $0; want = 0; next }
    tag != "" { text = text " " $0 }
    END { flush() }' | sort -u
}

help_numbers() {
  awk "$emit"'
    BEGIN { command = "-" }
    /^[^ ]/ { command = ($1 == "Options" && $2 == "of") ? substr($3, 1, length($3) - 1) : "-" }
    /^ +-/ {
      line = $0
      sub(/^ +/, "", line)
      split(line, parts, /  +/)
      text = substr(line, length(parts[1]) + 1)
      emit(command, parts[1], text, 0)
    }' "$help" | sort -u
}

help=$(mktemp)
trap 'rm -f "$help"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$help"
status=0
if ! diff -u --label "options in $(basename "$page")" --label "options in $(basename "$program") --help" \
  <(page_options) <(help_options); then
  echo "The manual page and --help list different options (- only in the page, + only in --help)." >&2
  status=1
fi
# A number is missing when the command's own item lacks it, or, without such
# an item, every item of the option does.
missing=$(awk 'FNR == NR { page[$0] = 1; next }
  !($0 in page) && ((($1 " " $2 " item") in page) || !(("* " $2 " " $3) in page))' \
  <(page_numbers) <(help_numbers))
if [ -n "$missing" ]; then
  echo "Numbers --help gives that the manual page's item for the option does not (command, option, number):" >&2
  echo "$missing" >&2
  status=1
fi
exit "$status"
