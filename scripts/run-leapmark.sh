#!/usr/bin/env bash
# Starts Leapmark from the build folder given as the first argument. Without a display there is
# no screen to show: the command-line demo runs the road of one jump instead.
set -euo pipefail
build_dir=${1:-build}
shift || true
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display available: running 'leapmark-cli demo' instead of the screens."
  exec "$build_dir/leapmark-cli" demo
fi
exec "$build_dir/leapmark" "$@"
