#!/usr/bin/env bash
# Checks the Debian package that `make package` built: its desktop entry and metainfo are valid,
# it holds every file an installed program needs, and its programs run from where it unpacks.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls build-package/leapmark_*.deb)

desktop-file-validate packaging/leapmark.desktop
appstreamcli validate --no-net --pedantic packaging/org.leapmark.Leapmark.metainfo.xml

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
  ./usr/bin/leapmark ./usr/bin/leapmark-cli ./usr/bin/leapmark-loupe
  ./usr/share/applications/leapmark.desktop
  ./usr/share/metainfo/org.leapmark.Leapmark.metainfo.xml
  ./usr/share/icons/hicolor/scalable/apps/leapmark.svg
  ./usr/share/icons/hicolor/48x48/apps/leapmark.png
  ./usr/share/icons/hicolor/256x256/apps/leapmark.png
  ./usr/share/leapmark/QX05Manual.rtf ./usr/share/leapmark/SmallSmiley.jpg ./usr/share/leapmark/SmallCaution.jpg
)
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$contents" || { echo "package lacks $file" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "package Depends lacks Qt" >&2; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
version=$(sed -n 's/^project(Leapmark VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ "$("$unpacked/usr/bin/leapmark" --version)" == "leapmark $version" ]]
[[ "$("$unpacked/usr/bin/leapmark-cli" --version)" == "leapmark-cli $version" ]]
# The installed tool records from the simulated camera with no set-up at all.
recorded=$("$unpacked/usr/bin/leapmark-cli" capture --device simulated --size 320x240 --fps 30 --seconds 1 \
    "$unpacked/check.avi")
grep -q '^frames_dropped 0$' <<<"$recorded" || { echo "the packaged capture dropped frames: $recorded" >&2; exit 1; }
[[ $(sed -n 's/^frames_captured //p' <<<"$recorded") -ge 25 ]] || { echo "the packaged capture: $recorded" >&2; exit 1; }
echo "package ok: $deb ($(du -h "$deb" | cut -f1))"
