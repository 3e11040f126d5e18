#!/usr/bin/env bash
# Builds the program and runs it under Wine.
#
# With a display ($DISPLAY set) the tool opens there, in a Wine prefix of its own
# (build/win32/wine-desktop), and this script returns when the tool ends. Without
# one it runs on a virtual display, saves screenshots of its windows, says where,
# and ends. On a machine that cannot run 32-bit programs it runs the win64 preset's
# build of the same sources (build/win64) in a 64-bit prefix.
#
# QM_BUILD_DIR chooses another build tree than the preset's own.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
preset=$(tools/windows-preset.sh)
build=${QM_BUILD_DIR:-build/$preset}
if [ "$build" = "build/$preset" ]; then
    cmake --preset "$preset" >/dev/null
else
    [ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
fi
cmake --build "$build" --target qm_app -j "$(nproc)" >/dev/null
exe="$(cd "$build" && pwd)/app/Quorvane Marquelle XP.exe"

if [ -z "${DISPLAY:-}" ]; then
    echo "No display here: the program ran on a virtual display. Screenshots of its windows:"
    tools/screenshot.sh "$build" "$build"
    exit 0
fi

# A prefix of the tests' kind (Windows XP, the fonts the windows are made for), made
# once in a folder of its own.
echo "Running $exe (the first run makes a Wine prefix, which takes a while)"
exec tools/wine-env.sh here "$build/wine-desktop" "$exe"
