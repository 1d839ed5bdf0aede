#!/bin/sh
# Creates the project's own Wine prefix (ignored folder .wine/) once: fonts copied in,
# window decoration and management by Wine so dialogs look right and do not stall under Xvfb.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/.wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.ftplink-ready" ]; then
    rm -rf "$WINEPREFIX"
    WINEARCH=win64 wineboot -i
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
    wineserver -w
    touch "$WINEPREFIX/.ftplink-ready"
fi
