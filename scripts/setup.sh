#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Installs what building and testing need on Debian 12, and nothing that is
# already there. As root it runs apt-get; otherwise it prints the command to run.
set -euo pipefail

packages=(
  g++ cmake ninja-build            # compiler and build
  clang libclang-rt-14-dev         # the fuzz targets (libFuzzer) and their sanitizers
  libgtest-dev libbenchmark-dev    # unit tests and benchmarks
  qt6-base-dev                     # the window (Qt 6 Widgets and PrintSupport, offscreen platform for its tests)
  nlohmann-json3-dev               # the job file and the command-line tool's fit output (JSON)
  fonts-urw-base35 fonts-liberation  # stand-in faces for Courier and Book Antiqua
  librsvg2-bin                     # renders the icon as PNG for the window
  dpkg-dev file                    # the Debian package: dpkg-shlibdeps, and what CPack uses to find binaries
  desktop-file-utils appstream lintian groff-base  # the install checks of scripts/check-install.sh
  shared-mime-info xdg-utils libfile-mimeinfo-perl  # the job file type, checked by scripts/check-install.sh (xdg-mime reads the database through mimetype)
  clang-format                     # the format check of the test command and the pre-commit hook
  emscripten nodejs                # the core in WebAssembly (scripts/check-wasm.sh, the web page) and Node to run it
  chromium                         # the web page's browser tests (Playwright drives Debian's Chromium)
  fonttools python3-brotli         # the page's faces subset to its characters, as WOFF2
)

# In a clone, commits are checked against .clang-format.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ -z "$(git config core.hooksPath || true)" ]; then
  git config core.hooksPath scripts/hooks
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "These packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
