#!/usr/bin/env bash
# The road of one jump through the real program in a virtual display, driven by key presses and
# mouse clicks. Screenshots of every screen passed are kept in WORK_DIR/screenshots.
#   scripts/road-in-window.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath "${1:-build}")
work_dir=${2:-$(mktemp -d /tmp/leapmark-road-XXXXXX)}
mkdir -p "$work_dir"
work_dir=$(realpath "$work_dir")
echo "road in a window: work folder $work_dir"

inner=$(cat <<'INNER'
set -euo pipefail
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
trap 'kill $bus 2>/dev/null || true' EXIT
sleep 1
/usr/bin/python3 scripts/road/road_in_window.py "$1" "$2"
INNER
)
timeout 600 dbus-run-session -- xvfb-run -a -s "-screen 0 1920x1200x24" \
    bash -c "$inner" road "$build_dir" "$work_dir" 2> >(grep -v '^dbus-daemon' >&2)
