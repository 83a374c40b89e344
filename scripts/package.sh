#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Builds the Debian package from the release build and prints its path:
# build/release/qvdtalvern_<version>_<arch>.deb, the only .deb there.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target qvdtalvern qvdtalvern-cli >&2
rm -f build/release/*.deb
cpack --config build/release/CPackConfig.cmake -B build/release >&2
ls build/release/*.deb
