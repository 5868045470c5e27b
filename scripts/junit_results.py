#!/usr/bin/env python3
"""What ctest's JUnit files (ctest --output-junit FILE) say about a test run.

    junit_results.py counts FILE...       prints "PASSED FAILED" over the tests of the files
    junit_results.py ran FILE PREFIX      exits 0 when a test whose name begins with PREFIX ran
                                          (passed or failed), 1 when none did
    junit_results.py gtest-passed FILE    prints how many GoogleTest tests passed inside the
                                          file's tests, from each program's own summary

A test passed when ctest ran it and it succeeded (status "run"); it failed when it failed or
could not run at all (status "fail" or "notrun", as ctest's own summary counts them); a
disabled test counts neither way. A file that does not exist (its ctest never ran) counts
nothing. The GoogleTest summaries are in the output of passed tests only when ctest keeps it
whole (--test-output-size-passed).
"""

import re
import sys
import xml.etree.ElementTree as ElementTree

GTEST_PASSED = re.compile(r"^\[  PASSED  \] (\d+) tests?\.", re.MULTILINE)


def test_cases(path):
    try:
        return list(ElementTree.parse(path).getroot().iter("testcase"))
    except FileNotFoundError:
        return []


def counts(paths):
    passed = failed = 0
    for path in paths:
        for case in test_cases(path):
            status = case.get("status")
            if status == "run":
                passed += 1
            elif status in ("fail", "notrun"):
                failed += 1
    return passed, failed


def ran(path, prefix):
    return any(
        case.get("name", "").startswith(prefix) and case.get("status") in ("run", "fail")
        for case in test_cases(path)
    )


def gtest_passed(path):
    total = 0
    for case in test_cases(path):
        for output in case.iter("system-out"):
            total += sum(int(n) for n in GTEST_PASSED.findall(output.text or ""))
    return total


def main(arguments):
    if len(arguments) >= 1 and arguments[0] == "counts":
        print("%d %d" % counts(arguments[1:]))
        return 0
    if len(arguments) == 3 and arguments[0] == "ran":
        return 0 if ran(arguments[1], arguments[2]) else 1
    if len(arguments) == 2 and arguments[0] == "gtest-passed":
        print(gtest_passed(arguments[1]))
        return 0
    print("\n".join(__doc__.strip().splitlines()[2:7]), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
