#!/usr/bin/python3
"""Transcript tests of skelmer.dll: a scripted server on loopback pairs canned replies with the
exact commands the engine must send; engine_driver.exe makes the calls the transfer worker makes."""
import concurrent.futures
import os
import socket
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from engine_harness import Checker, parse_args, run_driver, wine_path  # noqa: E402

# A short time-out (option 1, seconds) keeps the stall and dead-server cases quick.
SHORT_TIMEOUT = 2


class Session:
    """State one scripted control connection shares with its actions."""

    def __init__(self, conn, family, host):
        self.conn = conn
        self.family = family
        self.host = host
        self.data_listener = None

    def reply(self, text):
        self.conn.sendall(text.replace("\n", "\r\n").encode("latin-1") + b"\r\n")

    def listen_data(self):
        self.data_listener = socket.socket(self.family, socket.SOCK_STREAM)
        self.data_listener.bind((self.host, 0))
        self.data_listener.listen(1)
        self.data_listener.settimeout(10)
        return self.data_listener.getsockname()[1]


def reply(text):
    return lambda s: s.reply(text)


def epsv(s):
    s.reply(f"229 Entering Extended Passive Mode (|||{s.listen_data()}|)")


def epsv_dead_port(s):
    probe = socket.socket(s.family, socket.SOCK_STREAM)
    probe.bind((s.host, 0))
    port = probe.getsockname()[1]
    probe.close()
    s.reply(f"229 Entering Extended Passive Mode (|||{port}|)")


def pasv(address="127,0,0,1"):
    def action(s):
        port = s.listen_data()
        s.reply(f"227 Entering Passive Mode ({address},{port // 256},{port % 256}).")
    return action


def retr(data=b"", opening="150 Opening BINARY mode data connection.", final="226 Transfer complete.",
         stall=False, pace=None, zeros=0):
    """Answers RETR: the opening reply, the data on the connection the engine opened, the final reply.
    stall keeps the data connection open and silent until the engine gives up; pace=(chunk, delay);
    zeros streams that many zero bytes instead of data."""
    def action(s):
        s.reply(opening)
        data_conn, _ = s.data_listener.accept()
        with data_conn:
            if zeros:
                block = bytes(1 << 20)
                for offset in range(0, zeros, len(block)):
                    data_conn.sendall(block[:min(len(block), zeros - offset)])
            elif pace:
                chunk, delay = pace
                for offset in range(0, len(data), chunk):
                    data_conn.sendall(data[offset:offset + chunk])
                    time.sleep(delay)
            else:
                data_conn.sendall(data)
            if stall:
                data_conn.settimeout(15)
                try:
                    data_conn.recv(1)
                except OSError:
                    pass
                return
        s.reply(final)
    return action


def silent(s):
    """A dead server: no reply at all."""


def serve(listener, greeting, steps, log, accept_timeout):
    listener.settimeout(accept_timeout)
    try:
        conn, _ = listener.accept()
    except OSError:
        log.append("<no connection>")
        return
    with conn:
        family = listener.family
        s = Session(conn, family, listener.getsockname()[0])
        conn.settimeout(15)
        for part in greeting:
            if isinstance(part, (int, float)):
                time.sleep(part)
            else:
                conn.sendall(part.encode("latin-1") if isinstance(part, str) else part)
        reader = conn.makefile("rb")
        pending = list(steps)
        while True:
            try:
                line = reader.readline()
            except OSError:
                break
            if not line:
                break
            command = line.decode("latin-1").rstrip("\r\n")
            log.append(command)
            if not pending:
                continue
            expected, action = pending.pop(0)
            if command != expected:
                log.append("<unexpected>")
                continue
            action(s)
        if s.data_listener:
            s.data_listener.close()


def run_case(args, checker, case, tmp):
    name = case["name"]
    family = case.get("family", socket.AF_INET)
    host = "::1" if family == socket.AF_INET6 else "127.0.0.1"
    listener = socket.socket(family, socket.SOCK_STREAM)
    listener.bind((host, 0))
    listener.listen(4)
    port = listener.getsockname()[1]
    log = []
    thread = threading.Thread(target=serve, args=(listener, case.get("greeting", ["220 Ready\r\n"]),
                                                  case["steps"], log, case.get("accept_timeout", 15)), daemon=True)
    thread.start()
    local = os.path.join(tmp, name + ".bin")
    ops = []
    for op in case["ops"]:
        ops += [str(part).replace("{port}", str(port)).replace("{local}", wine_path(local)) for part in op]
    connect_host = case.get("connect_host", host)
    result = run_driver(args.bin_dir, ["option", "1", case.get("timeout", 30), "connect", connect_host, port,
                                       case.get("user", "anonymous"), case.get("password", "guest")] + ops)
    thread.join(20)
    listener.close()
    expected_log = case.get("log", [step[0] for step in case["steps"]])
    checker.check(name, log == expected_log, f"commands {log} != {expected_log}\n{result.text}")
    file_data = None
    if os.path.exists(local):
        with open(local, "rb") as f:
            file_data = f.read()
    for check_name, check in case.get("expect", {}).items():
        try:
            ok = check(result, file_data)
        except Exception as error:  # a check that cannot even look is a failure of the case
            ok = False
            check_name += f" ({error!r})"
        checker.check(name, ok, f"{check_name}\n{result.text}")


def code(op, value, index=0):
    return lambda r, f: r.op(op, index)[1] == value


def field(op, key, predicate, index=0):
    return lambda r, f: predicate(r.op(op, index)[2].get(key, ""))


LOGIN = [("USER anonymous", reply("331 Password required")), ("PASS guest", reply("230 Logged in"))]
QUIT = [("QUIT", reply("221 Bye"))]
HELLO = b"hello world"


def progress_ok(total, final):
    """At least two reports (the first with 0 bytes, the last with the final count), all in order."""
    def check(r, f):
        fields = r.op("retr")[2]
        return (int(fields["progress"]) >= 2 and fields["first"] == f"0,{total}"
                and fields["last"] == f"{final},{total}" and fields["ordered"] == "1")
    return check


CASES = [
    {"name": "login_user_pass", "steps": LOGIN + QUIT, "ops": [["close"]],
     "expect": {"230": code("connect", 230)}},
    {"name": "login_230_after_user", "steps": [("USER anonymous", reply("230 No password needed"))] + QUIT,
     "ops": [["close"]], "expect": {"230": code("connect", 230)}},
    {"name": "login_530", "steps": LOGIN[:1] + [("PASS guest", reply("530 Login incorrect."))], "ops": [],
     "expect": {"530": code("connect", 530), "last reply": field("connect", "last", lambda v: v == "530 Login incorrect.")}},
    {"name": "login_530_multiline",
     "steps": LOGIN[:1] + [("PASS guest", reply("530-Sorry\n530 Login incorrect."))], "ops": [],
     "expect": {"530": code("connect", 530), "last reply": field("connect", "last", lambda v: v.startswith("530"))}},
    {"name": "login_332_account", "steps": LOGIN[:1] + [("PASS guest", reply("332 Need account for login."))],
     "ops": [], "expect": {"332": code("connect", 332),
                           "last reply": field("connect", "last", lambda v: v.startswith("332 Need account"))}},
    {"name": "login_421_greeting", "greeting": ["421 Too many users\r\n"], "steps": [], "ops": [],
     "expect": {"421": code("connect", 421), "last reply": field("connect", "last", lambda v: v.startswith("421"))}},
    {"name": "login_421_after_user", "steps": [("USER anonymous", reply("421 Service not available"))], "ops": [],
     "expect": {"421": code("connect", 421)}},
    {"name": "greeting_multiline", "greeting": ["220-Welcome\r\n220-to the test\r\n", 0.2, " more\r\n220 Ready\r\n"],
     "steps": LOGIN + QUIT, "ops": [["close"]], "expect": {"230": code("connect", 230)}},
    {"name": "greeting_120_then_220", "greeting": ["120 Ready in a moment\r\n", 0.3, "220 Ready\r\n"],
     "steps": LOGIN + QUIT, "ops": [["close"]], "expect": {"230": code("connect", 230)}},
    {"name": "greeting_not_ftp", "greeting": ["HTTP/1.1 400 Bad Request\r\n"], "steps": [], "ops": [],
     "expect": {"-1": code("connect", -1), "error": field("connect", "error", lambda v: "not FTP" in v)}},
    {"name": "greeting_nul", "greeting": [b"220 Rea\0dy\r\n"], "steps": [], "ops": [],
     "expect": {"-1": code("connect", -1), "error": field("connect", "error", lambda v: "NUL" in v)}},
    {"name": "greeting_overlong", "greeting": ["220 " + "x" * 5000 + "\r\n"], "steps": [], "ops": [],
     "expect": {"-1": code("connect", -1), "error": field("connect", "error", lambda v: "too long" in v)}},
    {"name": "greeting_never_comes", "greeting": [], "steps": [], "ops": [], "timeout": SHORT_TIMEOUT,
     "expect": {"-1": code("connect", -1), "error": field("connect", "error", lambda v: "in time" in v)}},
    {"name": "probe_order_plain_path",
     "steps": LOGIN + [("TYPE I", reply("200 Type set to I")), ("SIZE /pub/f.zip", reply("550 No such file")),
                       ("CWD /pub/f.zip", reply("550 No such directory")), ("SIZE pub/f.zip", reply("213 1234")),
                       ("MDTM pub/f.zip", reply("213 20240102030405"))] + QUIT,
     "ops": [["cmd", "SIZE", "/pub/f.zip"], ["cmd", "CWD", "/pub/f.zip"], ["cmd", "SIZE", "pub/f.zip"],
             ["cmd", "MDTM", "pub/f.zip"], ["close"]],
     "expect": {"SIZE /p": code("cmd", 550, 0), "CWD": code("cmd", 550, 1), "SIZE p": code("cmd", 213, 2),
                "size text": field("cmd", "text", lambda v: v == "213 1234", 2),
                "mdtm text": field("cmd", "text", lambda v: v == "213 20240102030405", 3)}},
    {"name": "probe_directory_and_multiline_size",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /d", reply("213-Size follows\n213 77")),
                       ("MDTM d", reply("550 No time")), ("CWD /d", reply("250-Directory\n 2 files\n250 OK"))] + QUIT,
     "ops": [["cmd", "SIZE", "/d"], ["cmd", "MDTM", "d"], ["cmd", "CWD", "/d"], ["close"]],
     "expect": {"size text": field("cmd", "text", lambda v: v == "213 77", 0), "mdtm": code("cmd", 550, 1),
                "cwd": code("cmd", 250, 2)}},
    {"name": "retrieve_epsv_size_known",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /f", reply("213 11")), ("EPSV", epsv),
                       ("RETR /f", retr(HELLO))] + QUIT,
     "ops": [["cmd", "SIZE", "/f"], ["retr", "/f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "file": lambda r, f: f == HELLO, "progress": progress_ok(11, 11)}},
    {"name": "retrieve_250_final",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv),
                       ("RETR f", retr(HELLO, final="250 Requested file action okay, completed."))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"250": code("retr", 250), "file": lambda r, f: f == HELLO}},
    {"name": "epsv_refused_pasv_fallback",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", reply("500 EPSV not understood")),
                       ("PASV", pasv()), ("RETR f", retr(HELLO)), ("PASV", pasv()), ("RETR f", retr(HELLO))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["retr", "f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "second 226": code("retr", 226, 1), "file": lambda r, f: f == HELLO}},
    {"name": "epsv_port_unreachable_pasv_fallback",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv_dead_port), ("PASV", pasv()),
                       ("RETR f", retr(HELLO))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "file": lambda r, f: f == HELLO}},
    {"name": "pasv_other_host_ignored",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", reply("502 No")), ("PASV", pasv("10,9,8,7")),
                       ("RETR f", retr(HELLO))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "file": lambda r, f: f == HELLO}},
    {"name": "pasv_out_of_range",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", reply("502 No")),
                       ("PASV", reply("227 Entering Passive Mode (127,0,0,1,300,1)."))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"-1": code("retr", -1), "error": field("retr", "error", lambda v: "passive" in v)}},
    {"name": "epsv_out_of_range",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", reply("229 Entering Extended Passive Mode (|||70000|)"))]
     + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]], "expect": {"-1": code("retr", -1)}},
    {"name": "short_transfer_against_size",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /f", reply("213 20")), ("EPSV", epsv),
                       ("RETR /f", retr(b"0123456789"))] + QUIT,
     "ops": [["cmd", "SIZE", "/f"], ["retr", "/f", "{local}"], ["close"]],
     "expect": {"-1": code("retr", -1), "error": field("retr", "error", lambda v: "10 of 20" in v)}},
    {"name": "longer_than_size",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /f", reply("213 5")), ("EPSV", epsv),
                       ("RETR /f", retr(b"0123456789"))] + QUIT,
     "ops": [["cmd", "SIZE", "/f"], ["retr", "/f", "{local}"], ["close"]], "expect": {"-1": code("retr", -1)}},
    {"name": "size_of_other_path_not_used",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /g", reply("213 99")), ("EPSV", epsv),
                       ("RETR /f", retr(HELLO))] + QUIT,
     "ops": [["cmd", "SIZE", "/g"], ["retr", "/f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "progress": progress_ok(0, 11)}},
    {"name": "opening_reply_size_short",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv),
                       ("RETR f", retr(b"0123456789", opening="150 Opening BINARY mode data connection for f (20 bytes)."))]
     + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"-1": code("retr", -1), "error": field("retr", "error", lambda v: "10 of 20" in v)}},
    {"name": "opening_reply_size_whole",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv),
                       ("RETR f", retr(HELLO, opening="150 Opening BINARY mode data connection for f (11 bytes)."))]
     + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "progress": progress_ok(11, 11)}},
    {"name": "cut_transfer_426",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv),
                       ("RETR f", retr(b"01234", final="426 Connection closed; transfer aborted."))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]], "expect": {"426": code("retr", 426)}},
    {"name": "retr_refused",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv), ("RETR f", reply("550 No such file"))] + QUIT,
     "ops": [["retr", "f", "{local}"], ["close"]], "expect": {"550": code("retr", 550)}},
    {"name": "stalled_data_times_out", "timeout": SHORT_TIMEOUT,
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv), ("RETR f", retr(b"01234", stall=True))],
     "ops": [["retr", "f", "{local}"], ["close"]],
     "expect": {"-1": code("retr", -1), "error": field("retr", "error", lambda v: "stalled" in v),
                "in time": field("retr", "ms", lambda v: int(v) < SHORT_TIMEOUT * 1000 + 3000),
                "close at once": field("close", "ms", lambda v: int(v) < 1000)}},
    {"name": "dead_server_command_and_quit", "timeout": SHORT_TIMEOUT,
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /f", silent)],
     "ops": [["cmd", "SIZE", "/f"], ["cmd", "MDTM", "f"], ["close"]],
     "expect": {"-1": code("cmd", -1), "next refused": code("cmd", -1, 1),
                "error": field("cmd", "error", lambda v: "in time" in v),
                "close at once": field("close", "ms", lambda v: int(v) < 1000)}},
    {"name": "quit_unanswered", "timeout": 30, "steps": LOGIN + [("QUIT", silent)], "ops": [["close"]],
     "expect": {"close bounded": field("close", "ms", lambda v: int(v) < 3000)}},
    {"name": "reply_421_mid_session",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /f", reply("421 Timeout, closing control connection."))],
     "ops": [["cmd", "SIZE", "/f"], ["retr", "/f", "{local}"], ["close"]],
     "expect": {"421": code("cmd", 421), "then -1": code("retr", -1)}},
    {"name": "crlf_refused_in_command",
     "steps": LOGIN + QUIT,
     "ops": [["cmd", "SIZE", "/a<CR><LF>DELE b"], ["cmd", "CWD", "x<LF>y"], ["retr", "a<CR>b", "{local}"], ["close"]],
     "expect": {"cmd -1": code("cmd", -1), "cwd -1": code("cmd", -1, 1), "retr -1": code("retr", -1),
                "error": field("cmd", "error", lambda v: "line break" in v)}},
    {"name": "crlf_refused_in_login", "user": "anonymous<CR><LF>SITE x", "steps": [], "ops": [], "accept_timeout": 2,
     "log": ["<no connection>"], "expect": {"-1": code("connect", -1)}},
    {"name": "zero_byte_file",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /z", reply("213 0")), ("EPSV", epsv),
                       ("RETR /z", retr(b""))] + QUIT,
     "ops": [["cmd", "SIZE", "/z"], ["retr", "/z", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "file": lambda r, f: f == b"",
                "progress": field("retr", "progress", lambda v: int(v) >= 1),
                "final": field("retr", "last", lambda v: v == "0,0")}},
    {"name": "progress_rate_bounded",
     "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /p", reply("213 2000000")), ("EPSV", epsv),
                       ("RETR /p", retr(bytes(2000000), pace=(20000, 0.015)))] + QUIT,
     "ops": [["cmd", "SIZE", "/p"], ["retr", "/p", "{local}"], ["close"]],
     "expect": {"226": code("retr", 226), "progress": progress_ok(2000000, 2000000),
                "rate": lambda r, f: int(r.op("retr")[2]["progress"]) <= 3 + int(r.op("retr")[2]["ms"]) * 30 // 1000,
                "several": lambda r, f: int(r.op("retr")[2]["progress"]) >= 4}},
    {"name": "local_file_cannot_be_created",
     "steps": LOGIN + [("TYPE I", reply("200 OK"))] + QUIT,
     "ops": [["retr", "f", "Z:\\nonexistent-dir-skelmer\\x.bin"], ["close"]],
     "expect": {"-1": code("retr", -1), "error": field("retr", "error", lambda v: "local file" in v)}},
    {"name": "connect_refused", "steps": [], "ops": [], "connect_host": "127.0.0.1", "log": ["<no connection>"],
     "refuse": True, "expect": {"-1": code("connect", -1), "error": field("connect", "error", lambda v: "refused" in v)}},
    {"name": "localhost_by_name", "connect_host": "localhost", "steps": LOGIN + QUIT, "ops": [["close"]],
     "expect": {"230": code("connect", 230)}},
]


# Past 4 GiB the engine's counts must not wrap (the transfer would end as short), while the
# progress values do wrap as 32-bit message parameters. Written to NUL: the count is what matters.
BIG = (1 << 32) + 10
LARGE_CASE = {
    "name": "larger_than_4gib", "timeout": 60,
    "steps": LOGIN + [("TYPE I", reply("200 OK")), ("SIZE /big", reply(f"213 {BIG}")), ("EPSV", epsv),
                      ("RETR /big", retr(zeros=BIG))] + QUIT,
    "ops": [["cmd", "SIZE", "/big"], ["retr", "/big", "NUL"], ["close"]],
    "expect": {"226": code("retr", 226), "wrapped progress": field("retr", "last", lambda v: v == "10,10")}}


def ipv6_loopback():
    try:
        with socket.socket(socket.AF_INET6, socket.SOCK_STREAM) as probe:
            probe.bind(("::1", 0))
        return True
    except OSError:
        return False


if ipv6_loopback():
    CASES.append({"name": "ipv6_epsv", "family": socket.AF_INET6,
                  "steps": LOGIN + [("TYPE I", reply("200 OK")), ("EPSV", epsv), ("RETR f", retr(HELLO))] + QUIT,
                  "ops": [["retr", "f", "{local}"], ["close"]],
                  "expect": {"226": code("retr", 226), "file": lambda r, f: f == HELLO}})


def main():
    args = parse_args()
    return run_cases(args, CASES)


def run_cases(args, cases):
    """Each case has its own server and port, so a few run side by side."""
    checker = Checker()

    def run_one(case):
        started = time.monotonic()
        if case.get("refuse"):
            run_refused(args, checker, case)
        else:
            run_case(args, checker, case, tmp)
        print(f"{case['name']}: {time.monotonic() - started:.1f} s", flush=True)

    with tempfile.TemporaryDirectory(prefix="skelmer-transcripts-") as tmp:
        selected = [case for case in cases if args.only in case["name"]]
        with concurrent.futures.ThreadPoolExecutor(max_workers=3) as pool:
            for future in [pool.submit(run_one, case) for case in selected]:
                future.result()
    return checker.finish()


def run_refused(args, checker, case):
    """A port with nothing listening: the connection is refused, nothing hangs."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    result = run_driver(args.bin_dir, ["connect", "127.0.0.1", port, "anonymous", "guest"])
    for check_name, check in case["expect"].items():
        checker.check(case["name"], check(result, None), f"{check_name}\n{result.text}")


if __name__ == "__main__":
    sys.exit(main())
