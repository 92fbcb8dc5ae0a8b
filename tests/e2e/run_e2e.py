#!/usr/bin/env python3
"""Runs end-to-end test modules inside one test-bed session, so that every program they start
shares the build's Wine prefix and Xvfb display.

    run_e2e.py --build BUILD_DIR MODULE [MODULE...] [-k PATTERN]

Exit codes: 0 passed, 1 failed (or nothing ran), 77 every test was skipped (CTest reports the
test as skipped; the reasons are printed).
"""

import argparse
import os
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path[:0] = [str(HERE), str(HERE.parent / "wine")]

from winebed import RUN_SCRIPT  # noqa: E402

SKIPPED_EXIT = 77


def parse(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("-k", dest="patterns", action="append", help="run matching tests only")
    parser.add_argument("modules", nargs="+", help="test modules of tests/e2e, e.g. test_entry")
    return parser.parse_args(argv)


def main(argv):
    args = parse(argv[1:])
    os.environ["VESTRA_BINARY_DIR"] = str(Path(args.build).resolve())
    if not os.environ.get("DISPLAY"):
        # Re-enter through wine-run.sh: it provides the display and holds it for this session.
        os.execv(str(RUN_SCRIPT), [str(RUN_SCRIPT), "--unix", sys.executable, *argv])
    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = [f"*{p}*" for p in args.patterns]
    suite = unittest.TestSuite(loader.loadTestsFromName(m) for m in args.modules)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    if result.testsRun == 0:
        print("no end-to-end test ran")
        return 1
    if not result.wasSuccessful():
        return 1
    if len(result.skipped) == result.testsRun:
        reasons = sorted({reason for _, reason in result.skipped})
        print("every test was skipped:\n  " + "\n  ".join(reasons))
        return SKIPPED_EXIT
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
