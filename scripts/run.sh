#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Builds the program and opens its window. Without a display it prints the
# start-up table from the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set), so here is the start-up table from qvdtalvern-cli instead:"
  echo
  exec build/release/src/app/qvdtalvern-cli table
fi
exec build/release/src/app/qvdtalvern "$@"
