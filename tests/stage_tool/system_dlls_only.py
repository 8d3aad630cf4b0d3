#!/usr/bin/env python3
"""Fails unless the Windows executable imports only DLLs that every Windows has: the stage tool must
run from any folder on its own, its pictures going through the system's codecs.
Usage: system_dlls_only.py EXE OBJDUMP"""

import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "windowscodecs.dll", "user32.dll"}


def main(exe, objdump):
    headers = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    dlls = {line.split(":", 1)[1].strip().lower() for line in headers.splitlines() if "DLL Name:" in line}
    print("imports:", ", ".join(sorted(dlls)))
    others = dlls - SYSTEM_DLLS
    if not dlls or others:
        print("not a system DLL:", ", ".join(sorted(others)) or "(no import table read)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
