#!/bin/bash
# Configures and builds the three builds: build/native, build/win32 (the product), build/win64.
# Usage: tools/build.sh [native|win32|win64 ...]   (default: all three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=(native win32 win64)
for b in "${builds[@]}"; do
    case $b in
        native) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
        win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake") ;;
        win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake") ;;
        *) echo "unknown build $b" >&2; exit 2 ;;
    esac
    if [ ! -f "$root/build/$b/build.ninja" ]; then
        cmake -S "$root" -B "$root/build/$b" -G Ninja "${args[@]}"
    fi
    cmake --build "$root/build/$b"
done
