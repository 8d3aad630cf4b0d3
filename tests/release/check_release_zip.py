#!/usr/bin/env python3
"""Checks the release zip as a player and Explorer see it: one folder kaleidra-VERSION/ with exactly
the program, the readme, the licence and the committed sample stages; the readme in Shift-JIS with
CR LF line ends naming this version; a stripped program that imports only system DLLs and carries
the version resource and a manifest without visual styles.
Usage: check_release_zip.py ZIP VERSION SOURCE_ROOT OBJDUMP"""

import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

# DLLs every Windows has; anything else (the compiler's run-time DLLs) would be missing on a player's PC.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "msvcrt.dll"}
RT_VERSION, RT_MANIFEST = 16, 24

failures = []


def check(condition, message):
    print(("ok: " if condition else "FAILED: ") + message)
    if not condition:
        failures.append(message)


def crlf_only(data):
    return b"\n" not in data.replace(b"\r\n", b"") and b"\r" not in data.replace(b"\r\n", b"")


class Pe:
    """Just enough of a PE file: the COFF header, the sections and the resource tree."""

    def __init__(self, data):
        self.data = data
        coff = struct.unpack_from("<I", data, 0x3C)[0] + 4
        sections, _, _, self.symbols, optional_size = struct.unpack_from("<HIIIH", data, coff + 2)
        table = coff + 20 + optional_size
        self.sections = {}
        for i in range(sections):
            name, size, rva, _, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections[name.rstrip(b"\0").decode()] = (rva, size, raw)

    def resources(self, kind):
        """The data of every resource of one type, in any name and language."""
        rva, _, raw = self.sections[".rsrc"]

        def entries(offset):
            named, numbered = struct.unpack_from("<HH", self.data, raw + offset + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, raw + offset + 16 + 8 * i)
                yield ident, target

        def leaves(target):
            if target & 0x80000000:
                for _, child in entries(target & 0x7FFFFFFF):
                    yield from leaves(child)
            else:
                data_rva, size = struct.unpack_from("<II", self.data, raw + target)
                start = raw + data_rva - rva
                yield self.data[start:start + size]

        return [leaf for ident, target in entries(0) if ident == kind for leaf in leaves(target)]


def version_strings(block):
    """The StringFileInfo values of a version resource: UTF-16 key, padding, UTF-16 value."""
    text = block.decode("utf-16-le", errors="replace")
    found = {}
    for key in ("CompanyName", "FileDescription", "FileVersion", "LegalCopyright", "ProductName",
                "ProductVersion"):
        match = re.search(key + r"\x00+([^\x00]*)", text)
        found[key] = match.group(1) if match else None
    return found


def main():
    archive_path, version, root, objdump = sys.argv[1:5]
    folder = f"kaleidra-{version}/"
    stages = sorted(name for name in os.listdir(os.path.join(root, "stages")) if name.endswith(".txt"))
    with zipfile.ZipFile(archive_path) as archive:
        names = [info.filename for info in archive.infolist() if not info.is_dir()]
        files = {name[len(folder):]: archive.read(name) for name in names if name.startswith(folder)}
    expected = {"kaleidra.exe", "readme.txt", "LICENSE.txt"} | {f"stages/{name}" for name in stages}
    check(len(files) == len(names), f"every file lies in {folder}")
    check(set(files) == expected, f"the zip holds {sorted(expected)}: {sorted(files)}")

    for name in stages:
        with open(os.path.join(root, "stages", name), "rb") as committed:
            check(files.get(f"stages/{name}") == committed.read(), f"stages/{name} as committed")

    readme = files.get("readme.txt", b"")
    try:
        text = readme.decode("cp932")
        check(True, "readme.txt decodes as Shift-JIS (code page 932)")
    except UnicodeDecodeError as error:
        text = ""
        check(False, f"readme.txt decodes as Shift-JIS: {error}")
    check(crlf_only(readme), "readme.txt ends every line with CR LF and has no lone CR or LF")
    title = (text.splitlines() + ["", ""])[1]
    check("@" not in text and f"Ver {version}" in title, f"its title names Ver {version}")
    history = text[text.find("■ 更新履歴"):]
    check(f"Ver {version}" in history, f"its history has an entry for {version}")
    licence = files.get("LICENSE.txt", b"")
    check(crlf_only(licence) and b"MIT License" in licence and b"Kaleidra developers" in licence,
          "LICENSE.txt: the MIT licence of the Kaleidra developers, CR LF")

    with tempfile.TemporaryDirectory() as work:
        exe_path = os.path.join(work, "kaleidra.exe")
        with open(exe_path, "wb") as exe:
            exe.write(files.get("kaleidra.exe", b""))
        headers = subprocess.run([objdump, "-p", exe_path], check=True, capture_output=True,
                                 text=True).stdout
    dlls = {line.split(":")[1].strip().lower() for line in headers.splitlines() if "DLL Name:" in line}
    check(bool(dlls) and dlls <= SYSTEM_DLLS, f"the program imports only system DLLs: {sorted(dlls)}")

    pe = Pe(files.get("kaleidra.exe", b""))
    check(pe.symbols == 0 and not any(name.startswith(".debug") or name.startswith("/")
                                      for name in pe.sections), "the program is stripped")

    versions = pe.resources(RT_VERSION)
    check(len(versions) == 1, "one version resource")
    block = versions[0] if versions else b""
    fixed = block.find(struct.pack("<I", 0xFEEF04BD))
    numbers = tuple(int(part) for part in version.split(".")) + (0,)
    if fixed >= 0:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", block, fixed + 8)
        shown = (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF)
        check(shown == numbers and (product_ms, product_ls) == (file_ms, file_ls),
              f"file and product version numbers {shown}")
    else:
        check(False, "the version resource has its fixed part")
    strings = version_strings(block)
    check(strings["ProductName"] == "Kaleidra", f"product name: {strings['ProductName']}")
    check(strings["FileVersion"] == version and strings["ProductVersion"] == version,
          f"version texts: {strings['FileVersion']}, {strings['ProductVersion']}")
    check("Kaleidra developers" in (strings["LegalCopyright"] or ""), f"copyright: {strings['LegalCopyright']}")
    check("Kaleidra developers" == strings["CompanyName"], f"company: {strings['CompanyName']}")
    check(bool(strings["FileDescription"]), f"description: {strings['FileDescription']}")

    manifests = pe.resources(RT_MANIFEST)
    check(len(manifests) == 1, "one application manifest")
    manifest = manifests[0].decode("utf-8") if manifests else ""
    check('level="asInvoker"' in manifest, "the manifest asks for the invoker's rights")
    check(manifest.count("<supportedOS ") >= 4, "and names the Windows versions it supports")
    # Common Controls 6 would give the dialogs themed controls of other sizes than their layout.
    check("Common-Controls" not in manifest, "and no visual styles")

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
