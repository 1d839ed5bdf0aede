#!/bin/sh
# Installs everything the build and the tests need on a Debian 12 machine, run as root.
# Idempotent: every step checks before it acts, so CI and developers call it on each run.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
export DEBIAN_FRONTEND=noninteractive

need_pkgs() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    echo "$missing"
}

# 32-bit Windows code runs through Wine's 32-bit loader, which this kernel only executes via qemu-user.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt_dirty=1
fi
src=/etc/apt/sources.list.d/debian.sources
if [ -f "$src" ] && ! grep -q "bookworm-backports" "$src"; then
    sed -i '0,/^Suites: bookworm bookworm-updates$/s//Suites: bookworm bookworm-updates bookworm-backports/' "$src"
    apt_dirty=1
fi
if [ "${apt_dirty:-0}" = 1 ] || [ ! -e /var/lib/apt/lists/deb.debian.org_debian_dists_bookworm-backports_InRelease ]; then
    apt-get update -q
fi

m=$(need_pkgs qemu-user-static)
if [ -n "$m" ] || ! /usr/bin/qemu-i386-static --version | grep -q "version [1-9][0-9]"; then
    apt-get install -y -q -t bookworm-backports qemu-user-static
fi

mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
[ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' > /proc/sys/fs/binfmt_misc/register

m=$(need_pkgs g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools \
    wine wine64 wine32:i386 fonts-wine xvfb x11-utils xdotool imagemagick \
    cmake ninja-build googletest clang libclang-rt-14-dev \
    python3-pyftpdlib vsftpd curl python3-pil zip time)
if [ -n "$m" ]; then
    apt-get install -y -q --no-install-recommends $m
fi

# A 32-bit program must really run, or every Wine test of the product build is meaningless.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && ! wine --version >/dev/null 2>&1; then
    echo "setup: wine does not start" >&2
    exit 1
fi

"$here/tools/wine-prefix.sh"
echo "setup: ready"
