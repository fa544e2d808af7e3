#!/usr/bin/env python3
"""Runs every code block of README.md and docs/*.md (and docs/tutorials/*.md) as it is written.

A block is run, or checked, by its language and the comment line just above it:
  ```plotara         a host script: `plotara run` must end with status 0 (`<!-- status: N -->` above it
                     expects N). It runs in a scratch folder that holds docs, examples and data (docs/data).
  ```sh              commands: every line that starts with `plotara` runs with the built command in that
                     scratch folder and must succeed; a comment after it (`# 64 ...`, `# " 2 3 * +" ...`)
                     says what it prints first: the first word of its first line, or that whole line
                     when the comment starts with a quoted text. Any other
                     command needs a `<!-- run by: PATH -->` or `<!-- not run: WHY -->` line above the block.
  `<!-- snippet: PATH -->`  the block is a part of PATH, line for line; the tests build and run PATH.
  `<!-- run by: PATH -->`   a test script at PATH runs these commands (it must exist).
  `<!-- not run: WHY -->`   the block is not run, for the reason given (building the project itself).
  ```text            a figure (a file tree, a diagram): not code.
Any other block fails the check: what a page shows is what runs.
Also checks that docs/gallery.md is what `run-docs.py --gallery` writes.
Usage: run-docs.py SOURCE_DIR PLOTARA      run-docs.py --gallery SOURCE_DIR   (prints the page)
"""
import os
import pathlib
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

MARK = re.compile(r"<!--\s*(snippet|run by|not run|status):\s*(.*?)\s*-->")


def blocks(text):
    """(line, language, marker, value, lines) of every fenced block."""
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        if lines[i].startswith("```"):
            lang = lines[i][3:].strip()
            j = i + 1
            while j < len(lines) and not lines[j].startswith("```"):
                j += 1
            above = lines[i - 1] if i > 0 else ""
            m = MARK.search(above)
            yield i + 1, lang, m.group(1) if m else None, m.group(2) if m else None, lines[i + 1:j]
            i = j
        i += 1


SCRATCH = []


def scratch(root):
    """A folder that holds the tree's docs, examples and sample data, for a block to run in."""
    folder = pathlib.Path(tempfile.mkdtemp(prefix="plotara-docs-"))
    SCRATCH.append(folder)
    for name, target in (("docs", root / "docs"), ("examples", root / "examples"),
                         ("data", root / "docs" / "data")):
        (folder / name).symlink_to(target)
    return folder


def printed_as_said(comment, printed):
    """Whether the first line a command printed is what its comment says: the whole line when the comment
    starts with a quoted text, else its first word."""
    comment = comment.strip()
    if comment.startswith('"'):
        return printed == comment[1:comment.index('"', 1)]
    said = comment.split()[0].rstrip(":,;") if comment.split() else ""
    return (printed.split() or [""])[0] == said


def run_script(plotara, root, lines, status):
    folder = scratch(root)
    script = folder / "block.plotara"
    script.write_text("\n".join(lines) + "\n", encoding="utf-8")
    r = subprocess.run([plotara, "run", str(script)], cwd=folder, capture_output=True, text=True, timeout=120)
    if r.returncode != status:
        return f"status {r.returncode} (expected {status}): {r.stderr.strip()}"
    return ""


def run_commands(plotara, root, lines):
    folder = scratch(root)
    for line in lines:
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if not line.startswith("plotara "):
            return f"'{line}' is no plotara command (mark the block: run by, or not run)"
        command, _, comment = line.partition("  #")
        args = shlex.split(command)
        r = subprocess.run([plotara] + args[1:], cwd=folder, capture_output=True, text=True, timeout=120)
        if r.returncode != 0:
            return f"'{command.strip()}' ended with status {r.returncode}: {r.stderr.strip()}"
        printed = (r.stdout.splitlines() or [""])[0]
        if comment.strip() and not printed_as_said(comment, printed):
            return f"'{command.strip()}' printed '{printed}', which is not what the page says: {comment.strip()}"
    return ""


def check_block(root, plotara, page, line, lang, marker, value, lines):
    where = f"{page.relative_to(root)}:{line}"
    if marker == "snippet":
        source = [l.rstrip() for l in (root / value).read_text(encoding="utf-8").splitlines()]
        snippet = [l.rstrip() for l in lines]
        n = len(snippet)
        if not any(source[s:s + n] == snippet for s in range(len(source) - n + 1)):
            return f"{where}: the block is not a part of {value}"
        return ""
    if marker == "run by":
        return "" if (root / value).exists() else f"{where}: {value}, which should run the block, is missing"
    if marker == "not run":
        return "" if value else f"{where}: a block that is not run says why"
    if lang == "text":
        return ""
    if lang == "plotara":
        problem = run_script(plotara, root, lines, int(value) if marker == "status" else 0)
        return f"{where}: {problem}" if problem else ""
    if lang == "sh":
        problem = run_commands(plotara, root, lines)
        return f"{where}: {problem}" if problem else ""
    return f"{where}: a ```{lang or '(no language)'} block that neither runs nor says why"


def gallery(root):
    """docs/gallery.md: every example's picture beside its script."""
    out = ["# Gallery", "",
           "Every script of `examples/` with the picture it draws (`plotara render examples/NAME.plotara -o",
           "NAME.png`). The pictures are the tests' reference pictures, which every rendering is compared",
           "with, so each one is what the script beside it draws now. Generated by",
           "`tests/docs/run-docs.py --gallery .`; a test checks that the page is current.", ""]
    for script in sorted((root / "examples").glob("*.plotara")):
        name = script.stem
        text = script.read_text(encoding="utf-8").rstrip("\n")
        first = next((l.lstrip("' ").strip() for l in text.splitlines() if l.startswith("'")), name)
        out += [f"## {name}", "",
                '<table><tr><td valign="top">', "",
                f"![{first}](../tests/images/example_{name}.png)", "",
                '</td><td valign="top">', "",
                f"<!-- snippet: examples/{name}.plotara -->",
                "```plotara", text, "```", "",
                "</td></tr></table>", ""]
    return "\n".join(out)


def main():
    if sys.argv[1] == "--gallery":
        sys.stdout.write(gallery(pathlib.Path(sys.argv[2])))
        return 0
    root, plotara = pathlib.Path(sys.argv[1]).resolve(), str(pathlib.Path(sys.argv[2]).resolve())
    pages = [root / "README.md"] + sorted((root / "docs").rglob("*.md"))
    wrong, counted = [], 0
    for page in pages:
        for line, lang, marker, value, lines in blocks(page.read_text(encoding="utf-8")):
            counted += 1
            problem = check_block(root, plotara, page, line, lang, marker, value, lines)
            if problem:
                wrong.append(problem)
    current = (root / "docs" / "gallery.md").read_text(encoding="utf-8") if (root / "docs" / "gallery.md").exists() else ""
    if current != gallery(root):
        wrong.append("docs/gallery.md is stale: tests/docs/run-docs.py --gallery . > docs/gallery.md")
    for folder in SCRATCH:
        shutil.rmtree(folder, ignore_errors=True)
    for w in wrong:
        print(w)
    print(f"{counted - len(wrong)} passed, {len(wrong)} failed")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
