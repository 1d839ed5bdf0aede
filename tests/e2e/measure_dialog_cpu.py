"""Measures the CPU time that ftplink's dialog thread spends per second of a fast local download
(1 GiB by default). A measurement, not a test: it prints the numbers."""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402

PORT = 21590
PASSIVE_PORTS = list(range(21591, 21599))


def cpu_seconds(robot):
    user, kernel = robot.ask("cpu", h.DOWNLOAD).split()
    return (int(user) + int(kernel)) / 1e7


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--mib", type=int, default=1024)
    args = parser.parse_args()
    h.check_environment()
    work = h.make_work_dir("ftplink-cpu-")
    os.makedirs(os.path.join(work, "root"))
    name = "cpu-%d.bin" % os.getpid()
    source = os.path.join(work, "root", name)
    with open(source, "wb") as f:
        block = os.urandom(1024 * 1024)
        for _ in range(args.mib):
            f.write(block)
    servers = h.FtpServers(os.path.join(work, "root"))
    servers.add(PORT, passive_ports=PASSIVE_PORTS)
    servers.start()
    app = h.App(args.bin_dir, work)
    robot = h.Robot(os.path.join(args.bin_dir, "robot.exe"))
    target = os.path.join(work, "saved.bin")
    try:
        h.reg_add(h.SETTINGS_KEY, "CloseDialog", "REG_DWORD", "0")
        proc = app.start("ftp://127.0.0.1:%d/%s" % (PORT, name))
        cache = h.unix_path(robot.temp_path()) + "ftpurls"
        robot.wait(h.QUESTION, 30)
        # The question stays open while the file arrives: the dialog thread only counts progress
        # and runs its status timer meanwhile.
        cpu0, t0 = cpu_seconds(robot), time.monotonic()
        cached = os.path.join(cache, name)
        while not os.path.exists(cached) or os.path.getsize(cached) < args.mib * 1024 * 1024:
            if time.monotonic() - t0 > 300:
                raise SystemExit("transfer did not finish")
            time.sleep(0.01)
        cpu1, t1 = cpu_seconds(robot), time.monotonic()
        robot.click(h.QUESTION, 1)
        robot.wait(h.SAVE_AS)
        robot.settext(h.SAVE_AS, h.SAVE_AS_NAME, h.wine_path(target))
        robot.click(h.SAVE_AS, 1)
        robot.gone(h.SAVE_AS)
        robot.wait_text(h.DOWNLOAD, 1012, "Completed...", seconds=300)
        summary = robot.text(h.DOWNLOAD, 1008)
        rate = robot.text(h.DOWNLOAD, 1010)
        robot.click(h.DOWNLOAD, 2)
        proc.wait(timeout=30)
    finally:
        app.kill_leftovers()
        robot.close()
        servers.stop()
    size_ok = os.path.getsize(target) == args.mib * 1024 * 1024
    print("transfer: %s | %s | saved size %s" % (summary, rate, "ok" if size_ok else "WRONG"))
    print("dialog thread: %.3f s CPU over %.2f s of transfer (question open) = %.1f ms CPU per second"
          % (cpu1 - cpu0, t1 - t0, 1000 * (cpu1 - cpu0) / (t1 - t0)))
    os.remove(target)
    os.remove(source)
    return 0


if __name__ == "__main__":
    sys.exit(main())
