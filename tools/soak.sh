#!/bin/bash
# Soak run (not part of the tests): many consecutive downloads through the real 32-bit ftplink.exe
# from a local FTP server with random answers, then checks for leftovers and partial files.
# Usage: tools/soak.sh [COUNT [SEED]]   (default 200 downloads, a random seed that is printed)
# Build: SOAK_BUILD=build/win32 (default; made by tools/build.sh win32 when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SOAK_BUILD:-$root/build/win32}
count=${1:-200}
seed_args=()
[ -n "${2:-}" ] && seed_args=(--seed "$2")
[ -f "$build/bin/ftplink.exe" ] || "$root/tools/build.sh" win32
cmake --build "$build" --target ftplink skelmer recorder robot >/dev/null
. "$root/tools/wine-env.sh"
"$root/tools/wine-prefix.sh" >/dev/null 2>&1
start_display >/dev/null 2>&1
trap stop_display EXIT
/usr/bin/python3 "$root/tests/e2e/soak_driver.py" --bin-dir "$build/bin" --count "$count" "${seed_args[@]}"
