#!/usr/bin/env bash
# Builds the program twice, each time in a fresh build folder of its own, and
# compares the two files byte for byte.
#
#   reproducible_build.sh SOURCE_DIR TOOLCHAIN_FILE WORK_DIR
#
# Both builds compile one copy of the sources, taken once at the start, so an
# edit made meanwhile cannot tell them apart. Only the program and what it needs
# are built; the second build runs later and in a folder with another path, so
# any time or path that leaks into the file shows.
set -euo pipefail

source_dir=$1
toolchain=$2
work=$3
jobs=${QM_REPRODUCIBLE_JOBS:-2}
program="Quorvane Marquelle XP.exe"

rm -rf "$work"
mkdir -p "$work/source"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/source" -xf -

build() {
    local dir=$1
    cmake -S "$work/source" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=MinSizeRel >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" --target qm_app -j "$jobs" >"$dir.build.log" 2>&1 ||
        { cat "$dir.build.log"; return 1; }
}

start=$SECONDS
build "$work/first"
# A later clock and another path: neither may reach the file.
sleep 2
build "$work/second-build"
echo "two clean builds in $((SECONDS - start)) s"

first="$work/first/app/$program"
second="$work/second-build/app/$program"
if cmp "$first" "$second"; then
    echo "identical: $(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -d' ' -f1)"
    rm -rf "$work"
else
    echo "FAIL: the two builds differ; first differing bytes (offset, octal values):"
    cmp -l "$first" "$second" | head -20 || true
    exit 1
fi
