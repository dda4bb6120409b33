#!/usr/bin/env bash
# The road through the real program in a virtual display under a window manager (openbox), driven
# by key presses and mouse clicks (scripts/road/road_in_window.py says which legs). Screenshots of
# every step are kept in WORK_DIR/screenshots, each step's time in WORK_DIR/steps.log.
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
wm=
trap 'kill $wm $bus 2>/dev/null || true' EXIT
# The window manager runs once it has named itself on the root window (started again should it
# have given up on a display not yet taking clients); the accessibility bus once it answers for its
# address.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    if [[ -z $wm ]] || ! kill -0 "$wm" 2>/dev/null; then
        openbox --sm-disable >>"$2/openbox.log" 2>&1 &
        wm=$!
    fi
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "road: openbox did not start" >&2; exit 1; }
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done
/usr/bin/python3 -B scripts/road/road_in_window.py "$1" "$2"
INNER
)
timeout 600 dbus-run-session -- xvfb-run -a -s "-screen 0 1920x1200x24" \
    bash -c "$inner" road "$build_dir" "$work_dir" 2> >(grep -v '^dbus-daemon' >&2)
