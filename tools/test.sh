#!/bin/bash
# The one test command: installs what is missing, builds all three builds, runs every test
# (native unit tests with sanitizers, Wine tests of both Windows builds, process-level and
# end-to-end tests under Xvfb), then a short fuzzing run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"

. "$root/tools/wine-env.sh"
start_display
trap stop_display EXIT

status=0
for b in native win32 win64; do
    echo "== tests of build/$b"
    ctest --test-dir "$root/build/$b" --output-on-failure --timeout 600 -j2 || status=1
done
echo "== short fuzzing run"
"$root/tools/fuzz.sh" 60 || status=1
exit $status
