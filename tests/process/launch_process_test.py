#!/usr/bin/python3
"""ftplink.exe started under Wine with one command line: the dispatch to help, to the full
client and to the download dialog, and hostile command lines that must neither crash the
program nor create anything outside its cache folder.

Each run copies ftplink.exe into a scratch folder with the recorder beside it as corvane.exe
and winhlp32.exe (the program search finds the program's own folder first), and starts it
through runjob.exe, which gives it a private TMP/TEMP and ends whatever is left at the end.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

BIN_DIR = None
# A port in this test's range on which nothing listens: a download attempt fails at once.
DEAD_PORT = 21150
# Every hostile name carries this marker, so an escape shows up by name anywhere.
MARKER = "zq9"
# A hostile start with a path opens the download dialog: it is ended this long after it made its
# cache folder, or when the limit ends; such starts run a few at a time.
SETTLE_SECONDS = 2
DIALOG_LIMIT_SECONDS = 60
PARALLEL_RUNS = 5
# runjob's exit code when the time limit ended the program (a dialog was still open).
EXIT_TIMEOUT = 124


def WinPath(strPath):
    return "Z:" + os.path.abspath(strPath).replace("/", "\\")


def ListTree(strRoot):
    found = set()
    for strDir, dirs, files in os.walk(strRoot):
        for strName in dirs + files:
            found.add(os.path.relpath(os.path.join(strDir, strName), strRoot))
    return found


class Run:
    """One start of ftplink.exe in its own folder."""

    def __init__(self, strRoot, strName, tail, nSeconds):
        self.strDir = os.path.join(strRoot, strName)
        self.strApp = os.path.join(self.strDir, "app")
        self.strTemp = os.path.join(self.strDir, "temp")
        self.strRecord = os.path.join(self.strDir, "record.txt")
        os.makedirs(self.strApp)
        os.makedirs(self.strTemp)
        for strFile in ("ftplink.exe", "skelmer.dll"):
            shutil.copy(os.path.join(BIN_DIR, strFile), self.strApp)
        for strAs in ("corvane.exe", "winhlp32.exe"):
            shutil.copy(os.path.join(BIN_DIR, "recorder.exe"), os.path.join(self.strApp, strAs))
        strJob = os.path.join(self.strDir, "job")
        self.strStopFile = strJob + ".stop"
        with open(strJob, "wb") as job:
            job.write(("%d\n%s\n%s\n" % (nSeconds * 1000, WinPath(self.strTemp),
                                          WinPath(os.path.join(self.strApp, "ftplink.exe")))).encode())
            job.write(tail)
        self.before = ListTree(self.strDir)
        env = dict(os.environ, FTPLINK_RECORD_FILE=WinPath(self.strRecord))
        self.process = subprocess.Popen(["wine", os.path.join(BIN_DIR, "runjob.exe"), WinPath(strJob)],
                                        env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.nSeconds = nSeconds

    def StopOnceCacheIsMade(self):
        """Ends a run that opened the download dialog, a moment after the cache folder appeared
        (or at once when the program has ended by itself)."""
        strCache = os.path.join(self.strTemp, "ftpurls")
        dwDeadline = time.monotonic() + self.nSeconds
        while self.process.poll() is None and not os.path.isdir(strCache) and time.monotonic() < dwDeadline:
            time.sleep(0.1)
        dwSettle = time.monotonic() + SETTLE_SECONDS
        while self.process.poll() is None and time.monotonic() < dwSettle:
            time.sleep(0.1)
        open(self.strStopFile, "w").close()

    def Wait(self):
        self.output, _ = self.process.communicate(timeout=self.nSeconds + 60)
        self.nExitCode = self.process.returncode
        self.records = []
        if os.path.exists(self.strRecord):
            with open(self.strRecord, "rb") as record:
                self.records = record.read().splitlines()
        return self

    def NewPaths(self):
        return ListTree(self.strDir) - self.before - {"record.txt", "job.stop"}


class LaunchProcess(unittest.TestCase):
    def setUp(self):
        self.strRoot = tempfile.mkdtemp(prefix="ftplink-launch-")

    def tearDown(self):
        shutil.rmtree(self.strRoot, ignore_errors=True)

    def Start(self, strName, tail, nSeconds=20):
        return Run(self.strRoot, strName, tail, nSeconds)

    def testEmptyCommandLineOpensHelp(self):
        cases = (("empty", b""), ("prefix", b"ftp://"), ("nothing", b"ftp://:@"))
        runs = [self.Start(strName, tail) for strName, tail in cases]
        for run, (strName, _) in zip(runs, cases):
            run.Wait()
            self.assertEqual(run.nExitCode, 2, strName)
            self.assertEqual(len(run.records), 1, strName)
            self.assertTrue(run.records[0].startswith(b"winhlp32.exe"), run.records)
            self.assertEqual(run.NewPaths(), set(), strName)

    def testHostOnlyGoesToTheFullClient(self):
        cases = (
            (b"ftp://host", b"corvane.exe ftp://host"),
            (b"ftp://my%20host", b"corvane.exe ftp://my%20host"),
            (b"FTP://user:pw@host:2121", b"corvane.exe FTP://user:pw@host:2121"),
            (b"ftp://host   ", b"corvane.exe ftp://host   "),
        )
        runs = [(self.Start("host%d" % i, tail), wanted) for i, (tail, wanted) in enumerate(cases)]
        for run, wanted in runs:
            run.Wait()
            self.assertEqual(run.nExitCode, 2, wanted)
            self.assertIn(b"left 0", run.output, "no dialog stays open")
            self.assertEqual(run.records, [wanted])
            self.assertEqual(run.NewPaths(), set(), "no cache folder without a path")

    def testEmptyPathPreparesTheCacheAndGoesToTheClient(self):
        run = self.Start("slash", b"ftp://host/").Wait()
        self.assertEqual(run.nExitCode, 2)
        self.assertEqual(run.records, [b"corvane.exe ftp://host/"])
        self.assertEqual(run.NewPaths(), {os.path.join("temp", "ftpurls")})

    def testLongHostOnlyCommandIsCut(self):
        tail = b"ftp://" + b"h" * 4096
        run = self.Start("long", tail).Wait()
        self.assertEqual(run.nExitCode, 2)
        self.assertEqual(run.records, [(b"corvane.exe " + tail)[:1023]])

    def testHostileCommandLines(self):
        host = b"ftp://127.0.0.1:%d" % DEAD_PORT
        mark = MARKER.encode()
        without_path = [
            b"ftp://" + mark + b"\x81",
            b"ftp://" + mark + b"%",
            b"%",
            b"ftp://" + mark + b":\x01\x02\x1b\x7f",
        ]
        with_path = [
            b"\"ftp://" + mark + b"\"",
            host + b"/" * 3000,
            host + b"/" + mark + b"/../../" + mark + b"evil.txt",
            host + b"/..\\..\\..\\" + mark + b"evil.txt",
            host + b"/" + mark + b"/CON",
            host + b"/" + mark + b"\x01\x02\t\x7f",
            host + b"/" + mark + b"\x81",
            host + b"/" + mark + b"A" * 4000,
            host + b"/" + mark + b"/" + b"\x81/" * 500,
        ]
        strDriveC = os.path.join(os.environ.get("WINEPREFIX", os.path.expanduser("~/.wine")), "drive_c")
        bare = [("bare%d" % i, tail, False) for i, tail in enumerate(without_path)]
        paths = [("path%d" % i, tail, True) for i, tail in enumerate(with_path)]
        batches = [bare] + [paths[n:n + PARALLEL_RUNS] for n in range(0, len(paths), PARALLEL_RUNS)]
        for batch in batches:
            runs = [self.Start(strName, tail, DIALOG_LIMIT_SECONDS) for strName, tail, _ in batch]
            for run, (_, tail, bPath) in zip(runs, batch):
                if bPath:
                    run.StopOnceCacheIsMade()
                run.Wait()
                strCase = repr(tail[:60])
                strCache = os.path.join("temp", "ftpurls")
                if bPath:
                    self.assertIn(run.nExitCode, (0, 1, EXIT_TIMEOUT), strCase + " ended abnormally")
                    self.assertIn(strCache, run.NewPaths(), strCase + " prepared no cache")
                else:
                    self.assertEqual(run.nExitCode, 2, strCase)
                    self.assertEqual(len(run.records), 1, strCase + " started no client or help")
                for strPath in run.NewPaths():
                    self.assertTrue(strPath == strCache or strPath.startswith(os.path.join(strCache, "")),
                                    "%s created %s" % (strCase, strPath))
        names = ListTree(strDriveC) | ListTree(self.strRoot) | set(os.listdir("/tmp"))
        escaped = [p for p in names if MARKER in p and "ftpurls" not in p]
        self.assertEqual(escaped, [], "created outside the cache folder")


def main():
    global BIN_DIR
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--build-tag", default="win32")
    args, rest = parser.parse_known_args()
    BIN_DIR = args.bin_dir
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
