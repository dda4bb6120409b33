#!/usr/bin/env bash
# Fails when a source file includes what its layer may not:
#   src/<room>/*          the domain: no Qt, no FFmpeg, no ui/ or ffmpeg/ headers
#   src/<room>/ffmpeg/*   video: no Qt, no ui/ headers
set -euo pipefail
src=${1:-$(dirname "$0")/../src}
rooms=(common settings names manual shell grid measure video simulator capture review)
qt='#[[:space:]]*include[[:space:]]*<Q'
ffmpeg='#[[:space:]]*include[[:space:]]*<(libav|libsw|libpostproc)'
ui_header='#[[:space:]]*include[[:space:]]*"[^"]*/ui/'
ffmpeg_header='#[[:space:]]*include[[:space:]]*"[^"]*/ffmpeg/'

status=0
report() {
    echo "layer check: $1 may not include $2:" >&2
    echo "$3" | sed 's/^/    /' >&2
    status=1
}
for room in "${rooms[@]}"; do
    domain=$(find "$src/$room" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort || true)
    video=$(find "$src/$room/ffmpeg" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort || true)
    if [[ -n "$domain" ]]; then
        for pair in "Qt:$qt" "FFmpeg:$ffmpeg" "screens (ui/):$ui_header" "video (ffmpeg/):$ffmpeg_header"; do
            what=${pair%%:*}
            pattern=${pair#*:}
            # shellcheck disable=SC2086
            if hits=$(grep -EHn "$pattern" $domain); then report "the domain ($room/)" "$what" "$hits"; fi
        done
    fi
    if [[ -n "$video" ]]; then
        for pair in "Qt:$qt" "screens (ui/):$ui_header"; do
            what=${pair%%:*}
            pattern=${pair#*:}
            # shellcheck disable=SC2086
            if hits=$(grep -EHn "$pattern" $video); then report "video ($room/ffmpeg/)" "$what" "$hits"; fi
        done
    fi
done
exit $status
