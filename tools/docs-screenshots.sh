#!/bin/bash
# Refreshes the README's pictures in docs/screenshots/: takes the dialog and download screenshots
# under Xvfb (tools/screenshot-dialogs.sh, tools/screenshots-download.sh) and trims each to its window.
# Usage: tools/docs-screenshots.sh [build folder, default build/win32]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
"$root/tools/screenshot-dialogs.sh" "$build"
"$root/tools/screenshots-download.sh" "$build"
shots=$root/build/screenshots
docs=$root/docs/screenshots
mkdir -p "$docs"
for name in download-arriving download-question download-save-as download-completed; do
    convert "$shots/$name.png" -bordercolor black -border 1 -trim +repage "$docs/$name.png"
done
cp "$shots/dialog-132-login.png" "$docs/credentials.png"
echo "docs-screenshots: $(ls "$docs" | wc -l) pictures in $docs"
