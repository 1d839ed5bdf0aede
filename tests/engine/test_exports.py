#!/usr/bin/python3
"""skelmer.dll exports exactly the nine ordinals and no names; every program that links
skelmer_import (the driver, ftplink.exe when built) imports it by ordinal only."""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from engine_harness import Checker, parse_args  # noqa: E402

ORDINALS = {100, 110, 200, 210, 325, 340, 701, 702, 1120}


def objdump(tag, path):
    tool = "i686-w64-mingw32-objdump" if tag == "win32" else "x86_64-w64-mingw32-objdump"
    return subprocess.run([tool, "-p", path], stdout=subprocess.PIPE, check=True).stdout.decode("latin-1")


def skelmer_imports(dump):
    """(ordinal, by_ordinal) for each entry of the skelmer.dll import block."""
    lines = dump.splitlines()
    if "\tDLL Name: skelmer.dll" not in lines:
        return []
    entries = []
    for line in lines[lines.index("\tDLL Name: skelmer.dll") + 2:]:
        fields = line.split()
        if not fields or not re.fullmatch(r"[0-9a-f]+", fields[0]):
            break
        value = int(fields[0], 16)
        high_bit = 1 << (63 if len(fields[0]) > 8 else 31)
        entries.append((value & 0xffff, bool(value & high_bit)))
    return entries


def main():
    args = parse_args()
    checker = Checker()
    dll = objdump(args.build_tag, os.path.join(args.bin_dir, "skelmer.dll"))
    exported = {int(m) for m in re.findall(r"\+base\[\s*(\d+)\]", dll)}
    checker.check("skelmer.dll", exported == ORDINALS, f"exported ordinals {sorted(exported)}")
    names = re.search(r"\[Ordinal/Name Pointer\] Table\n((?:\s+\[.*\n)*)", dll)
    checker.check("skelmer.dll", names is None or not names.group(1).strip(), "exports carry names")
    for program in ("engine_driver.exe", "ftplink.exe"):
        path = os.path.join(args.bin_dir, program)
        if not os.path.exists(path):
            continue
        entries = skelmer_imports(objdump(args.build_tag, path))
        checker.check(program, entries, "does not import skelmer.dll")
        checker.check(program, all(by_ordinal for _, by_ordinal in entries), f"imports by name: {entries}")
        checker.check(program, {ordinal for ordinal, _ in entries} <= ORDINALS, f"unknown ordinals: {entries}")
    return checker.finish()


if __name__ == "__main__":
    sys.exit(main())
