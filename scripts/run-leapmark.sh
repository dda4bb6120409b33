#!/usr/bin/env bash
# Starts Leapmark from the build folder given as the first argument.
set -euo pipefail
build_dir=${1:-build}
shift || true
if [[ -x "$build_dir/leapmark" ]]; then
  exec "$build_dir/leapmark" "$@"
fi
exec "$build_dir/leapmark-cli" --help
