#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a while, each on a scratch copy of its seed
# corpus (fuzz/corpus/<name>, name = the target without "fuzz_"), so the committed corpus stays as
# it is. Prints the executions of each target and whether it crashed; a crashing input is kept in
# <build>/fuzz-findings/<name>/. Exits non-zero when any target crashed.
#
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
seconds=${2:?usage: run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]}
shift 2

if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x -printf '%f\n' | sort)
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "No fuzz targets in $build/fuzz: build the 'fuzzers' target first." >&2
    exit 2
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/leapmark-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

crashed=0
summary=()
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    binary="$build/fuzz/$target"
    if [ ! -x "$binary" ]; then
        echo "$target: not built" >&2
        crashed=1
        continue
    fi
    work="$scratch/$name"
    mkdir -p "$work/corpus" "$work/artifacts"
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/corpus/"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/artifacts/")
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")

    echo "== $target for ${seconds}s"
    "$binary" "${options[@]}" "$work/corpus" >"$work/log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    runs=${runs:-?}
    findings=$(find "$work/artifacts" -type f | wc -l)
    if [ "$status" -ne 0 ] || [ "$findings" -gt 0 ]; then
        crashed=1
        kept="$build/fuzz-findings/$name"
        mkdir -p "$kept"
        cp "$work/log" "$kept/log.txt"
        cp -r "$work/artifacts/." "$kept/" 2>/dev/null
        grep -m 1 -E '^==[0-9]+==ERROR|^SUMMARY|deadly signal|ERROR: libFuzzer' "$work/log" || true
        summary+=("$target: $runs executions, CRASH (exit $status), input and log in $kept")
    else
        summary+=("$target: $runs executions, no crash")
    fi
done

echo
printf '%s\n' "${summary[@]}"
exit $crashed
