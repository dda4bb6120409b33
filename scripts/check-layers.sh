#!/usr/bin/env bash
# Fails when a source file includes what its layer or its room may not (see check-layers.py).
set -euo pipefail
exec python3 "$(dirname "$0")/check-layers.py" "${1:-$(dirname "$0")/../src}"
