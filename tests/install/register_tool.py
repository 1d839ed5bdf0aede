"""ftplink-register.exe under Wine: the keys it writes and removes for the current user, the shell
starting the registered program with the URL as its whole command line, and another program's
handler left alone. Wine's shell reads URL handlers from HKCR only, so the started-program check
copies the registered command there. Every ftp: entry touched is saved first and put back."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

USER_KEY = r"HKCU\Software\Classes\ftp"
COMMAND_KEY = USER_KEY + r"\shell\open\command"
SHELL_KEY = r"HKCR\ftp"
URLS = ["ftp://host/some%20file.txt", "ftp://user:pw@host:2121/pub/a%2Bb/?x=1&y=%22q%22"]

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(args, env=None, timeout=60):
    return subprocess.run(["wine"] + args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=timeout, env=env)


def snapshot(key):
    """The key's whole tree as {subkey: {name: data}}, "" naming the key itself and the default value."""
    out = wine(["reg", "query", key, "/s"])
    printed = key.replace("HKCU", "HKEY_CURRENT_USER", 1)
    tree = {}
    values = None
    if out.returncode != 0:
        return tree
    tree[""] = {}
    for line in out.stdout.replace("\r", "").split("\n"):
        if line.upper().startswith("HKEY_"):
            values = tree.setdefault(line[len(printed):].lstrip("\\"), {})
            continue
        found = re.match(r"^    (.*?)    (REG_\w+)(?:    (.*))?$", line)
        if found and values is not None:
            name = "" if found.group(1) == "(Default)" else found.group(1)
            values[name] = found.group(3) or ""
    return tree


def reg_import(folder, entries):
    """Writes text values in one go: entries are (key, value name or "" for the default, data)."""
    lines = ["Windows Registry Editor Version 5.00", ""]
    root = {"HKCU": "HKEY_CURRENT_USER", "HKCR": "HKEY_CLASSES_ROOT"}
    for key, name, data in entries:
        hive, rest = key.split("\\", 1)
        quoted = '"%s"' % data.replace("\\", "\\\\").replace('"', '\\"')
        lines += ["[%s\\%s]" % (root[hive], rest), ("@" if not name else '"%s"' % name) + "=" + quoted, ""]
    path = os.path.join(folder, "values.reg")
    with open(path, "w", newline="\r\n") as out:
        out.write("\n".join(lines))
    check(wine(["reg", "import", wine_path(path)]).returncode == 0, "reg import %s" % entries[0][0])


def reg_delete(key):
    wine(["reg", "delete", key, "/f"])


def run_tool(folder, *args):
    return wine([os.path.join(folder, "ftplink-register.exe"), *args]).returncode


def save_key(key, folder):
    """Exports a key if it exists; gives the file to restore it from, or None."""
    path = os.path.join(folder, "saved-%d.reg" % len(os.listdir(folder)))
    return path if wine(["reg", "export", key, wine_path(path), "/y"]).returncode == 0 else None


def restore_key(key, saved):
    reg_delete(key)
    if saved:
        wine(["reg", "import", wine_path(saved)])


def install_folder(root, name, bin_dir, with_program):
    """A folder holding the tool and, in place of ftplink.exe, the recorder."""
    folder = os.path.join(root, name)
    os.makedirs(folder)
    shutil.copy(os.path.join(bin_dir, "ftplink-register.exe"), folder)
    if with_program:
        shutil.copy(os.path.join(bin_dir, "recorder.exe"), os.path.join(folder, "ftplink.exe"))
    return folder


def test_refusals(root, bin_dir):
    bare = install_folder(root, "no program", bin_dir, False)
    check(run_tool(bare, "/quiet") == 1, "register without ftplink.exe beside the tool fails")
    check(snapshot(USER_KEY) == {}, "and writes nothing")
    check(run_tool(bare, "/bogus", "/quiet") == 2, "an unknown argument ends with 2")
    check(run_tool(bare, "/unregister", "/quiet") == 0, "unregister with nothing registered ends with 0")


def test_register(folder):
    exe = wine_path(os.path.join(folder, "ftplink.exe"))
    expected = {"": {"": "URL:File Transfer Protocol", "URL Protocol": ""},
                "DefaultIcon": {"": exe + ",0"},
                "shell": {}, r"shell\open": {},
                r"shell\open\command": {"": '"%s" %%1' % exe}}
    check(run_tool(folder, "/quiet") == 0, "register ends with 0")
    tree = snapshot(USER_KEY)
    check(tree == expected, "registered entry: %r" % tree)
    check(run_tool(folder, "/REGISTER", "-quiet") == 0 and snapshot(USER_KEY) == expected,
          "registering again gives the same entry")


def test_shell_start(folder):
    """Wine's ShellExecute (through start) with the registered command in HKCR."""
    exe = wine_path(os.path.join(folder, "ftplink.exe"))
    command = snapshot(USER_KEY).get(r"shell\open\command", {}).get("", "")
    reg_import(folder, [(SHELL_KEY, "", "URL:File Transfer Protocol"), (SHELL_KEY, "URL Protocol", ""),
                        (SHELL_KEY + r"\shell\open\command", "", command)])
    record = os.path.join(folder, "record.txt")
    env = dict(os.environ, FTPLINK_RECORD_FILE=wine_path(record))
    for url in URLS:
        if os.path.exists(record):
            os.remove(record)
        wine(["start", "/wait", url], env=env)
        lines = open(record).read().split("\n") if os.path.exists(record) else []
        # The start-up code skips the quoted name and one blank: the rest, the URL, is lpCmdLine.
        check(lines == ['"%s" %s' % (exe, url), ""], "started for %s: %r" % (url, lines))


def test_unregister(folder, bin_dir):
    check(run_tool(folder, "/unregister", "/quiet") == 0, "unregister ends with 0")
    check(snapshot(USER_KEY) == {}, "unregister removes the ftp key")

    # Another program's verb under our entry stays, and the leftover no longer claims the protocol.
    run_tool(folder, "/quiet")
    edit = r'"C:\Tools\editor.exe" "%1"'
    reg_import(folder, [(USER_KEY + r"\shell\edit\command", "", edit)])
    check(run_tool(folder, "/unregister", "/quiet") == 0, "unregister beside a foreign verb ends with 0")
    tree = snapshot(USER_KEY)
    check(tree == {"": {}, "shell": {}, r"shell\edit": {}, r"shell\edit\command": {"": edit}},
          "only the foreign verb stays: %r" % tree)
    reg_delete(USER_KEY)

    other = install_folder(os.path.dirname(folder), "other copy", bin_dir, True)
    foreign = [r'"C:\Program Files\Other\client.exe" %1',
               '"%s" %%1' % wine_path(os.path.join(other, "ftplink.exe")),
               '"%s.old" %%1' % wine_path(os.path.join(folder, "ftplink.exe"))]
    for command in foreign:
        reg_import(folder, [(USER_KEY, "URL Protocol", ""), (COMMAND_KEY, "", command)])
        before = snapshot(USER_KEY)
        check(run_tool(folder, "/unregister", "/quiet") == 0, "unregister beside %s ends with 0" % command)
        check(snapshot(USER_KEY) == before, "a foreign handler stays: %s" % command)
    reg_delete(USER_KEY)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--build-tag", default="")
    args = parser.parse_args()
    if not os.environ.get("WINEPREFIX"):
        raise SystemExit("register_tool: WINEPREFIX is not set; source tools/wine-env.sh first")
    root = tempfile.mkdtemp(prefix="ftplink-install-")
    saves = os.path.join(root, "saved")
    os.makedirs(saves)
    saved = {key: save_key(key, saves) for key in (USER_KEY, SHELL_KEY)}
    try:
        reg_delete(USER_KEY)
        test_refusals(root, args.bin_dir)
        folder = install_folder(root, "my apps", args.bin_dir, True)
        test_register(folder)
        test_shell_start(folder)
        test_unregister(folder, args.bin_dir)
    finally:
        for key, path in saved.items():
            restore_key(key, path)
        shutil.rmtree(root, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
