#!/bin/bash
# Photographs the three dialogs as they first appear, under Xvfb, into build/screenshots/*.png.
# Usage: tools/screenshot-dialogs.sh [build folder]   (default: build/win32, built if needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
fi
cmake --build "$build" --target ui_dialog_shots
out=$root/build/screenshots
mkdir -p "$out"

. "$root/tools/wine-env.sh"
"$root/tools/wine-prefix.sh"
start_display
trap stop_display EXIT

for dialog in 129:download 130:choice 132:login; do
    id=${dialog%%:*}
    name=${dialog#*:}
    rect_file=$(mktemp)
    wine "$build/bin/ui_dialog_shots.exe" "$id" >"$rect_file" &
    shot_pid=$!
    for _ in $(seq 100); do
        [ -s "$rect_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$rect_file" ]; then
        echo "screenshot: dialog $id did not appear" >&2
        kill "$shot_pid" 2>/dev/null || true
        exit 1
    fi
    read -r x y w h <"$rect_file"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/dialog-$id-$name.png"
    echo "dialog $id: ${w}x${h} at $x,$y -> $out/dialog-$id-$name.png"
    wait "$shot_pid" || true
    rm -f "$rect_file"
done
