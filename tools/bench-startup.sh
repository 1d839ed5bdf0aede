#!/bin/bash
# Start-up time of ftplink.exe under Wine (not a test): from starting the process to the robot
# seeing the download dialog, with a warm wineserver; prints every run and the median.
# Usage: tools/bench-startup.sh [RUNS]   Build: BENCH_BUILD=build/win32 (default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build/win32}
. "$root/tools/wine-env.sh"
start_display >/dev/null 2>&1
trap stop_display EXIT
/usr/bin/python3 - "$root" "$build/bin" "${1:-11}" <<'PY'
import logging, os, shutil, statistics, sys, time
sys.path.insert(0, os.path.join(sys.argv[1], "tests", "e2e"))
import ftplink_harness as h
logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
bin_dir, runs = sys.argv[2], int(sys.argv[3])
work = h.make_work_dir("ftplink-startup-")
os.makedirs(os.path.join(work, "root"))
with open(os.path.join(work, "root", "small.txt"), "wb") as f:
    f.write(b"x" * 1000)
servers = h.FtpServers(os.path.join(work, "root"))
servers.add(0)
servers.start()
url = "ftp://127.0.0.1:%d/small.txt" % servers.servers[0].socket.getsockname()[1]
app = h.App(bin_dir, work)
robot = h.Robot(os.path.join(bin_dir, "robot.exe"))
times = []
for run in range(runs + 1):          # the first run only warms the caches
    t0 = time.monotonic()
    proc = app.start(url)
    robot.wait(h.DOWNLOAD, 30)
    seconds = time.monotonic() - t0
    robot.wait(h.QUESTION, 30)
    robot.click(h.QUESTION, 2)
    proc.wait(timeout=30)
    if run:
        times.append(seconds)
    print("run %d: %.3f s%s" % (run, seconds, "" if run else " (warm-up, not counted)"), flush=True)
robot.close()
servers.stop()
shutil.rmtree(work, ignore_errors=True)
print("start-up to the visible download dialog: median %.3f s, min %.3f s, max %.3f s over %d runs"
      % (statistics.median(times), min(times), max(times), len(times)))
PY
