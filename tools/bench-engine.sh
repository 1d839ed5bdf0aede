#!/bin/bash
# Throughput benchmark of skelmer.dll (not a test): downloads one sparse file from a local
# pyftpdlib with the engine's 32-bit and 64-bit builds and with curl, and prints the throughput
# ratio to curl, the engine's peak memory and CPU time.
# Usage: tools/bench-engine.sh [--big]    (--big adds a run of a file larger than 4 GiB)
# Builds: ENGINE_BENCH_BUILDS="build/win32 build/win64" (default), each with bin/engine_driver.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=${ENGINE_BENCH_BUILDS:-"$root/build/win32 $root/build/win64"}
sizes=(67108864 1073741824)
[ "${1:-}" = "--big" ] && sizes+=(4831838208)

. "$root/tools/wine-env.sh"
start_display >/dev/null 2>&1
work=$(mktemp -d /tmp/bench-engine.XXXXXX)
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
    stop_display
}
trap cleanup EXIT
mkdir -p "$work/root"
for size in "${sizes[@]}"; do truncate -s "$size" "$work/root/file-$size.bin"; done

/usr/bin/python3 - "$work/root" > "$work/port" 2>/dev/null <<'PY' &
import logging, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
auth = DummyAuthorizer()
auth.add_anonymous(sys.argv[1])
handler = type("Handler", (FTPHandler,), {"authorizer": auth})
server = FTPServer(("127.0.0.1", 0), handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever(handle_exit=False)
PY
server_pid=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

field() { tr '\t' '\n' | sed -n "s/^$1=//p" | head -1; }

for size in "${sizes[@]}"; do
    mib=$((size / 1048576))
    url="ftp://127.0.0.1:$port/file-$size.bin"
    curl_speed=$(curl -s -o "$work/curl.out" -w '%{speed_download}' "$url")
    rm -f "$work/curl.out"
    curl_mbs=$(awk -v s="$curl_speed" 'BEGIN { printf "%.0f", s / 1048576 }')
    echo "== $mib MiB: curl $curl_mbs MiB/s"
    for build in $builds; do
        out=$(wine "$build/bin/engine_driver.exe" connect 127.0.0.1 "$port" anonymous bench \
              cmd SIZE "/file-$size.bin" retr "/file-$size.bin" "Z:${work//\//\\}\\engine.out" stats close)
        rm -f "$work/engine.out"
        retr=$(grep '^retr' <<<"$out")
        stats=$(grep '^stats' <<<"$out")
        code=$(cut -f2 <<<"$retr")
        ms=$(field ms <<<"$retr")
        peak=$(field peak_working_set <<<"$stats")
        commit=$(field peak_pagefile <<<"$stats")
        cpu=$(field cpu_ms <<<"$stats")
        awk -v b="$(basename "$build")" -v code="$code" -v size="$size" -v ms="$ms" -v curl="$curl_speed" \
            -v peak="$peak" -v commit="$commit" -v cpu="$cpu" 'BEGIN {
            speed = size / (ms > 0 ? ms : 1) * 1000
            printf "   %-14s reply %s  %6.0f MiB/s  ratio to curl %.2f  peak working set %.1f MiB  peak commit %.1f MiB  CPU %d ms\n",
                   b, code, speed / 1048576, speed / curl, peak / 1048576, commit / 1048576, cpu }'
    done
done
