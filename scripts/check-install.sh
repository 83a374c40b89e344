#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Installs the release build into a staging folder and checks it as a desktop
# would: the desktop entry, the AppStream metainfo and the manual pages
# validate, both programs answer --help and --version from there without a
# display, and the Debian package passes lintian without errors. Any failed
# check fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
deb=$(scripts/package.sh)
stage=build/stage
rm -rf "$stage"
cmake --install build/release --prefix "$stage" >/dev/null

fail() { echo "FAILED: $*" >&2; exit 1; }

echo "-- installed programs"
[ "$(ls "$stage/bin")" = $'qvdtalvern\nqvdtalvern-cli' ] || fail "bin/ holds more than the two programs: $(ls "$stage/bin")"

echo "-- desktop-file-validate"
for entry in "$stage"/share/applications/*.desktop; do
  report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $entry: $report"
  [ -z "$report" ] || fail "desktop-file-validate $entry: $report"
done

echo "-- the job file type under the staged prefix"
# A copy of the staged data folder with its MIME database built, as the
# package's trigger builds it on a real system.
mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/share/applications"
cp -r "$stage/share/mime" "$mime/share/"
cp "$stage"/share/applications/*.desktop "$mime/share/applications/"
XDG_DATA_DIRS="$mime/share" update-mime-database "$mime/share/mime"
printf '{"format": "qvdtalvern-job", "version": 1}\n' >"$mime/aula.qvdjob"
type=$(XDG_DATA_DIRS="$mime/share:/usr/share" XDG_DATA_HOME="$mime/none" xdg-mime query filetype "$mime/aula.qvdjob")
[ "$type" = application/x-qvdtalvern-job ] || fail "a .qvdjob file is of type '$type'"
grep -qx 'MimeType=application/x-qvdtalvern-job;' "$mime"/share/applications/*.desktop \
  || fail "the desktop entry does not open job files"
grep -qx 'Exec=qvdtalvern %f' "$mime"/share/applications/*.desktop || fail "the desktop entry passes no file"
echo "aula.qvdjob: $type"

echo "-- appstreamcli validate --no-net"
for metainfo in "$stage"/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
done

echo "-- groff -man -ww -z"
for page in "$stage"/share/man/man1/*.1; do
  report=$(groff -man -ww -z "$page" 2>&1) || fail "groff $page: $report"
  [ -z "$report" ] || fail "groff $page: $report"
done

echo "-- --help and --version without a display"
for program in "$stage/bin/qvdtalvern-cli" "$stage/bin/qvdtalvern"; do
  for option in --help --version; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$option" >/dev/null \
      || fail "$program $option"
  done
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version
done

echo "-- lintian $deb"
lintian --fail-on error --display-info "$deb" || fail "lintian $deb"
echo "-- all install checks passed"
