#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Two builds of the site measured alternately, so that both meet the same
# hour of a shared machine: web_bench.mjs and Lighthouse's mobile run on each,
# ROUNDS times (2 unless given). Lighthouse is installed here, in this folder,
# exactly as its package-lock.json has it; it is never part of the tests.
# Usage: bench/web/compare.sh BEFORE_SITE AFTER_SITE [ROUNDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
before=$(realpath "$1")
after=$(realpath "$2")
rounds=${3:-2}
if [ ! -d "$here/node_modules/lighthouse" ]; then
  (cd "$here" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >&2)
fi
for round in $(seq "$rounds"); do
  for build in before after; do
    site=$before
    [ "$build" = after ] && site=$after
    echo "== round $round: $build ($site)"
    node "$here/web_bench.mjs" "$site"
    node "$here/lighthouse.mjs" "$site" 2
  done
done
