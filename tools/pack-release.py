#!/usr/bin/env python3
"""Packs the release zip: one folder kaleidra-VERSION/ with the stripped program, the readme in
Shift-JIS with CR LF line ends, the licence and the sample stages.
Usage: pack-release.py --exe EXE --version V --root SOURCE_ROOT --out ZIP [--strip STRIP]"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile


def windows_text(text):
    """Text as Notepad of the players' Windows opens it: CR LF, code page 932. Fails on a character
    that code page lacks, rather than shipping a question mark."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--strip")
    args = parser.parse_args()

    folder = f"kaleidra-{args.version}"
    with open(os.path.join(args.root, "release", "readme.txt.in"), encoding="utf-8") as source:
        readme = windows_text(source.read().replace("@VERSION@", args.version))
    with open(os.path.join(args.root, "LICENSE"), encoding="utf-8") as source:
        licence = windows_text(source.read())

    with tempfile.TemporaryDirectory() as work:
        exe = os.path.join(work, "kaleidra.exe")
        shutil.copyfile(args.exe, exe)
        if args.strip:
            subprocess.run([args.strip, "--strip-all", exe], check=True)
        with open(exe, "rb") as program:
            program_bytes = program.read()

        stages_dir = os.path.join(args.root, "stages")
        stages = {}
        for name in sorted(os.listdir(stages_dir)):
            if name.endswith(".txt"):
                with open(os.path.join(stages_dir, name), "rb") as stage:
                    stages[name] = stage.read()

        # Written beside the target and renamed, so a failed run never leaves half a zip.
        partial = args.out + ".partial"
        stamp = time.localtime()[:6]
        with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
            def add(name, data):
                info = zipfile.ZipInfo(f"{folder}/{name}", stamp)
                if info.is_dir():
                    info.external_attr = 0o755 << 16 | 0x10  # 0x10: the MS-DOS folder flag
                else:
                    info.compress_type = zipfile.ZIP_DEFLATED
                    info.external_attr = 0o644 << 16
                archive.writestr(info, data)

            add("", b"")
            add("kaleidra.exe", program_bytes)
            add("readme.txt", readme)
            add("LICENSE.txt", licence)
            add("stages/", b"")
            for name, data in stages.items():
                add(f"stages/{name}", data)
        os.replace(partial, args.out)


if __name__ == "__main__":
    sys.exit(main())
