# Sourced by the scripts that run Windows programs: the project's Wine prefix, one Xvfb display
# and one warm wineserver for a whole run. Usage: . tools/wine-env.sh; start_display; ...; stop_display
FTPLINK_ROOT=${FTPLINK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)}
export WINEPREFIX="${WINEPREFIX:-$FTPLINK_ROOT/.wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export FTPLINK_DISPLAY_NUM=${FTPLINK_DISPLAY_NUM:-99}

start_display() {
    if [ -z "${DISPLAY:-}" ] || [ "${FTPLINK_OWN_DISPLAY:-1}" = 1 ]; then
        export DISPLAY=":$FTPLINK_DISPLAY_NUM"
        if ! xdpyinfo >/dev/null 2>&1; then
            Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            FTPLINK_XVFB_PID=$!
            for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        fi
    fi
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p
    wine cmd /c exit 0 >/dev/null 2>&1 || true
}

stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${FTPLINK_XVFB_PID:-}" ]; then
        kill "$FTPLINK_XVFB_PID" 2>/dev/null || true
        wait "$FTPLINK_XVFB_PID" 2>/dev/null || true
    fi
}
