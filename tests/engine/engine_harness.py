"""Shared by the engine tests: command-line options, running engine_driver.exe under Wine, parsing its lines."""
import argparse
import os
import subprocess
import time


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin-dir", required=True)
    parser.add_argument("--build-tag", default="")
    parser.add_argument("--only", default="", help="run only the cases whose name contains this")
    return parser.parse_args()


def wine_path(path):
    """A Linux path as the Windows program sees it through Wine's Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Result:
    """The driver's output: one entry per operation, in order, each (op, code, fields)."""

    def __init__(self, text, returncode, seconds):
        self.text = text
        self.returncode = returncode
        self.seconds = seconds
        self.ops = []
        for line in text.splitlines():
            parts = line.split("\t")
            if len(parts) < 2:
                continue
            fields = {}
            for part in parts[2:]:
                key, _, value = part.partition("=")
                fields[key] = value
            try:
                code = int(parts[1])
            except ValueError:
                continue
            self.ops.append((parts[0], code, fields))

    def op(self, name, index=0):
        found = [entry for entry in self.ops if entry[0] == name]
        return found[index] if index < len(found) else (name, None, {})


def run_driver(bin_dir, args, timeout=60):
    exe = os.path.join(bin_dir, "engine_driver.exe")
    start = time.monotonic()
    proc = subprocess.run(["wine", exe] + [str(a) for a in args], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=timeout)
    return Result(proc.stdout.decode("latin-1"), proc.returncode, time.monotonic() - start)


class Checker:
    """Collects failures so one run reports every failing case by name."""

    def __init__(self):
        self.failures = []

    def check(self, case, condition, message):
        if not condition:
            self.failures.append(f"{case}: {message}")
            print(f"FAIL {case}: {message}", flush=True)
        return condition

    def finish(self):
        if self.failures:
            print(f"{len(self.failures)} failure(s)")
            return 1
        print("all passed")
        return 0
