#!/usr/bin/env python3
"""Fails when a README snippet is not part of the example the tests build and run.

A code block of README.md that follows a line `<!-- snippet: PATH -->` must appear, line for line, as a
contiguous part of PATH (blank-insensitive at line ends). The examples themselves are built and run by
the tests (Examples.*, Install.*), so what the README shows is what runs.
Usage: check-readme.py SOURCE_DIR
"""
import pathlib
import re
import sys

MARK = re.compile(r"<!--\s*snippet:\s*(\S+)\s*-->")


def blocks(text):
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        m = MARK.search(lines[i])
        if m:
            j = i + 1
            while j < len(lines) and not lines[j].startswith("```"):
                j += 1
            k = j + 1
            while k < len(lines) and not lines[k].startswith("```"):
                k += 1
            yield i + 1, m.group(1), [l.rstrip() for l in lines[j + 1:k]]
            i = k
        i += 1


def main():
    root = pathlib.Path(sys.argv[1])
    wrong = 0
    found = 0
    for line, path, snippet in blocks((root / "README.md").read_text(encoding="utf-8")):
        found += 1
        source = [l.rstrip() for l in (root / path).read_text(encoding="utf-8").splitlines()]
        n = len(snippet)
        if not any(source[s:s + n] == snippet for s in range(len(source) - n + 1)):
            print(f"README.md:{line}: the snippet is not a part of {path}")
            wrong += 1
    if found < 3:
        print(f"README.md: {found} snippets marked; expected the CMake, C and Python ones")
        return 1
    print(f"README.md: {found} snippets, each part of a tested example" if not wrong else "")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
