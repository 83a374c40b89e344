#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# The core in WebAssembly is the same program: builds the wasm preset
# (Debian's Emscripten), runs the unit tests of src/runtime, src/calc, src/ui
# and the commands under Node, then holds qvdtalvern-cli built for WebAssembly
# to the native one, byte for byte (standard output, standard error, exit
# status): every replay script of the tests and the fuzz corpus, seeded walks
# of a thousand actions, and a list of table and fit commands. The native tool
# is the debug build's (built first when missing).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export NODE_PATH=/usr/share/nodejs
cmake --preset wasm >/dev/null
cmake --build --preset wasm
log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT
ctest --preset wasm | tee "$log/ctest"
grep -E '^[0-9]+% tests passed' "$log/ctest" >"$log/summary"

native=build/dev/src/app/qvdtalvern-cli
if [ ! -x "$native" ]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev --target qvdtalvern-cli
fi
wasm=(node --no-experimental-fetch build/wasm/src/app/qvdtalvern-cli.js)

# Musl, the WebAssembly build's C library, knows no comma locale: the tool is
# compared in the C locale, and the comma separator in the unit tests above.
export LC_ALL=C NO_COLOR=1
compared=0
differing=0
# Runs one command line (and standard input, where given) through both tools.
compare() {
  local input=$1
  shift
  local status
  status=0; "$native" "$@" <"$input" >"$log/native.out" 2>"$log/native.err" || status=$?
  echo "$status" >>"$log/native.out"
  status=0; "${wasm[@]}" "$@" <"$input" >"$log/wasm.out" 2>"$log/wasm.err" || status=$?
  echo "$status" >>"$log/wasm.out"
  compared=$((compared + 1))
  if ! cmp -s "$log/native.out" "$log/wasm.out" || ! cmp -s "$log/native.err" "$log/wasm.err"; then
    differing=$((differing + 1))
    echo "DIFFERS: qvdtalvern-cli $*" >&2
    diff "$log/native.out" "$log/wasm.out" | head -n 10 >&2 || true
    diff "$log/native.err" "$log/wasm.err" | head -n 5 >&2 || true
  fi
}

for script in tests/app/data/*.replay tests/fuzz/corpus/replay/*; do
  compare /dev/null replay "$script"
  compare "$script" replay -
done

# Seeded walks over every input, a dump after each action.
for seed in 1 2 3; do
  awk -v seed="$seed" 'BEGIN {
    srand(seed)
    split("Option4 Option13 Option14 Option11 Option2 Command1", clicks, " ")
    split("HSBM hig vert hsbM1", bars, " ")
    for (i = 0; i < 1000; i++) {
      r = int(rand() * 10)
      if (r < 3) print "click " clicks[1 + int(rand() * 6)]
      else if (r < 7) print "change " bars[1 + int(rand() * 4)] " " int(rand() * 900) - 100
      else print "scroll " bars[1 + int(rand() * 4)] " " int(rand() * 900) - 100
      print "dump"
    }
  }' >"$log/walk-$seed.replay"
  compare "$log/walk-$seed.replay" replay -
done

while IFS= read -r arguments; do
  # shellcheck disable=SC2086 # the words of the line are the arguments
  compare /dev/null $arguments
done <tests/app/data/cli_arguments.txt

echo "wasm: $(cat "$log/summary")"
echo "qvdtalvern-cli in WebAssembly: $((compared - differing)) passed, $differing failed"
[ "$differing" -eq 0 ]
