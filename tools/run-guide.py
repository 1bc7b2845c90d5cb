#!/usr/bin/env python3
"""Runs docs/GUIDE.md as its reader would.

usage: run-guide.py GUIDE EXAMPLE WORK

Copies the EXAMPLE folder to WORK and runs every ```sh block of GUIDE there, in order, each in
bash with -e, so a step that fails stops the run with the step shown. Every ```cpp and ```cmake
block must be an excerpt of the example's own files (lines compared without their indentation),
so the code the guide shows is the code the check builds. ```text blocks are shown, not run.
"""
import pathlib
import re
import shutil
import subprocess
import sys

BLOCK = re.compile(r"^```(\w+)\n(.*?)^```$", re.M | re.S)


def lines(text):
    return [line.strip() for line in text.strip().splitlines()]


def is_excerpt(block, sources):
    wanted = lines(block)
    for source in sources:
        have = lines(source)
        for start in range(len(have) - len(wanted) + 1):
            if have[start:start + len(wanted)] == wanted:
                return True
    return False


def main():
    guide, example, work = (pathlib.Path(a) for a in sys.argv[1:4])
    shutil.copytree(example, work)
    sources = [p.read_text(encoding="utf-8") for p in sorted(example.rglob("*"))
               if p.suffix in (".cpp", ".h") or p.name == "CMakeLists.txt"]
    blocks = BLOCK.findall(guide.read_text(encoding="utf-8"))
    run = 0
    for kind, body in blocks:
        if kind in ("cpp", "cmake"):
            if not is_excerpt(body, sources):
                sys.exit("run-guide: this %s block is not the example's code:\n%s" % (kind, body))
        elif kind == "sh":
            result = subprocess.run(["bash", "-e", "-c", body], cwd=work)
            if result.returncode != 0:
                sys.exit("run-guide: this step failed (exit code %d):\n%s"
                         % (result.returncode, body))
            run += 1
        elif kind != "text":
            sys.exit("run-guide: a block of kind '%s' is neither run nor checked" % kind)
    if run == 0:
        sys.exit("run-guide: no sh block in " + str(guide))
    print("%d steps of the guide ran, %d blocks checked" % (run, len(blocks)))


main()
