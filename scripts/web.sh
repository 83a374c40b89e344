#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# QVDTALVERN in the browser: builds the site (the C++ core in WebAssembly
# under the page of web/) into build/web/site and serves it on this machine
# at http://127.0.0.1:8080/ (PORT to change). `scripts/web.sh build` builds
# only and prints the folder. Installs what is missing, as scripts/setup.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export NODE_PATH=/usr/share/nodejs
# The page's tests and their tools, exactly as package-lock.json has them;
# Playwright drives Debian's Chromium and never downloads a browser.
if [ ! -d node_modules ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund >&2
fi
cmake --preset wasm >/dev/null
cmake --build --preset wasm --target qvdtalvern-web >&2

site=build/web/site
rm -rf "$site"
mkdir -p "$site/fonts"
cp web/index.html web/style.css web/*.js web/manifest.webmanifest "$site/"
cp build/wasm/src/ui/web/qvdtalvern.mjs build/wasm/src/ui/web/qvdtalvern.wasm "$site/"
cp data/icon.svg "$site/icon.svg"
# The tab's icon is a small PNG: the browser draws an SVG icon by building a
# document for it on the page's main thread, while the page starts.
for size in 32 192 512; do
  rsvg-convert -w "$size" -h "$size" data/icon.svg -o "$site/icon-$size.png"
done
# The faces the window is drawn in, as WOFF2 holding only the characters the
# page draws (printable ASCII, the no-break space, and the others the page's
# and the core's texts use), with their licences beside them.
unicodes=$(cat web/index.html web/*.js src/runtime/*.cpp src/calc/*.cpp src/ui/window/*.cpp src/ui/job/*.cpp \
  | python3 -c 'import sys; extra = sorted({c for c in sys.stdin.read() if ord(c) > 0x7e})
print(",".join(["U+0020-007E", "U+00A0"] + ["U+%04X" % ord(c) for c in extra]))')
for face in /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf \
  /usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf \
  /usr/share/fonts/opentype/urw-base35/P052-Roman.otf; do
  name=$(basename "${face%.*}")
  pyftsubset "$face" --unicodes="$unicodes" --flavor=woff2 --layout-features='kern,liga' \
    --output-file="$site/fonts/$name.woff2"
done
cp /usr/share/doc/fonts-liberation/copyright "$site/fonts/LICENSE-Liberation.txt"
cp /usr/share/doc/fonts-urw-base35/copyright "$site/fonts/LICENSE-URW-base35.txt"

# The window's first state drawn into index.html, shown before the module
# has loaded.
node scripts/prerender_window.mjs "$site" >&2

# The service worker caches every file the page loads under the build's
# version: each once (index.html as "./"), the licences left to the network.
files=$(cd "$site" && find . -type f ! -name sw.js | sed 's|^\./||' | sort)
version=$(cd "$site" && cat $files | sha256sum | cut -c1-16)
list=$(printf '"./"'; for file in $files; do
  case "$file" in index.html | fonts/LICENSE-*) ;; *) printf ', "%s"' "$file" ;; esac
done)
sed -i -e "s|@VERSION@|$version|" -e "s|@FILES@|[$list]|" "$site/sw.js"

case "${1:-}" in
  build)
    echo "$site"
    exit 0
    ;;
  test)
    # The native tool and the model's replay of the conformance table, which
    # the page's tests compare with.
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target qvdtalvern-cli replay_action_scripts >&2
    exec npx playwright test --config tests/web/playwright.config.mjs
    ;;
esac
port=${PORT:-8080}
echo "QVDTALVERN is at http://127.0.0.1:$port/ (Ctrl+C ends it)"
exec python3 scripts/serve_site.py "$site" "$port"
