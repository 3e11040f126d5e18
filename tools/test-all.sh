#!/usr/bin/env bash
# Sets up, builds and runs every test: the native build under sanitizers, then
# the Windows build with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

status=0
echo "== native tests"
ctest --preset native -j "$jobs" || status=1
if [ "$(tools/windows-preset.sh)" = win32 ]; then
    echo "== win32 tests (under Wine)"
    ctest --preset win32 -j "$jobs" || status=1
else
    # This kernel cannot run 32-bit programs, so 32-bit Wine cannot start here.
    # The shipped file's own checks still run; every test that runs under Wine
    # runs in a 64-bit build of the same sources, under 64-bit Wine.
    echo "== win32 checks that need no Wine (this machine cannot run 32-bit programs)"
    ctest --preset win32 -j "$jobs" -LE wine || status=1
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 -j "$jobs"
    # A test program of this build now and then crashes inside Wine's ntdll
    # (a page fault, seen in the picture browser's window tests and not yet
    # explained); a test that fails is run once more and must pass then.
    echo "== win64 tests (under 64-bit Wine; a failing test is run once more)"
    ctest --preset win64 -j "$jobs" --repeat until-pass:2 || status=1
fi
exit $status
