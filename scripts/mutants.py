#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plants one fault at a time in a scratch copy of the program, rebuilds it
incrementally and runs the fast tests (CTest label "unit") that the rebuild
relinked; a fault the tests do not notice survives. The faults are listed in scripts/mutants.tsv.

    scripts/mutants.py [REF] [--only PATTERN]

REF is a commit (default: the working tree); PATTERN, a regular expression,
keeps the faults in the files it matches. The scratch copy and its build
live in build-mutants/; the result is printed and written to
build-mutants/result.txt.
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parent.parent
scratch = root / "build-mutants"
source, build = scratch / "src", scratch / "build"


def run(*command, **kwargs):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kwargs).returncode


def copy_tree(ref):
    if source.exists():
        shutil.rmtree(source)
    source.mkdir(parents=True)
    if ref:
        archive = subprocess.run(["git", "-C", root, "archive", ref], check=True, stdout=subprocess.PIPE).stdout
        subprocess.run(["tar", "-x", "-C", source], input=archive, check=True)
    else:
        files = subprocess.run(["git", "-C", root, "ls-files", "-z"], check=True, stdout=subprocess.PIPE).stdout
        for name in filter(None, files.decode().split("\0")):
            if (root / name).is_file():
                (source / name).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(root / name, source / name)


def mutants():
    # path, fault's old text, new text, and why it may survive: tab-separated;
    # "\n" in a text stands for a line break.
    for number, line in enumerate((root / "scripts/mutants.tsv").read_text().splitlines(), 1):
        if line.strip() and not line.startswith("#"):
            fields = line.split("\t")
            path, old, new = fields[0], fields[1].replace("\\n", "\n"), fields[2].replace("\\n", "\n")
            yield number, path, old, new, fields[3] if len(fields) > 3 else ""


def test_programs():
    return {path.name: path.stat().st_mtime_ns for path in (build / "tests").glob("*_test")}


def tests_pass(relinked=None):
    # Only the programs that contain the changed code can notice it.
    select = ["-R", "/(" + "|".join(sorted(relinked)) + ")$"] if relinked else []
    return run("ctest", "-L", "unit", *select, "-j2", "--stop-on-failure", "--timeout", "60", cwd=build) == 0


def main():
    args = sys.argv[1:]
    only = args.pop(args.index("--only") + 1) if "--only" in args else ""
    args = [a for a in args if a != "--only"]
    copy_tree(args[0] if args else None)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy")
    if run("cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=Debug") or run(
            "cmake", "--build", build, "-j2"):
        sys.exit("mutants: the unchanged copy does not build")
    os.environ.update(env)
    if not tests_pass():
        sys.exit("mutants: the unchanged copy fails its tests")

    lines, killed, total = [], 0, 0
    for number, path, old, new, reason in mutants():
        if not re.search(only, path):
            continue
        target = source / path
        original = target.read_text()
        if original.count(old) != 1:
            lines.append(f"STALE     line {number}: {path}: the old text is not there exactly once")
            print(lines[-1], flush=True)
            continue
        before = test_programs()
        target.write_text(original.replace(old, new))
        try:
            if run("cmake", "--build", build, "-j2"):
                verdict = "STILLBORN"
            else:
                total += 1
                after = test_programs()
                died = not tests_pass({name for name in after if after[name] != before.get(name)})
                killed += died
                verdict = "killed   " if died else "SURVIVED "
        finally:
            target.write_text(original)
        summary = f"{verdict} line {number}: {path}: {old.strip()!r} -> {new.strip()!r}"
        lines.append(summary + (f"  ({reason})" if reason and verdict.startswith("SURVIVED") else ""))
        print(lines[-1], flush=True)
    run("cmake", "--build", build, "-j2")
    lines.append(f"kill rate: {killed} of {total} = {100.0 * killed / max(total, 1):.1f} %")
    print(lines[-1])
    (scratch / "result.txt").write_text("\n".join(lines) + "\n")


main()
