"""Runs ftplink.exe against a bundled local FTP server serving a generated demo folder.
Interactive: the user answers the dialogs. Headless: the robot answers them and screenshots
of the dialog's main states are saved."""
import argparse
import calendar
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402

PORT = 21580
PASSIVE_PORTS = list(range(21581, 21590))
DEMO_FILE = "tessaloft-demo.bin"
DEMO_SIZE = 12 * 1024 * 1024
SERVER_TIME = calendar.timegm((2024, 5, 17, 12, 30, 0))


class DemoDTPHandler(h.SlowDTPHandler):
    """Slow enough that the progress can be watched for a few seconds."""
    step_bytes = 96 * 1024


def make_demo_folder(root):
    os.makedirs(os.path.join(root, "pub"), exist_ok=True)
    path = os.path.join(root, "pub", DEMO_FILE)
    block = bytes(range(256)) * 4096
    with open(path, "wb") as f:
        for _ in range(DEMO_SIZE // len(block)):
            f.write(block)
    os.utime(path, (SERVER_TIME, SERVER_TIME))
    with open(os.path.join(root, "pub", "README.txt"), "w") as f:
        f.write("A file served by the ftplink demo server.\n")
    return path


def screenshot(shots_dir, name):
    path = os.path.join(shots_dir, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=False, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    print("demo: screenshot %s" % path)


def run_headless(args, app, url, out_dir, source):
    robot = h.Robot(os.path.join(args.bin_dir, "robot.exe"))
    try:
        h.reg_add(h.SETTINGS_KEY, "CloseDialog", "REG_DWORD", "0")
        proc = app.start(url)
        robot.wait(h.QUESTION, 30)
        robot.wait_text(h.DOWNLOAD, 1008, lambda t: "remaining" in t)
        time.sleep(0.7)
        screenshot(args.shots, "download-question")
        robot.click(h.QUESTION, 1)
        robot.wait(h.SAVE_AS)
        target = os.path.join(out_dir, DEMO_FILE)
        robot.settext(h.SAVE_AS, h.SAVE_AS_NAME, h.wine_path(target))
        time.sleep(0.3)
        screenshot(args.shots, "download-save-as")
        robot.click(h.SAVE_AS, 1)
        robot.gone(h.SAVE_AS)
        time.sleep(0.8)
        print("demo: while the file arrives: %s | %s" % (robot.text(h.DOWNLOAD, 1008), robot.text(h.DOWNLOAD, 1010)))
        screenshot(args.shots, "download-arriving")
        robot.wait_text(h.DOWNLOAD, 1012, "Completed...", seconds=60)
        time.sleep(0.5)
        print("demo: completed: %s | %s" % (robot.text(h.DOWNLOAD, 1008), robot.text(h.DOWNLOAD, 1010)))
        screenshot(args.shots, "download-completed")
        robot.click(h.DOWNLOAD, 2)
        code = proc.wait(timeout=30)
    finally:
        robot.close()
    with open(source, "rb") as a, open(target, "rb") as b:
        same = a.read() == b.read()
    stamped = int(os.stat(target).st_mtime) == SERVER_TIME
    print("demo: saved %s (%d bytes, %s, server time %s); ftplink ended with %d"
          % (target, os.path.getsize(target), "identical" if same else "DIFFERENT",
             "kept" if stamped else "NOT kept", code))
    return 0 if same and stamped and code == 0 else 1


def run_interactive(app, url):
    print("demo: answer the dialogs; ftplink will download %s" % url)
    proc = app.start(url)
    code = proc.wait()
    print("demo: ftplink ended with %d (1: done and closed, 0: cancelled or closed with Close)" % code)
    folder = h.reg_query(h.SETTINGS_KEY, "InitialDir")
    if folder:
        print("demo: last Save As folder: %s" % folder)
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--interactive", action="store_true")
    args = parser.parse_args()
    h.check_environment()
    shutil.rmtree(args.work, ignore_errors=True)
    root = os.path.join(args.work, "ftproot")
    out_dir = os.path.join(args.work, "saved")
    os.makedirs(out_dir)
    os.makedirs(args.shots, exist_ok=True)
    source = make_demo_folder(root)
    servers = h.FtpServers(root)
    servers.add(PORT, dtp_handler=DemoDTPHandler, passive_ports=PASSIVE_PORTS)
    servers.start()
    print("demo: FTP server on 127.0.0.1:%d serving %s" % (PORT, root))
    app = h.App(args.bin_dir, args.work)
    url = "ftp://127.0.0.1:%d/pub/%s" % (PORT, DEMO_FILE)
    try:
        if args.interactive:
            return run_interactive(app, url)
        return run_headless(args, app, url, out_dir, source)
    finally:
        servers.stop()


if __name__ == "__main__":
    sys.exit(main())
