#!/usr/bin/env python3
"""Writes the C++ file that registers the version header of every unit of one folder.

usage: unit-headers.py REPOSITORY FOLDER OUT.cpp [--exclude SUBFOLDER]... [--commit-symbol NAME]

Each source file (.cpp, .h) under FOLDER, but those under an excluded sub-folder, gets the header
    $Header: /dravik/PATH REVISION DD.MM.YY HH:NN AUTHOR $
from git: REVISION is the number of commits that changed the file and the short hash of the
last one ("12-3d07cfe"), "+" added when the file differs from it; the date, time and author
(the local part of the address) are those of that commit. A file git does not know has the
revision "new", and a tree without git the revision "nogit", with the file's own time.
With --commit-symbol, the file also defines `const char NAME[]`: the short hash and date of the
tree's last commit, or "nogit".
"""
import os
import subprocess
import sys
import time


def git(repo, *args):
    return subprocess.run(["git", "-C", repo, *args], capture_output=True, text=True, check=True).stdout


def main(argv):
    args = argv[1:]
    excludes, symbol = [], None
    while "--exclude" in args:
        i = args.index("--exclude")
        excludes.append(args[i + 1].rstrip("/") + "/")
        del args[i:i + 2]
    if "--commit-symbol" in args:
        i = args.index("--commit-symbol")
        symbol = args[i + 1]
        del args[i:i + 2]
    if len(args) != 3:
        sys.exit(__doc__)
    repo, folder, out = args
    folder = folder.rstrip("/") + "/"

    files = []
    for root, _, names in os.walk(os.path.join(repo, folder)):
        for name in names:
            if name.endswith((".cpp", ".h")):
                path = os.path.relpath(os.path.join(root, name), repo)
                if not any(path.startswith(e) for e in excludes):
                    files.append(path)
    files.sort()

    try:
        git(repo, "rev-parse", "--git-dir")
        has_git = True
    except (OSError, subprocess.CalledProcessError):
        has_git = False

    last, count, dirty, commit = {}, {}, set(), "nogit"
    if has_git:
        current = None
        log = git(repo, "log", "--format=@%h|%ad|%ae", "--date=format:%d.%m.%y %H:%M",
                  "--name-only", "--", folder)
        for line in log.splitlines():
            if line.startswith("@"):
                current = line[1:].split("|")
            elif line:
                count[line] = count.get(line, 0) + 1
                last.setdefault(line, current)
        status = git(repo, "status", "--porcelain", "--", folder)
        dirty = {line[3:] for line in status.splitlines()}
        head = git(repo, "log", "-1", "--format=%h %ad", "--date=format:%Y-%m-%d").strip()
        commit = head or "nogit"

    headers = []
    for path in files:
        if path in last:
            hash_, stamp, email = last[path]
            revision = "%d-%s%s" % (count[path], hash_, "+" if path in dirty else "")
            author = email.split("@")[0].replace(" ", "_") or "unknown"
        else:
            revision = "new" if has_git else "nogit"
            stamp = time.strftime("%d.%m.%y %H:%M", time.localtime(os.path.getmtime(os.path.join(repo, path))))
            author = "unknown"
        headers.append("$Header: /dravik/%s %s %s %s $" % (path, revision, stamp, author))

    text = ["// Made at build time by tools/unit-headers.py: the version header of every unit of",
            "// " + folder.rstrip("/") + ".",
            '#include "platform/core/system/UnitVersion.h"', "",
            "namespace {", "const dravik::TUnitVersion kUnits[] = {"]
    text += ['    dravik::TUnitVersion("%s"),' % h.replace("\\", "\\\\").replace('"', '\\"') for h in headers]
    text += ["};", "}  // namespace", ""]
    if symbol:
        text += ['extern const char %s[];' % symbol, 'const char %s[] = "%s";' % (symbol, commit), ""]
    content = "\n".join(text)
    try:
        with open(out, encoding="utf-8") as f:
            if f.read() == content:
                return  # unchanged: nothing to compile again
    except OSError:
        pass
    with open(out + ".tmp", "w", encoding="utf-8") as f:
        f.write(content)
    os.replace(out + ".tmp", out)


if __name__ == "__main__":
    main(sys.argv)
