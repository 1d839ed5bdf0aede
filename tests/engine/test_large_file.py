#!/usr/bin/python3
"""A transfer larger than 4 GiB through the scripted server: it must arrive whole and end with 226."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from engine_harness import parse_args  # noqa: E402
from test_transcripts import LARGE_CASE, run_cases  # noqa: E402

if __name__ == "__main__":
    sys.exit(run_cases(parse_args(), [LARGE_CASE]))
