"""Pieces the credentials and browser-integration tests add to ftplink_harness: a server with a
user account that logs what it saw, the program's own registry view, typing through X, and a
search of files and the live registry for secrets."""
import glob
import os
import subprocess

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

import ftplink_harness as h


class ServerLog:
    """What one server saw: the number of control connections and each login's user and outcome."""

    def __init__(self):
        self.connections = 0
        self.logins = []


def add_account_server(servers, user, password):
    """Adds a server on an ephemeral loopback port to an FtpServers set, with one read-only
    account and no anonymous access; a refused login is answered at once. Returns (port, log)."""
    log = ServerLog()
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, servers.root, perm="elr")

    class AccountHandler(FTPHandler):
        banner = "e2e account server ready."
        auth_failed_timeout = 0

        def on_connect(self):
            log.connections += 1

        def on_login(self, username):
            log.logins.append((username, True))

        def on_login_failed(self, username, password):
            log.logins.append((username, False))

    AccountHandler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), AccountHandler)
    servers.servers.append(server)
    return server.socket.getsockname()[1], log


def start_app(app, url, extra_env=None):
    """Starts the app's ftplink with extra environment variables (the fake helper library's results)."""
    saved = {name: os.environ.get(name) for name in (extra_env or {})}
    os.environ.update(extra_env or {})
    try:
        return app.start(url)
    finally:
        for name, value in saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value


def finish(proc, seconds=30):
    """The exit code of a started ftplink; kills it and fails when it does not end in time."""
    try:
        return proc.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        proc.kill()
        raise AssertionError("ftplink did not end within %ss" % seconds)


def answer_save(robot, path):
    """Answers the open-or-save question with Save and gives the path in Save As."""
    robot.wait(h.QUESTION)
    robot.click(h.QUESTION, 1002)
    robot.wait_text(h.QUESTION, 1002, lambda _: robot.state(h.QUESTION, 1002)["checked"])
    robot.click(h.QUESTION, 1)
    robot.wait(h.SAVE_AS)
    robot.settext(h.SAVE_AS, h.SAVE_AS_NAME, h.wine_path(path))
    robot.click(h.SAVE_AS, 1)
    robot.gone(h.SAVE_AS)


def type_into(title, text):
    """Gives the X input focus to the top-level window with this exact title and types the text,
    which lands in whichever control of that window holds the Windows focus."""
    found = subprocess.run(["xdotool", "search", "--name", "^%s$" % title], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, text=True, timeout=10).stdout.split()
    if not found:
        raise AssertionError("xdotool found no window %r" % title)
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], timeout=10, check=True)
    subprocess.run(["xdotool", "type", "--delay", "30", text], timeout=20, check=True)


# HKLM\Software has a 32-bit and a 64-bit view; the registry commands use the program's own.
REG_VIEW = ["/reg:32"]


def use_build_view(build_tag):
    REG_VIEW[:] = ["/reg:64"] if build_tag == "win64" else ["/reg:32"]


def reg(args):
    return h.run_wine(["reg"] + args + REG_VIEW)


def subkeys(key):
    """The names of a key's subkeys; empty when the key does not exist."""
    prefix = key.split("\\", 1)[1].lower() + "\\"
    names = []
    for line in reg(["query", key]).stdout.splitlines():
        path = line.strip().split("\\", 1)[-1]
        if path.lower().startswith(prefix):
            names.append(path[len(prefix):])
    return names


def delete_key(key):
    reg(["delete", key, "/f"])


def reg_import(sections, scratch):
    """Creates keys ("[KEY]", long root names such as HKEY_LOCAL_MACHINE) and sets values
    ('"name"="data"', of the key above) in one Wine start: each reg command costs most of a
    second. Deleting goes through delete_key: Wine 8's import deletes keys in the 32-bit view
    whatever view it is given."""
    path = os.path.join(scratch, "import.reg")
    with open(path, "w", encoding="latin-1", newline="\r\n") as f:
        f.write("Windows Registry Editor Version 5.00\n\n" + "\n".join(sections) + "\n")
    result = reg(["import", h.wine_path(path)])
    os.remove(path)
    if result.returncode != 0:
        raise AssertionError("reg import failed: %s" % sections)


# Looking for secrets.

def _needles(texts):
    return {text: (text.encode("latin-1"), text.encode("utf-16-le")) for text in texts}


def files_containing(paths, texts):
    """(file, text) for each of the files (folders are walked) that holds one of the texts,
    as 8-bit or UTF-16 bytes."""
    needles = _needles(texts)
    hits = []
    for top in paths:
        walked = [top] if os.path.isfile(top) else [
            os.path.join(folder, name) for folder, _, names in os.walk(top) for name in names]
        for path in walked:
            try:
                with open(path, "rb") as f:
                    data = f.read()
            except OSError:
                continue
            hits += [(path, text) for text, forms in needles.items() if any(form in data for form in forms)]
    return hits


def registry_files(prefix):
    return sorted(glob.glob(os.path.join(prefix, "*.reg")))


def live_registry_containing(texts, scratch):
    """(hive, text) for each text that the running registry holds; the files on disk lag behind
    the wineserver's memory, so both hives are exported afresh."""
    hits = []
    for hive in ("HKCU", "HKLM"):
        out = os.path.join(scratch, "%s-export.reg" % hive)
        reg(["export", hive, h.wine_path(out), "/y"])
        if not os.path.exists(out):
            raise AssertionError("reg export of %s wrote nothing" % hive)
        hits += [(hive, text) for _, text in files_containing([out], texts)]
        os.remove(out)
    return hits
