#!/usr/bin/env bash
# Makes the release archive with CPack and checks what it holds: the program file
# (the very bytes just built) and the README, under one folder named like the
# archive.
#
#   check_package.sh BUILD_DIR PROGRAM README VERSION
set -euo pipefail

build=$1
program=$2
readme=$3
version=$4
name="QuorvaneMarquelleXP-$version-win32"
out="$build/tests/release/package"

rm -rf "$out"
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 ||
    { cat "$out.log"; exit 1; }
archive="$out/$name.zip"
[ -f "$archive" ] || { echo "FAIL: no $name.zip; made: $(ls "$out")"; exit 1; }

python3 - "$archive" "$name" "$program" "$readme" <<'PY'
import sys, zipfile
archive, name, program, readme = sys.argv[1:]
with zipfile.ZipFile(archive) as z:
    entries = sorted(i.filename for i in z.infolist() if not i.is_dir())
    for i in z.infolist():
        print(f"{i.file_size:>9}  {i.filename}")
    expected = sorted([f"{name}/Quorvane Marquelle XP.exe", f"{name}/README.md"])
    if entries != expected:
        sys.exit(f"FAIL: the archive holds {entries}, not {expected}")
    if z.read(f"{name}/Quorvane Marquelle XP.exe") != open(program, "rb").read():
        sys.exit("FAIL: the archived program differs from the one built")
    if z.read(f"{name}/README.md") != open(readme, "rb").read():
        sys.exit("FAIL: the archived README differs from the repository's")
print("archive holds the program and the README")
PY
