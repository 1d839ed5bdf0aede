#!/bin/bash
# The first thing to run: installs and builds the product (build/win32), starts a local FTP
# server with a generated demo folder and opens an ftp:// URL of it in ftplink.exe. With a usable
# display the dialogs are yours to answer; without one they run under Xvfb, answered by the test
# robot, and screenshots go to build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" win32

interactive=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    interactive=1
    export FTPLINK_OWN_DISPLAY=0
fi
. "$root/tools/wine-env.sh"
start_display
trap stop_display EXIT

args=(--bin-dir "$root/build/win32/bin" --shots "$root/build/screenshots" --work "$root/build/demo")
if [ $interactive = 1 ]; then
    echo "demo: using your display $DISPLAY"
    args+=(--interactive)
else
    echo "demo: no usable display; running under Xvfb $DISPLAY with the robot answering"
fi
/usr/bin/python3 "$root/tests/e2e/demo_driver.py" "${args[@]}"
