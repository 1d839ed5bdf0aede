"""Pieces the end-to-end tests share: the Wine prefix, the dialog robot, local FTP servers
and the ftplink process itself."""
import argparse
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

# Titles and control ids of the dialogs, as the robot names them.
DOWNLOAD = "#1013"
QUESTION = "#1016"
LOGIN = "#1007"
SAVE_AS = "Save Downloaded File As"
SAVE_AS_NAME = 0x47C
SETTINGS_KEY = r"HKCU\Software\Norrbeck\Tessaloft\Browser Integration"


def wine_path(unix_path):
    """The Windows name of a Unix path (drive Z: is the root)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def unix_path(windows_path):
    """The Unix name of a C: or Z: path of the current prefix."""
    drive, rest = windows_path[0].upper(), windows_path[2:].replace("\\", "/")
    if drive == "Z":
        return rest
    return os.path.join(os.environ["WINEPREFIX"], "drive_%s" % drive.lower()) + rest


def check_environment():
    for name in ("WINEPREFIX", "DISPLAY"):
        if not os.environ.get(name):
            raise SystemExit("e2e: %s is not set; source tools/wine-env.sh and start_display first" % name)


def run_wine(args, timeout=30):
    return subprocess.run(["wine"] + args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True, timeout=timeout)


def reg_add(key, name, kind, data):
    run_wine(["reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"])


def reg_add_default(key, data):
    run_wine(["reg", "add", key, "/ve", "/d", data, "/f"])


def reg_delete(key, name):
    run_wine(["reg", "delete", key, "/v", name, "/f"])


def reg_query(key, name):
    """The data of a registry value as text (REG_DWORD as "0x1"), or None."""
    out = run_wine(["reg", "query", key, "/v", name]).stdout
    for line in out.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[0] == name:
            return parts[2] if len(parts) == 3 else ""
    return None


class Robot:
    """The dialog robot (robot.exe), one process for a whole run; one command, one answer."""

    def __init__(self, exe):
        self.proc = subprocess.Popen(["wine", exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def _line(self, timeout):
        try:
            line = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError("robot gave no answer within %ss" % timeout)
        if line is None:
            raise AssertionError("robot ended")
        return line

    def ask(self, *fields, timeout=None):
        """Sends one command; returns the answer without its "ok"; raises on "error"."""
        wait_ms = int(fields[2]) if fields[0] in ("wait", "gone") and len(fields) > 2 else 0
        self.proc.stdin.write("\t".join(str(f) for f in fields) + "\n")
        self.proc.stdin.flush()
        line = self._line(timeout or (wait_ms / 1000.0 + 20))
        if not line.startswith("ok"):
            raise AssertionError("robot %s: %s" % (" ".join(str(f) for f in fields), line))
        return line[3:]

    def try_ask(self, *fields):
        try:
            return self.ask(*fields)
        except AssertionError:
            return None

    def table(self, *fields):
        self.proc.stdin.write("\t".join(str(f) for f in fields) + "\n")
        self.proc.stdin.flush()
        rows = []
        while True:
            line = self._line(20)
            if line == "end" or line.startswith("error"):
                return rows
            rows.append(line.split("\t"))

    def wait(self, win, seconds=20):
        return self.ask("wait", win, int(seconds * 1000))

    def gone(self, win, seconds=20):
        return self.ask("gone", win, int(seconds * 1000))

    def text(self, win, control):
        return self.ask("text", win, control).replace("\\n", "\n")

    def state(self, win, control):
        checked, enabled, visible = self.ask("state", win, control).split()
        return {"checked": checked == "1", "enabled": enabled == "1", "visible": visible == "1"}

    def click(self, win, control):
        self.ask("click", win, control)

    def settext(self, win, control, text):
        self.ask("settext", win, control, text)

    def wait_text(self, win, control, wanted, seconds=20):
        """Polls a control until its text is wanted (or satisfies it, when callable)."""
        deadline = time.monotonic() + seconds
        last = None
        while time.monotonic() < deadline:
            last = self.try_ask("text", win, control)
            if last is not None and (wanted(last) if callable(wanted) else last == wanted):
                return last
            time.sleep(0.1)
        raise AssertionError("control %s of %s: %r, waited for %r" % (control, win, last, wanted))

    def message_box(self, seconds=20):
        """Waits for a message box and returns (title, text)."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            for row in self.table("list"):
                if len(row) == 3 and row[1] == "#32770" and row[2] not in (
                        "Tessaloft Pro File Download", "Tessaloft Pro File Download ", SAVE_AS,
                        "User information"):
                    texts = [r[4] for r in self.table("dump", row[2]) if len(r) == 5 and r[1] == "Static" and r[4]]
                    return row[2], "\n".join(texts).replace("\\n", "\n")
            time.sleep(0.1)
        raise AssertionError("no message box within %ss" % seconds)

    def temp_path(self):
        return self.ask("temppath")

    def close(self):
        try:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.flush()
            self.proc.wait(timeout=10)
        except Exception:
            self.proc.kill()


class NoSizeHandler(FTPHandler):
    """A server that does not answer SIZE."""

    def ftp_SIZE(self, path):
        self.respond("502 SIZE not implemented.")


class LyingSizeHandler(FTPHandler):
    """A server whose SIZE announces 1000 bytes more than the file holds: every transfer is cut."""

    def ftp_SIZE(self, path):
        try:
            size = os.path.getsize(path)
        except OSError:
            self.respond("550 No such file.")
            return
        self.respond("213 %d" % (size + 1000))


class SlowDTPHandler(DTPHandler):
    """Sends in small even steps (about 2.5 MB/s), so that progress reports come steadily."""
    step_bytes = 64 * 1024
    step_seconds = 0.025

    def send(self, data):
        time.sleep(self.step_seconds)
        return super().send(data[:self.step_bytes])


class FtpServers:
    """Anonymous read-only pyftpdlib servers on loopback, all on one I/O loop in one thread."""

    def __init__(self, root):
        self.root = root
        self.servers = []
        self.thread = None

    def add(self, port, handler_base=FTPHandler, dtp_handler=None, passive_ports=None):
        authorizer = DummyAuthorizer()
        authorizer.add_anonymous(self.root)
        handler = type("Handler%d" % port, (handler_base,), {
            "authorizer": authorizer,
            "passive_ports": passive_ports,
            "banner": "e2e server ready.",
        })
        if dtp_handler:
            handler.dtp_handler = dtp_handler
            handler.use_sendfile = False   # sendfile() would bypass the DTP handler's send()
        server = FTPServer(("127.0.0.1", port), handler)
        self.servers.append(server)
        return port

    def start(self):
        self.thread = threading.Thread(target=self.servers[0].serve_forever,
                                       kwargs={"timeout": 0.2, "handle_exit": False}, daemon=True)
        self.thread.start()

    def stop(self):
        for server in self.servers:
            server.close_all()


class App:
    """A private copy of ftplink.exe with its engine and a recording stand-in for corvane.exe."""

    def __init__(self, bin_dir, work_dir):
        self.dir = os.path.join(work_dir, "app")
        os.makedirs(self.dir, exist_ok=True)
        for name in ("ftplink.exe", "skelmer.dll"):
            shutil.copy(os.path.join(bin_dir, name), self.dir)
        recorder = os.path.join(bin_dir, "recorder.exe")
        shutil.copy(recorder, os.path.join(self.dir, "corvane.exe"))
        shutil.copy(recorder, os.path.join(self.dir, "recorder.exe"))
        self.record_file = os.path.join(work_dir, "record.txt")
        self.procs = []

    def start(self, url):
        if os.path.exists(self.record_file):
            os.remove(self.record_file)
        env = dict(os.environ, FTPLINK_RECORD_FILE=wine_path(self.record_file))
        proc = subprocess.Popen(["wine", os.path.join(self.dir, "ftplink.exe"), url], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(proc)
        return proc

    def kill_leftovers(self):
        """Ends every ftplink that a failed scenario left open, so the next one finds no stale dialog."""
        for proc in self.procs:
            if proc.poll() is None:
                proc.kill()
                proc.wait(timeout=10)
        self.procs = []

    def recorded(self, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if os.path.exists(self.record_file):
                with open(self.record_file, "rb") as f:
                    data = f.read().decode("latin-1")
                if data.strip():
                    return data
            time.sleep(0.1)
        return ""


def make_work_dir(prefix):
    return tempfile.mkdtemp(prefix=prefix, dir="/tmp")


def test_args():
    """The arguments CTest gives a test script; the rest go to unittest."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--build-tag", default="win32")
    args, rest = parser.parse_known_args()
    sys.argv[1:] = rest
    return args


def run_tests():
    unittest.main(argv=sys.argv, verbosity=2)
