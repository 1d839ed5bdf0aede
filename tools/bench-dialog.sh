#!/bin/bash
# Dialog cost of a fast download (not a test): CPU time of ftplink's dialog thread per second of a
# 1 GiB local transfer (tests/e2e/measure_dialog_cpu.py) and the peak resident memory of the
# ftplink.exe process meanwhile (Linux VmHWM: the program with Wine, and qemu for 32-bit code).
# Usage: tools/bench-dialog.sh [MIB]   Build: BENCH_BUILD=build/win32 (default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build/win32}
. "$root/tools/wine-env.sh"
start_display >/dev/null 2>&1
trap stop_display EXIT
/usr/bin/python3 "$root/tests/e2e/measure_dialog_cpu.py" --bin-dir "$build/bin" --mib "${1:-1024}" &
driver=$!
peak=0
while kill -0 "$driver" 2>/dev/null; do
    for pid in $(pgrep -f 'app.ftplink\.exe' || true); do
        grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null || continue
        kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
        [ "${kb:-0}" -gt "$peak" ] && peak=$kb
    done
    sleep 0.2
done
wait "$driver"
echo "ftplink.exe peak resident memory (VmHWM): $((peak / 1024)) MiB"
