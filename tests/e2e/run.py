#!/usr/bin/env python3
"""Runs every tests/e2e/test_*.py against the built programs under dist/, in one
Wine session, and prints a closing line 'N passed, N failed'."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402


def main():
    pattern = sys.argv[1] if len(sys.argv) > 1 else "test_*.py"
    session = harness.WineSession()
    harness.SESSION = session
    try:
        suite = unittest.defaultTestLoader.discover(str(Path(__file__).parent), pattern=pattern)
        result = unittest.TextTestRunner(verbosity=2).run(suite)
    finally:
        session.close()
    failed = len(result.failures) + len(result.errors)
    skipped = len(result.skipped)
    print(f"e2e: {result.testsRun - failed - skipped} passed, {failed} failed, {skipped} skipped")
    return 0 if failed == 0 and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
