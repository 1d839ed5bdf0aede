#!/bin/bash
# Builds the 32-bit product and packs build/release/ftplink-<version>.zip: the program, the engine,
# the companions, the registration tool, README.md and LICENSE. The same sources give the same zip
# bytes: PE headers carry no link time, the packed copies are stripped of the debug information
# (which names the build folder), and the entries are sorted, with fixed times and permissions.
# Usage: tools/release.sh [BUILD_DIR]   (default: build/win32, built by tools/build.sh win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(tr -d '[:space:]' < "$root/VERSION")
programs=(ftplink.exe skelmer.dll corvane.exe plimsby.dll ftplink-register.exe)

if [ $# -eq 0 ]; then
    "$root/tools/build.sh" win32
    build="$root/build/win32"
else
    build=$(realpath -m "$1")
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
    fi
    cmake --build "$build" --target ftplink skelmer corvane plimsby ftplink-register
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for f in "${programs[@]}"; do
    # strip writes a fresh PE time stamp unless told one: zero, as the linker leaves it.
    SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip -o "$stage/$f" "$build/bin/$f"
    if grep -q -a -F -e "$root" -e "$build" "$stage/$f"; then
        echo "release: $f still names a build folder" >&2
        exit 1
    fi
done
cp "$root/README.md" "$root/LICENSE" "$stage/"

mkdir -p "$root/build/release"
zip="$root/build/release/ftplink-$version.zip"
/usr/bin/python3 - "$stage" "$zip" <<'EOF'
import os
import sys
import zipfile

stage, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target + ".part", "w") as archive:
    for name in sorted(os.listdir(stage)):
        entry = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        entry.create_system = 3
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
os.replace(target + ".part", target)
EOF
echo "release: $zip"
sha256sum "$zip"
