"""Soak run of the real ftplink.exe: many consecutive downloads from a local FTP server with random
answers (open, save, cancel at random moments, close after completion), then checks for stray
processes, stray files, partial files presented as complete, and the cache purge. Not a CTest test:
tools/soak.sh runs it."""
import argparse
import hashlib
import logging
import os
import random
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ftplink_harness as h  # noqa: E402

SERVER_TIME = 981173106            # 2001-02-03 04:05:06 UTC: the MDTM stamp a saved file must carry
DAY = 86400
EXIT_TIMEOUT = 60
# Wine's own long-lived processes; anything else still running after the run is a leftover.
WINE_SERVICES = ("wineserver", "services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe",
                 "rpcss.exe", "explorer.exe", "conhost.exe", "start.exe", "tabtip.exe")
PATHS = [("open", 20), ("save", 30), ("cancel-question", 12), ("cancel-save-as", 12),
         ("cancel-transfer", 16)]


class StepFailed(Exception):
    pass


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def listing(root, skip=()):
    """Every file under root (relative path -> size), leaving out the given subtrees."""
    files = {}
    for folder, dirs, names in os.walk(root):
        dirs[:] = [d for d in dirs if os.path.join(folder, d) not in skip]
        for name in names:
            path = os.path.join(folder, name)
            try:
                files[os.path.relpath(path, root)] = os.path.getsize(path)
            except OSError:
                pass
    return files


def wine_processes(prefix):
    """(pid, command line) of every process that runs in the given Wine prefix."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                env = f.read().split(b"\0")
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                cmd = f.read().replace(b"\0", b" ").decode("latin-1").strip()
        except OSError:
            continue
        wine = "wine" in cmd.lower() or ".exe" in cmd.lower()
        if ("WINEPREFIX=" + prefix).encode() in env and wine and int(pid) != os.getpid():
            found.append((int(pid), cmd))
    return found


def is_service(cmd):
    lowered = cmd.lower()
    return any(name in lowered for name in WINE_SERVICES)


class Soak:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.work = h.make_work_dir("ftplink-soak-")
        self.root = os.path.join(self.work, "ftproot")
        self.save_dirs = [os.path.join(self.work, "saved-a"), os.path.join(self.work, "saved b")]
        for folder in [self.root] + self.save_dirs:
            os.makedirs(folder)
        self.app = h.App(args.bin_dir, self.work)
        self.servers = h.FtpServers(self.root)
        self.servers.add(0)
        self.servers.add(0, dtp_handler=h.SlowDTPHandler)
        self.fast_port, self.slow_port = (s.socket.getsockname()[1] for s in self.servers.servers)
        self.servers.start()
        self.robot = h.Robot(os.path.join(args.bin_dir, "robot.exe"))
        recorder = h.wine_path(os.path.join(self.app.dir, "recorder.exe"))
        h.reg_add_default(r"HKCR\.abc", "abcfile")
        h.reg_add_default(r"HKCR\abcfile\shell\open\command", '"%s" "%%1"' % recorder)
        self.temp = h.unix_path(self.robot.temp_path())
        self.cache = os.path.join(self.temp, "ftpurls")
        self.users = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users")
        self.kind = None     # the path of the download under way, as counted in the summary
        self.counts = {}
        self.failures = []
        self.saved = {}      # save place path -> sha256 of the server's file
        self.opened = {}     # cache file name -> sha256 of the server's file
        self.purge_marks = {}
        self.purge_checked = [0, 0]   # old marks removed, new marks kept
        self.step_seconds = []

    # Plumbing

    def fail(self, step, what):
        self.failures.append((step, what))
        print("  FAIL step %d: %s" % (step, what), flush=True)

    def put_file(self, name, size):
        path = os.path.join(self.root, name)
        with open(path, "wb") as f:
            remaining = size
            while remaining:
                block = os.urandom(min(remaining, 1 << 20))
                f.write(block)
                remaining -= len(block)
        os.utime(path, (SERVER_TIME, SERVER_TIME))
        return sha256(path)

    def cache_entries(self):
        return set(os.listdir(self.cache)) if os.path.isdir(self.cache) else set()

    def finish(self, proc):
        try:
            return proc.wait(timeout=EXIT_TIMEOUT)
        except Exception:
            proc.kill()
            proc.wait(timeout=10)
            raise StepFailed("ftplink did not end within %ss" % EXIT_TIMEOUT)

    def expect_exit(self, proc, code):
        got = self.finish(proc)
        if got != code:
            raise StepFailed("exit code %s, expected %s" % (got, code))

    def set_close_when_done(self, wanted):
        """Sets the dialog's close-when-done box, which the dialog also stores when it ends."""
        r = self.robot
        if r.state(h.DOWNLOAD, 1000)["checked"] != wanted:
            r.click(h.DOWNLOAD, 1000)
            r.wait_text(h.DOWNLOAD, 1000, lambda _: r.state(h.DOWNLOAD, 1000)["checked"] == wanted, 5)

    def answer(self, choice, target=None):
        r = self.robot
        r.click(h.QUESTION, 1001 if choice == "open" else 1002)
        r.wait_text(h.QUESTION, 1001, lambda _: r.state(h.QUESTION, 1001)["checked"] == (choice == "open"), 5)
        r.click(h.QUESTION, 1)
        r.gone(h.QUESTION)
        if choice == "save":
            r.wait(h.SAVE_AS)
            r.settext(h.SAVE_AS, h.SAVE_AS_NAME, h.wine_path(target))
            r.click(h.SAVE_AS, 1)
            r.gone(h.SAVE_AS)

    # The purge: files dated more than three days back go when a dialog closes, newer ones stay

    def plant_purge_marks(self, step):
        os.makedirs(self.cache, exist_ok=True)
        now = time.time()
        for label, age in (("old-4d", 4 * DAY), ("old-3d1h", 3 * DAY + 3600),
                           ("new-2d23h", 3 * DAY - 3600), ("new-1d", DAY)):
            name = "purge-%d-%s.dat" % (step, label)
            path = os.path.join(self.cache, name)
            with open(path, "wb") as f:
                f.write(b"x" * 100)
            # Wine reads a file's creation time as its last-write time.
            os.utime(path, (now - age, now - age))
            self.purge_marks[name] = label.startswith("new")

    def check_purge_marks(self, step):
        present = self.cache_entries()
        for name, should_stay in sorted(self.purge_marks.items()):
            if should_stay == (name in present):
                self.purge_checked[0 if not should_stay else 1] += 1
            else:
                self.fail(step, "purge: %s %s" % (name, "was removed" if should_stay else "was not removed"))
        self.purge_marks = {n: True for n, stay in self.purge_marks.items() if stay and n in present}

    # One download

    def plan(self, step):
        rng = self.rng
        path = rng.choices([p for p, _ in PATHS], [w for _, w in PATHS])[0]
        slow = False
        if path == "cancel-transfer":
            size, slow = rng.randint(16, 24) << 20, True
        elif rng.random() < 0.7:
            size = rng.choice([0, 1, rng.randint(2, 4096), rng.randint(4096, 256 << 10)])
        else:
            size = rng.randint(1 << 20, 16 << 20)
            slow = rng.random() < 0.15 and size < (4 << 20)
        ext = ".abc" if path == "open" or rng.random() < 0.3 else rng.choice([".bin", ".txt", ""])
        return {
            "path": path,
            "size": size,
            "slow": slow,
            "name": "soak-%d-%d%s" % (self.args.seed, step, ext),
            "target_dir": rng.choice(self.save_dirs),
            "close_when_done": rng.random() < 0.5,
            "delay": rng.uniform(0.0, 1.5),
            "cancel_after_choice": rng.choice(["open", "save"]),
        }

    def run_step(self, step, plan):
        name = plan["name"]
        digest = self.put_file(name, plan["size"])
        target = os.path.join(plan["target_dir"], name)
        cache_before = self.cache_entries()
        port = self.slow_port if plan["slow"] else self.fast_port
        proc = self.app.start("ftp://127.0.0.1:%d/%s" % (port, name))
        self.kind = plan["path"]
        try:
            outcome = self.drive(plan, proc, target)
            if outcome == "open":
                self.check_opened(name, digest, cache_before)
            elif outcome == "save":
                self.check_saved(target, digest, cache_before)
            else:
                self.check_cancelled(name, target, cache_before)
        except (AssertionError, StepFailed) as e:
            self.fail(step, "%s: %s" % (self.kind, e))
            self.app.kill_leftovers()
        self.app.procs = []
        os.remove(os.path.join(self.root, name))
        self.counts[self.kind] = self.counts.get(self.kind, 0) + 1

    def end_completed(self, proc):
        """Ends a completed download: by itself (1), or through "&Close" when it stays open (0)."""
        r = self.robot
        state = r.try_ask("text", h.DOWNLOAD, 1012)
        if state is None:
            self.expect_exit(proc, 1)
            return
        r.wait_text(h.DOWNLOAD, 1012, "Completed...", seconds=60)
        if r.text(h.DOWNLOAD, 2) != "&Close":
            raise StepFailed("completed dialog does not offer &Close")
        r.click(h.DOWNLOAD, 2)
        self.expect_exit(proc, 0)

    def drive(self, plan, proc, target):
        """Answers the dialogs as planned; returns what must be found afterwards: open, save or cancel."""
        r = self.robot
        r.wait(h.QUESTION, 30)
        if plan["path"] in ("open", "save"):
            self.set_close_when_done(plan["close_when_done"])
            time.sleep(plan["delay"] / 3)
            self.answer(plan["path"], target)
            # Opening always ends the dialog; a save ends it only with the box checked.
            if plan["path"] == "open":
                self.expect_exit(proc, 1)
            elif plan["close_when_done"]:
                self.kind = "save-auto-close"
                self.expect_exit(proc, 1)
            else:
                self.kind = "save-then-&Close"
                self.end_completed(proc)
            return plan["path"]
        time.sleep(plan["delay"])
        if plan["path"] == "cancel-question":
            r.click(h.QUESTION, 2)
        elif plan["path"] == "cancel-save-as":
            r.click(h.QUESTION, 1002)
            r.click(h.QUESTION, 1)
            r.wait(h.SAVE_AS)
            time.sleep(plan["delay"] / 2)
            r.click(h.SAVE_AS, 2)
        else:
            choice = plan["cancel_after_choice"]
            self.answer(choice, target)
            time.sleep(plan["delay"] / 2)
            if r.try_ask("text", h.DOWNLOAD, 1012) != "Downloading...":
                # Too late to cancel: the download must then be complete and whole.
                self.kind = "cancel-too-late"
                self.end_completed(proc)
                return choice
            r.click(h.DOWNLOAD, 2)
        self.expect_exit(proc, 0)
        return "cancel"

    def new_cache_files(self, name, cache_before):
        base = os.path.splitext(name)[0]
        return sorted(n for n in self.cache_entries() - cache_before if n.startswith(base))

    def check_opened(self, name, digest, cache_before):
        recorded = self.app.recorded()
        if name not in recorded:
            raise StepFailed("open: the associated program was not started with the file (%r)" % recorded)
        fresh = self.new_cache_files(name, cache_before)
        if len(fresh) != 1:
            raise StepFailed("open: cache holds %s for it" % fresh)
        if sha256(os.path.join(self.cache, fresh[0])) != digest:
            raise StepFailed("open: the opened cache file differs from the server's")
        self.opened[fresh[0]] = digest

    def check_saved(self, target, digest, cache_before):
        if not os.path.exists(target):
            raise StepFailed("save: nothing at %s" % target)
        if sha256(target) != digest:
            raise StepFailed("save: %s differs from the server's file" % target)
        if int(os.stat(target).st_mtime) != SERVER_TIME:
            raise StepFailed("save: %s lacks the server's time" % target)
        left = self.new_cache_files(os.path.basename(target), cache_before)
        if left:
            raise StepFailed("save: left in the cache: %s" % left)
        self.saved[target] = digest

    def check_cancelled(self, name, target, cache_before):
        if os.path.exists(target):
            raise StepFailed("cancel: a file was left at the save place %s" % target)
        if self.app.recorded(seconds=0.5):
            raise StepFailed("cancel: the associated program was started with a partial file")
        left = self.new_cache_files(name, cache_before)
        if left:
            raise StepFailed("cancel: partial file left in the cache: %s" % left)

    # The whole run

    def run(self):
        args = self.args
        print("soak: seed %d, %d downloads, servers on ports %d (fast) and %d (slow), work %s"
              % (args.seed, args.count, self.fast_port, self.slow_port, self.work), flush=True)
        users_before = listing(self.users, skip={self.cache})
        work_before = listing(self.work)
        processes_before = {pid for pid, _ in wine_processes(os.environ["WINEPREFIX"])}
        self.plant_purge_marks(0)
        started = time.monotonic()
        for step in range(1, args.count + 1):
            plan = self.plan(step)
            t0 = time.monotonic()
            self.run_step(step, plan)
            self.step_seconds.append(time.monotonic() - t0)
            if self.purge_marks and step in (1, args.count // 2 + 1):
                self.check_purge_marks(step)
            if step == args.count // 2 and args.count > 1:
                self.plant_purge_marks(step)
            if step % 20 == 0:
                print("  %d/%d done, %.0f s, %d failures" % (step, args.count, time.monotonic() - started,
                                                           len(self.failures)), flush=True)
        elapsed = time.monotonic() - started
        self.robot.close()
        time.sleep(1.0)
        self.final_checks(users_before, work_before, processes_before)
        return elapsed

    def final_checks(self, users_before, work_before, processes_before):
        end = self.args.count + 1
        leftovers = [(pid, cmd) for pid, cmd in wine_processes(os.environ["WINEPREFIX"])
                     if pid not in processes_before]
        print("Wine processes after the run:")
        for pid, cmd in wine_processes(os.environ["WINEPREFIX"]):
            print("  %6d %s" % (pid, cmd))
        for pid, cmd in leftovers:
            if not is_service(cmd):
                self.fail(end, "leftover process %d: %s" % (pid, cmd))
        users_after = listing(self.users, skip={self.cache})
        for path in sorted(set(users_after) - set(users_before)):
            self.fail(end, "new file in the Wine user folders: %s" % path)
        allowed = [os.path.relpath(d, self.work) for d in self.save_dirs] + ["ftproot", "record.txt"]
        for path in sorted(set(listing(self.work)) - set(work_before)):
            if not any(path == a or path.startswith(a + os.sep) for a in allowed):
                self.fail(end, "stray file in the scratch tree: %s" % path)
        for folder in self.save_dirs:
            for name in os.listdir(folder):
                path = os.path.join(folder, name)
                if path not in self.saved:
                    self.fail(end, "unexpected file at a save place: %s" % path)
                elif sha256(path) != self.saved[path]:
                    self.fail(end, "file at a save place differs from the server's: %s" % path)
        for name in sorted(self.cache_entries()):
            if name in self.opened:
                if sha256(os.path.join(self.cache, name)) != self.opened[name]:
                    self.fail(end, "opened cache file changed: %s" % name)
            elif name.startswith("soak-%d-" % self.args.seed):
                self.fail(end, "cache file of no completed open: %s" % name)

    def summary(self, elapsed):
        print("\nsoak summary: seed %d, %d downloads in %.0f s (%.2f s per download, slowest %.2f s)"
              % (self.args.seed, self.args.count, elapsed, elapsed / max(1, self.args.count),
                 max(self.step_seconds or [0])))
        for kind in sorted(self.counts):
            print("  %-16s %4d" % (kind, self.counts[kind]))
        print("  saved files checked: %d, opened cache files checked: %d" % (len(self.saved), len(self.opened)))
        print("  purge: %d old cache files removed, %d newer ones kept" % tuple(self.purge_checked))
        if self.failures:
            print("FAILURES (%d), rerun with --seed %d:" % (len(self.failures), self.args.seed))
            for step, what in self.failures:
                print("  step %d: %s" % (step, what))
        else:
            print("no violations")

    def cleanup(self):
        self.app.kill_leftovers()
        self.servers.stop()
        for name in list(self.opened) + [n for n in self.cache_entries() if n.startswith("purge-")]:
            try:
                os.remove(os.path.join(self.cache, name))
            except OSError:
                pass
        if not self.args.keep:
            shutil.rmtree(self.work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--keep", action="store_true", help="keep the scratch tree")
    args = parser.parse_args()
    if args.seed is None:
        args.seed = random.SystemRandom().randrange(1 << 31)
    h.check_environment()
    logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
    logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
    soak = Soak(args)
    try:
        elapsed = soak.run()
    finally:
        soak.cleanup()
    soak.summary(elapsed)
    return 1 if soak.failures else 0


if __name__ == "__main__":
    sys.exit(main())
