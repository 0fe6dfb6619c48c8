#!/usr/bin/env python3
"""The programs given hold no test hook: no symbol named for testing, and none of the
faults tests/support injects through the seams (its definitions replace the programs'
own only in the tests that link them). Reads each program's symbols with nm; prints each
hook found and exits 1 when there is one, or when a program has no symbols to look at.
"""
import re
import subprocess
import sys

HOOK = re.compile(r"_for_testing|fail_next_clipboard_writes|set_system_call_fault|gradation::test::")


def main(programs):
    found = False
    for program in programs:
        symbols = subprocess.run(["nm", "-C", program], check=True, capture_output=True, text=True).stdout
        if "gradation::" not in symbols:
            print(f"{program}: no symbols of ours to look at (stripped?)")
            return 1
        for line in symbols.splitlines():
            if HOOK.search(line):
                print(f"{program}: test hook {line.split(maxsplit=2)[-1]}")
                found = True
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
