#!/usr/bin/env python3
"""Checks on the shipped program file, run by CTest in the Windows build.

    check_executable.py imports OBJDUMP EXE ALLOWLIST
    check_executable.py header  OBJDUMP EXE
    check_executable.py size    EXE LIMIT_BYTES
    check_executable.py map     MAPFILE

Each prints what it found and exits 1 on the first kind of fault it finds.
"""

import os
import re
import subprocess
import sys

# DLLs that are part of every Windows XP installation.
WINDOWS_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
    "shell32.dll", "advapi32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
    "shlwapi.dll", "version.dll", "winmm.dll",
}

# Parts of the C++ library the program does not use; a libstdc++ archive member
# whose name matches means something dragged them in.
UNWANTED_LIBSTDCXX = re.compile(
    r"locale|ios|stream|codecvt|ctype|facet|messages|monetary|numeric|time_members|"
    r"collate|string-io|fstream|sstream")


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def objdump_private_headers(objdump, exe):
    return subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                          text=True).stdout


def imported_functions(dump):
    """(dll, function) pairs of the import table; function is '#n' for an ordinal."""
    imports = []
    dll = None
    for line in dump.splitlines():
        if line.startswith("PE File Base Relocations") or line.startswith("The Export"):
            dll = None
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).lower()
            continue
        if dll is None:
            continue
        entry = re.match(r"^\t[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if entry:
            imports.append((dll, entry.group(2)))
            continue
        ordinal = re.match(r"^\t[0-9a-f]+\s+<none>\s+([0-9a-f]+)", line)
        if ordinal:
            imports.append((dll, "#" + ordinal.group(1)))
    return imports


def read_allow_list(path):
    allowed = set()
    for raw in open(path, encoding="utf-8"):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        fields = line.split()
        if len(fields) != 2:
            fail(f"{path}: not 'dll function': {raw.rstrip()}")
        allowed.add((fields[0].lower(), fields[1]))
    return allowed


def check_imports(objdump, exe, allow_list):
    imports = imported_functions(objdump_private_headers(objdump, exe))
    if not imports:
        fail("no import table found; the objdump output was not understood")
    allowed = read_allow_list(allow_list)
    foreign_allowed = sorted({dll for dll, _ in allowed} - WINDOWS_DLLS)
    if foreign_allowed:
        fail("the allow-list names DLLs that are not Windows' own: " + ", ".join(foreign_allowed))
    dlls = sorted({dll for dll, _ in imports})
    print(f"{len(imports)} functions from {len(dlls)} DLLs: {', '.join(dlls)}")
    foreign = [dll for dll in dlls if dll not in WINDOWS_DLLS]
    if foreign:
        fail("imports from DLLs that are not Windows' own: " + ", ".join(foreign))
    missing = sorted(entry for entry in imports if entry not in allowed)
    if missing:
        fail("imports not on the allow-list (check each one's minimum Windows version "
             "before adding it):\n  " + "\n  ".join(f"{d} {f}" for d, f in missing))
    print("every import is on the allow-list")


def header_field(dump, name):
    found = re.search(r"^" + re.escape(name) + r"\s+(\S+)", dump, re.MULTILINE)
    if not found:
        fail(f"no {name} in the PE header dump")
    return found.group(1)


def check_header(objdump, exe):
    dump = objdump_private_headers(objdump, exe)
    if "file format pei-i386" not in dump:
        fail("not a 32-bit x86 Windows program")
    if "(Windows GUI)" not in dump:
        fail("not a windowed (GUI subsystem) program")
    # objdump shows a zero time stamp as the start of 1970.
    stamp = re.search(r"^Time/Date\s+(.*)$", dump, re.MULTILINE)
    if not stamp or "1970" not in stamp.group(1):
        fail(f"the PE header carries a link time; builds would differ")
    for major, minor in (("MajorOSystemVersion", "MinorOSystemVersion"),
                         ("MajorSubsystemVersion", "MinorSubsystemVersion")):
        version = (int(header_field(dump, major)), int(header_field(dump, minor)))
        print(f"{major[5:]}: {version[0]}.{version[1]}")
        if version > (5, 1):
            fail(f"{major[5:]} {version[0]}.{version[1]} is newer than Windows XP (5.1)")
    print("no link time in the header")


def check_size(exe, limit):
    size = os.path.getsize(exe)
    print(f"{size} bytes ({size / 1024:.1f} KiB), limit {int(limit)} bytes")
    if size > int(limit):
        fail(f"the program file is {size - int(limit)} bytes over the limit")


def check_map(map_file):
    members = set(re.findall(r"libstdc\+\+\.a\(([^)]+)\)", open(map_file, encoding="utf-8").read()))
    if not members:
        fail("no libstdc++ members in the map; the map was not understood")
    unwanted = sorted(m for m in members if UNWANTED_LIBSTDCXX.search(m))
    print(f"{len(members)} libstdc++ members linked: {', '.join(sorted(members))}")
    if unwanted:
        fail("iostreams or locale parts of the C++ library are linked in: " + ", ".join(unwanted))


def main(argv):
    commands = {
        "imports": (check_imports, 3),
        "header": (check_header, 2),
        "size": (check_size, 2),
        "map": (check_map, 1),
    }
    if len(argv) < 2 or argv[1] not in commands or len(argv) - 2 != commands[argv[1]][1]:
        print(__doc__)
        return 2
    function, _ = commands[argv[1]]
    function(*argv[2:])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
