#!/bin/bash
# Screenshots of the download dialog at its main states (the question while the file arrives,
# Save As, the transfer after the answer, the completion summary) under build/screenshots/.
# Usage: tools/screenshots-download.sh [build folder, default build/win32]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
export FTPLINK_OWN_DISPLAY=1
. "$root/tools/wine-env.sh"
start_display
trap stop_display EXIT
/usr/bin/python3 "$root/tests/e2e/demo_driver.py" --bin-dir "$build/bin" \
    --shots "$root/build/screenshots" --work "$root/build/screenshots-work"
