#!/usr/bin/env python3
"""Checks the formatting of the lines a change touches with clang-format.

The change is everything between the base commit and the working tree,
uncommitted edits included (files git does not track yet are not). The base
is $ZEPHYRAIL_FORMAT_BASE, by default HEAD~1: on CI that is the stop's last
commit. Lines the change does not touch are left to their authors.

Exit 0: clean. 1: clang-format would change these lines (the files and the
diff are printed; `git clang-format BASE` fixes them). 77: skipped, outside
a git checkout or without the default base commit (CTest reports it skipped).

Usage: check_format.py [ROOT]   (ROOT defaults to the repository root)
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

SKIPPED = 77
EXTENSIONS = "c,cc,cpp,h,hpp"


def git(root, *args):
    return subprocess.run(["git", "-C", str(root), *args], capture_output=True, text=True)


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    chosen = os.environ.get("ZEPHYRAIL_FORMAT_BASE", "")
    base = chosen or "HEAD~1"

    if shutil.which("git") is None or git(root, "rev-parse", "--is-inside-work-tree").stdout.strip() != "true":
        print(f"format: {root} is not a git checkout; skipped")
        return SKIPPED
    if git(root, "rev-parse", "--verify", "--quiet", base + "^{commit}").returncode != 0:
        if chosen:
            print(f"format: ZEPHYRAIL_FORMAT_BASE={chosen} is not a commit of this checkout")
            return 1
        print(f"format: no base commit {base} (a first commit or a shallow clone); skipped")
        return SKIPPED

    result = git(root, "clang-format", "--diff", "--extensions", EXTENSIONS, base)
    diff_start = result.stdout.find("diff --git ")
    if diff_start < 0:
        if result.returncode != 0:
            print(f"format: git clang-format failed:\n{result.stdout}{result.stderr}")
            return 1
        print(f"format: the lines changed since {base} are formatted")
        return 0

    diff = result.stdout[diff_start:]
    files = sorted(set(re.findall(r"^diff --git a/(\S+) b/", diff, re.M)))
    print(f"format: clang-format would change lines touched since {base} in:")
    for name in files:
        print(f"  {name}")
    print(f"(`git clang-format {base}` applies it)\n")
    print(diff, end="")
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
