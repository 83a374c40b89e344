#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Builds everything and runs every check, quickest feedback first: the format
# of every C++ file, the whole suite in the debug build, the whole suite under
# the address and undefined-behaviour sanitizers, the fuzz targets for a
# bounded time, the benchmarks once (to show they build and run; speed is
# never asserted), the installed program and its Debian package, then the
# core built for WebAssembly against the native build. The
# first failure stops the run. The window's tests run on Qt's offscreen
# platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

step() { printf '\n== %s\n' "$*"; }
summaries=()
# Configures and builds one preset, then runs its tests and keeps ctest's
# summary line for the end.
preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  local log
  log=$(mktemp)
  ctest --preset "$1" | tee "$log"
  summaries+=("$1: $(grep -E '^[0-9]+% tests passed' "$log")")
  rm -f "$log"
}

step "format of every C++ file (.clang-format)"
if ! git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror; then
  echo "Not formatted as .clang-format asks: fix with clang-format -i FILE..." >&2
  exit 1
fi
echo "every C++ file is formatted"

step "every test, debug build"
preset dev

step "every test under AddressSanitizer and UndefinedBehaviorSanitizer"
preset asan

step "fuzz targets, about 30 seconds each"
preset fuzz

step "benchmarks, one short run"
cmake --preset bench >/dev/null
cmake --build --preset bench
for program in build/bench/bench/qvdtalvern-bench build/bench/bench/ui/qt/qvdtalvern-bench-window; do
  "$program" --benchmark_min_time=0.01
done
# The start-up probes open a window and quit at its first paint; one that
# sees no paint gives up after a few seconds with a non-zero status.
for program in build/bench/bench/app/qvdtalvern-startup-probe build/bench/bench/app/qt-floor-probe; do
  "$program"
done

step "install into a staging folder, validate it, build the Debian package and run lintian"
scripts/check-install.sh

step "the core in WebAssembly: unit tests under Node, the tool held to the native one"
wasm_log=$(mktemp)
scripts/check-wasm.sh | tee "$wasm_log"
summaries+=("$(grep -E '^wasm: ' "$wasm_log")")
rm -f "$wasm_log"

step "the web page in Chromium (Playwright Test)"
scripts/web.sh test

step "summary"
passed=0
for summary in "${summaries[@]}"; do
  echo "$summary"
  # "100% tests passed, 0 tests failed out of 322": every test ran and passed.
  passed=$((passed + ${summary##* }))
done
echo "ctest: $passed passed, 0 failed"
