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
echo "== win32 tests (under Wine)"
ctest --preset win32 -j "$jobs" || status=1
exit $status
