#!/usr/bin/env bash
# Runs the program on the build tree's virtual display and saves a PNG of its
# main window.
#
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT.png]
#
# BUILD_DIR defaults to build/win32 (configured with the win32 preset if new; on a
# machine that cannot run 32-bit programs, build/win64 and the win64 preset),
# OUTPUT to BUILD_DIR/main-window.png. Builds the program if needed; stops the
# program, and the virtual display too if this script started it.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)

preset=$(tools/windows-preset.sh)
build=$(mkdir -p "${1:-build/$preset}" && cd "${1:-build/$preset}" && pwd)
output=${2:-$build/main-window.png}
caption="Quorvane Marquelle XP"
exe="$build/app/$caption.exe"
wine_root="$build/wine"

[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" --target qm_app -j2 >/dev/null

# Leave the display running afterwards only if it was running before.
started_display=
if ! tools/wine-env.sh alive "$wine_root"; then
    started_display=1
fi
eval "$(tools/wine-env.sh env "$wine_root")"

# Processes started by pid, children before parents (the Wine desktop starts the
# program as its child).
descendants() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do
        descendants "$child"
        echo "$child"
    done
}

program=
cleanup() {
    if [ -n "$program" ]; then
        for pid in $(descendants "$program") "$program"; do
            kill "$pid" 2>/dev/null || true
        done
        wait "$program" 2>/dev/null || true
    fi
    if [ -n "$started_display" ]; then
        "$source_dir/tools/wine-env.sh" down "$wine_root"
    fi
}
trap cleanup EXIT

# A Wine desktop of its own, so that Wine draws the frame (the virtual display has
# no window manager) and no other program's window shares the picture.
wine explorer "/desktop=qm-screenshot,1280x1024" "$exe" </dev/null >/dev/null 2>&1 &
program=$!

# The X window that carries the caption; wait until it is mapped and painted.
window=
for _ in $(seq 1 150); do
    window=$(xwininfo -root -tree 2>/dev/null |
        awk -v name="\"$caption\"" 'index($0, name) { print $1; exit }')
    if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q 'IsViewable'; then
        break
    fi
    window=
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "screenshot: the program's window did not appear" >&2
    exit 1
fi
# The pointer goes to a corner, so that no tool tip shows in the picture.
python3 - <<'PY'
import ctypes, os
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2 + [
    ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_int]
display = x11.XOpenDisplay(os.environ["DISPLAY"].encode())
if display:
    x11.XWarpPointer(display, 0, x11.XDefaultRootWindow(display), 0, 0, 0, 0, 1, 1)
    x11.XCloseDisplay(ctypes.c_void_p(display))
PY
sleep 1.5

# The whole screen, cropped to the window with its frame.
geometry=$(xwininfo -id "$window" | awk '
    /Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF }
    /^ *Height:/ { h = $NF }
    END { printf "%dx%d+%d+%d", w, h, x, y }')
mkdir -p "$(dirname "$output")"
import -display "$DISPLAY" -window root -crop "$geometry" +repage "$output"
echo "$output"
