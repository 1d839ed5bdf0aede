#!/usr/bin/python3
"""skelmer.dll against real FTP servers on loopback (pyftpdlib in this process, vsftpd as a child):
the worker's probes and retrievals of binary, text, empty, blank-named files and a directory, and
create/destroy and whole-session cycles that must leave no handle or memory behind."""
import ctypes
import logging
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from engine_harness import Checker, parse_args, run_driver, wine_path  # noqa: E402

FILES = {
    "pub/file.zip": bytes(random.Random(7).getrandbits(8) for _ in range(3 * 1024 * 1024 + 17)),
    "text.txt": b"line one\r\nline two\nline three\r\n\x1a\r\n",
    "empty.dat": b"",
    "name with blanks.txt": b"blanks are fine\n",
}
MDTM_TIME = 1704164645  # 2024-01-02 03:04:05 UTC
MEMORY_GROWTH_LIMIT = 512 * 1024


def make_root(base):
    root = os.path.join(base, "root")
    for name, data in FILES.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        os.utime(path, (MDTM_TIME, MDTM_TIME))
    os.makedirs(os.path.join(root, "dir", "inner"))
    for folder, dirs, files in os.walk(base):
        os.chmod(folder, 0o755)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o644)
    return root


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def start_pyftpdlib(root):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
    logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    handler = type("Handler", (FTPHandler,), {"authorizer": authorizer})
    server = FTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, kwargs={"timeout": 0.2}, daemon=True)
    thread.start()
    return server, server.socket.getsockname()[1]


def die_with_parent():
    """A test killed by its time-out must not leave vsftpd listening."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def start_vsftpd(base, root):
    empty = os.path.join(base, "empty")
    os.makedirs(empty, mode=0o755)
    port = free_port()
    pasv = free_port()
    conf = os.path.join(base, "vsftpd.conf")
    with open(conf, "w") as f:
        f.write("\n".join([
            "listen=YES", "listen_ipv6=NO", "listen_address=127.0.0.1", f"listen_port={port}", "background=NO",
            "anonymous_enable=YES", "local_enable=NO", "write_enable=NO", f"anon_root={root}", "no_anon_password=YES",
            "seccomp_sandbox=NO", f"secure_chroot_dir={empty}", f"pasv_min_port={pasv}", f"pasv_max_port={pasv}",
            "syslog_enable=NO", "use_localtime=NO", ""]))
    os.chmod(conf, 0o644)
    proc = subprocess.Popen(["/usr/sbin/vsftpd", conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            preexec_fn=die_with_parent)
    for _ in range(50):
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1) as probe:
                if probe.recv(100).startswith(b"220"):
                    return proc, port
        except OSError:
            time.sleep(0.1)
    proc.kill()
    raise RuntimeError("vsftpd did not start")


def check_server(args, checker, server, port, tmp):
    """The transfer worker's calls, file by file, in one session."""
    ops = []
    expected = []
    for index, (name, data) in enumerate(FILES.items()):
        local = os.path.join(tmp, f"{server}-{index}.bin")
        ops += ["cmd", "SIZE", "/" + name, "cmd", "MDTM", name, "retr", "/" + name, wine_path(local)]
        expected.append((name, data, local))
    ops += ["cmd", "SIZE", "/dir", "cmd", "CWD", "/dir", "cmd", "SIZE", "/missing", "cmd", "CWD", "/missing",
            "retr", "/missing", wine_path(os.path.join(tmp, "missing.bin")), "close"]
    result = run_driver(args.bin_dir, ["connect", "127.0.0.1", port, "anonymous", "guest@example.com"] + ops)
    case = server
    checker.check(case, result.op("connect")[1] == 230, f"login\n{result.text}")
    for index, (name, data, local) in enumerate(expected):
        size = result.op("cmd", 2 * index)
        mdtm = result.op("cmd", 2 * index + 1)
        retr = result.op("retr", index)
        checker.check(case, size[1] == 213 and size[2].get("text") == f"213 {len(data)}", f"SIZE {name}: {size}")
        checker.check(case, mdtm[1] == 213 and mdtm[2].get("text") == "213 20240102030405", f"MDTM {name}: {mdtm}")
        checker.check(case, retr[1] == 226, f"RETR {name}: {retr}")
        checker.check(case, retr[2].get("last") == f"{len(data)},{len(data)}", f"final progress {name}: {retr}")
        with open(local, "rb") as f:
            checker.check(case, f.read() == data, f"content of {name}")
    base = 2 * len(expected)
    checker.check(case, result.op("cmd", base)[1] // 100 == 5, f"SIZE of a directory fails\n{result.text}")
    checker.check(case, result.op("cmd", base + 1)[1] == 250, f"CWD of a directory\n{result.text}")
    checker.check(case, result.op("cmd", base + 2)[1] == 550, f"SIZE missing\n{result.text}")
    checker.check(case, result.op("cmd", base + 3)[1] == 550, f"CWD missing\n{result.text}")
    checker.check(case, result.op("retr", len(expected))[1] // 100 == 5, f"RETR missing\n{result.text}")
    checker.check(case, result.op("close")[1] == 0, f"close\n{result.text}")
    print(f"{server}: {len(result.ops)} calls in {result.seconds:.1f} s", flush=True)


def check_cycles(args, checker, label, cycles, extra):
    """Nothing may be left behind: the next handle value stays, the committed memory barely moves."""
    result = run_driver(args.bin_dir, ["cycles", cycles] + extra, timeout=240)
    before = result.op("cycles_before")[2]
    after = result.op("cycles_after")[2]
    if not checker.check(label, before and after, f"no figures\n{result.text}"):
        return
    checker.check(label, after["next_handle"] == before["next_handle"], f"handles leak\n{result.text}")
    checker.check(label, int(after["handles"]) <= int(before["handles"]), f"handle count grows\n{result.text}")
    growth = int(after["pagefile"]) - int(before["pagefile"])
    checker.check(label, growth < MEMORY_GROWTH_LIMIT, f"memory grows by {growth}\n{result.text}")
    print(f"{label}: {cycles} cycles, memory {growth:+d} bytes, next handle {after['next_handle']}", flush=True)


def main():
    args = parse_args()
    checker = Checker()
    with tempfile.TemporaryDirectory(prefix="skelmer-servers-") as tmp:
        os.chmod(tmp, 0o755)
        root = make_root(tmp)
        server, port = start_pyftpdlib(root)
        try:
            check_server(args, checker, "pyftpdlib", port, tmp)
            check_cycles(args, checker, "create_destroy", 1000, [])
            check_cycles(args, checker, "sessions_pyftpdlib", 50, ["127.0.0.1", port, "anonymous", "guest"])
        finally:
            server.close_all()
        if not os.path.exists("/usr/sbin/vsftpd"):
            checker.check("vsftpd", False, "vsftpd is not installed (tools/setup.sh installs it)")
            return checker.finish()
        proc, vport = start_vsftpd(tmp, root)
        try:
            check_server(args, checker, "vsftpd", vport, tmp)
        finally:
            proc.kill()
            proc.wait()
        shutil.rmtree(root, ignore_errors=True)
    return checker.finish()


if __name__ == "__main__":
    sys.exit(main())
