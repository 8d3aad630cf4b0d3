#!/usr/bin/env python3
"""Fails when a plain (narrow) string or character literal holds a character outside ASCII in the
code that builds for Windows: its bytes would be whatever the compiler's execution character set
makes of it. Texts for Windows are wide literals (L"..."); bytes that must be exact are written as
escapes. Usage: narrow_text.py FOLDER... (files *.cpp and *.h below each)."""

import pathlib
import sys


def narrow_literals(source):
    """Yields (line, literal) for each literal without an encoding prefix, comments skipped."""
    i, line, n = 0, 1, len(source)
    while i < n:
        c = source[i]
        if c == "\n":
            line += 1
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = n if i < 0 else i
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += source.count("\n", i, end)
            i = end
            continue
        if c in "\"'":
            start = i
            prefix_start = i
            while prefix_start > 0 and (source[prefix_start - 1].isalnum() or source[prefix_start - 1] == "_"):
                prefix_start -= 1
            prefix = source[prefix_start:i]
            if c == "'" and prefix[:1].isdigit():  # a digit separator: 1'000
                i += 1
                continue
            i += 1
            while i < n and source[i] != c:
                i += 2 if source[i] == "\\" else 1
            literal = source[start:i + 1]
            if prefix not in ("L", "u", "U", "u8"):
                yield line, literal
            line += literal.count("\n")
            i += 1
            continue
        i += 1


def main(folders):
    found = []
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            text = path.read_text(encoding="utf-8")
            for line, literal in narrow_literals(text):
                if any(ord(ch) > 0x7F for ch in literal):
                    found.append(f"{path}:{line}: {literal}")
    for entry in found:
        print(entry)
    print(f"{len(found)} narrow literals with characters outside ASCII")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
