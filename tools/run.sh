#!/usr/bin/env bash
# Builds the program and runs it under Wine.
#
# With a display ($DISPLAY set) the tool opens there, in a Wine prefix of its own
# (build/win32/wine-desktop), and this script returns when the tool ends. Without
# one it runs on a virtual display, saves a screenshot of the window, says where,
# and ends.
#
# QM_BUILD_DIR chooses another build tree than the win32 preset's build/win32.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
build=${QM_BUILD_DIR:-build/win32}
if [ "$build" = build/win32 ]; then
    cmake --preset win32 >/dev/null
else
    [ -f "$build/CMakeCache.txt" ] || cmake --preset win32 -B "$build" >/dev/null
fi
cmake --build "$build" --target qm_app -j "$(nproc)" >/dev/null
exe="$(cd "$build" && pwd)/app/Quorvane Marquelle XP.exe"

if [ -z "${DISPLAY:-}" ]; then
    shot="$build/main-window.png"
    tools/screenshot.sh "$build" "$shot" >/dev/null
    echo "No display here: the program ran on a virtual display."
    echo "Screenshot of its window: $(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")"
    exit 0
fi

export WINEARCH=win32
export WINEPREFIX="$(cd "$build" && pwd)/wine-desktop"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no menu entries in the desktop's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX (once)..."
    wineboot -i >/dev/null 2>&1
fi
echo "Running $exe"
wine "$exe"
