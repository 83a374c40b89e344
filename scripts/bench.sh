#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Builds the benchmarks (Release) and runs them all: the recalculations, a drag
# step on the window, and start-up time and peak memory of the window against
# a bare Qt window. Extra arguments go to both Google Benchmark programs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
if ! command -v hyperfine >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq hyperfine
  else
    echo "hyperfine is missing; install it with: sudo apt-get install -y hyperfine" >&2
    exit 1
  fi
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cmake --preset bench >/dev/null
cmake --build --preset bench

out=build/bench/bench
"$out/qvdtalvern-bench" "$@"
"$out/ui/qt/qvdtalvern-bench-window" "$@"
hyperfine -N --warmup 10 --runs 200 "$out/app/qt-floor-probe" "$out/app/qvdtalvern-startup-probe"
for probe in qt-floor-probe qvdtalvern-startup-probe; do
  printf '%s: ' "$probe"
  /usr/bin/time -v "$out/app/$probe" 2>&1 >/dev/null | grep 'Maximum resident set size'
done

# The web page's figures (builds the site first).
scripts/web.sh build >/dev/null
node bench/web/web_bench.mjs
# Lighthouse's mobile run, from bench/web's own pinned install (never a test).
if [ ! -d bench/web/node_modules/lighthouse ]; then
  (cd bench/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >&2)
fi
node bench/web/lighthouse.mjs build/web/site 3
