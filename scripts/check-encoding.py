#!/usr/bin/env python3
"""Fails on a non-ASCII string literal outside ui/ and tests/ that is not
marked. Windows-1250 text is written "..."_w. Text meant as UTF-8 (the
terminal's usage text, the desktop entry) has a comment saying UTF-8 on one
of its lines, or is u8"..."; files made of such text (the help generator)
are listed in scripts/utf8-files.txt. Adjacent literals are one literal: one
mark serves them all."""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CHECKED = ("core/", "store/", "letter/", "turn/", "platform/", "puzzles/", "cli/", "tools/", "fuzz/", "bench/")
PREFIX = re.compile(r'(u8|u|U|L)?R?"$')


def literals(text):
    """(line, prefix, body, suffix) of every string literal, in order, with the
    index of the group of adjacent literals it belongs to."""
    i, n, line, group, last_end = 0, len(text), 1, 0, None
    out = []
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            line += text.count("\n", i, j)
            i = j
            continue
        if c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            continue
        if c == '"':
            k = i
            while k > 0 and (text[k - 1].isalnum() or text[k - 1] == "_"):
                k -= 1
            prefix = text[k:i]
            if prefix.endswith("R"):
                m = re.match(r'"([^(]*)\(', text[i:])
                end = text.find(")" + m.group(1) + '"', i)
                body = text[i + len(m.group(0)):end]
                j = end + len(m.group(1)) + 2
                prefix = prefix[:-1]
            else:
                j = i + 1
                while j < n and text[j] != '"':
                    j += 2 if text[j] == "\\" else 1
                body = text[i + 1:j]
                j += 1
            s = j
            while s < n and (text[s].isalnum() or text[s] == "_"):
                s += 1
            suffix = text[j:s]
            between = text[last_end:k] if last_end is not None else "x"
            if re.sub(r"//[^\n]*|/\*.*?\*/", "", between, flags=re.S).strip():
                group += 1
            out.append((line, prefix, body, suffix, group))
            line += text.count("\n", i, s)
            last_end = s
            i = s
            continue
        if c == "\n":
            line += 1
        i += 1
    return out


def main():
    allowed = set()
    allow_file = ROOT / "scripts" / "utf8-files.txt"
    if allow_file.exists():
        allowed = {l.strip() for l in allow_file.read_text().splitlines() if l.strip() and not l.startswith("#")}
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], cwd=ROOT, capture_output=True, text=True).stdout.split()
    bad = []
    for name in files:
        if not name.startswith(CHECKED) or name in allowed:
            continue
        text = (ROOT / name).read_text(encoding="utf-8")
        lines = text.split("\n")
        found = literals(text)
        groups = {}
        for line, prefix, body, suffix, group in found:
            groups.setdefault(group, []).append((line, prefix, body, suffix))
        for parts in groups.values():
            if any(s == "_w" for _, _, _, s in parts) or any(p == "u8" for _, p, _, _ in parts):
                continue
            # the mark may stand on the line that opens the literal, too
            first, last = parts[0][0] - 1, parts[-1][0] + parts[-1][2].count("\n")
            if any("UTF-8" in l.split("//", 1)[1] for l in lines[max(first - 1, 0):last] if "//" in l):
                continue
            for line, _, body, _ in parts:
                if any(ord(ch) > 127 for ch in body):
                    bad.append(f"{name}:{line}: non-ASCII text without _w (Windows-1250) or u8 (UTF-8)")
                    break
    for b in bad:
        print(b)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
