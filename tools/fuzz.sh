#!/bin/bash
# Builds the libFuzzer targets of build/native (tests/fuzz/<name>_fuzz.cpp) and runs each for
# its share of the given seconds, starting from its seed corpus in tests/fuzz/corpus/<name>.
# New corpus entries stay in a scratch folder; a crashing input is kept in build/native/fuzz-crashes.
# Usage: tools/fuzz.sh [SECONDS]   (default 60; FTPLINK_NATIVE_BUILD names another native build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="${FTPLINK_NATIVE_BUILD:-$root/build/native}"

[ -f "$build/build.ninja" ] || "$root/tools/build.sh" native

targets=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    [ -e "$source" ] && targets+=("$(basename "$source" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets" >&2
    exit 0
fi
cmake --build "$build" --target "${targets[@]}"

share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/fuzz-crashes"
status=0
for target in "${targets[@]}"; do
    mkdir -p "$scratch/$target"
    seeds=()
    [ -d "$root/tests/fuzz/corpus/$target" ] && seeds=("$root/tests/fuzz/corpus/$target")
    echo "== fuzzing $target for ${share}s"
    if ! "$build/bin/$target" -max_total_time="$share" -print_final_stats=1 \
            -artifact_prefix="$build/fuzz-crashes/$target-" \
            "$scratch/$target" "${seeds[@]}" > "$scratch/$target.log" 2>&1; then
        tail -n 40 "$scratch/$target.log"
        echo "$target failed; the input is in $build/fuzz-crashes" >&2
        status=1
    else
        grep -E "stat::number_of_executed_runs|cov:" "$scratch/$target.log" | tail -n 2
    fi
done
exit $status
