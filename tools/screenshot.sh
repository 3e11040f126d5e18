#!/usr/bin/env bash
# Runs the program on the build tree's virtual display and saves a PNG of each of
# its three windows: main-window.png, picture-browser.png (open on a folder of
# sample bitmaps, previewing one) and about-window.png.
#
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT_DIR]
#
# BUILD_DIR defaults to build/win32 (configured with the win32 preset if new; on a
# machine that cannot run 32-bit programs, build/win64 and the win64 preset),
# OUTPUT_DIR to BUILD_DIR. The prefix is the tests' own, with the fonts the windows
# are made for. Builds what it needs; stops the program, and the virtual display
# too if this script started it.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)

preset=$(tools/windows-preset.sh)
build=$(mkdir -p "${1:-build/$preset}" && cd "${1:-build/$preset}" && pwd)
output_dir=$(mkdir -p "${2:-$build}" && cd "${2:-$build}" && pwd)
exe="$build/app/Quorvane Marquelle XP.exe"
driver="$build/tools/screenshot/window_driver.exe"
wine_root="$build/wine"

[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" --target qm_app window_driver dialog_face_check -j2 >/dev/null

# Leave the display running afterwards only if it was running before.
started_display=
if ! tools/wine-env.sh alive "$wine_root"; then
    started_display=1
fi
eval "$(tools/wine-env.sh env "$wine_root")"
# A picture drawn with the host's fonts would not show what Windows shows.
if ! face=$(tools/wine-env.sh run "$wine_root" "$build/tests/wine/dialog_face_check.exe"); then
    echo "$face" >&2
    exit 1
fi

# A folder of sample logos for the picture browser, C:\Logos, drawn without any font.
logos="$WINEPREFIX/drive_c/Logos"
mkdir -p "$logos"
convert -size 172x100 gradient:'#123f73-#8cc4f0' -fill white -draw 'circle 40,50 40,20' \
    -fill '#f2b134' -draw 'rectangle 90,28 150,72' "BMP3:$logos/harbour-blue.bmp"
convert -size 172x100 gradient:'#f6d365-#fda085' -fill '#5b2a86' \
    -draw 'polygon 20,85 86,15 152,85' "BMP3:$logos/sunrise.bmp"
convert -size 172x100 pattern:checkerboard -fill '#2e7d32' -draw 'roundrectangle 30,25 142,75 12,12' \
    "BMP3:$logos/workshop.bmp"

# Processes started by pid, children before parents (the Wine desktop starts the
# program as its child).
descendants() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do
        descendants "$child"
        echo "$child"
    done
}

# Runs a program in this shot's Wine desktop: a window in another desktop is
# invisible to it, so the driver runs there too.
in_desktop() {
    wine explorer "/desktop=qm-screenshot-$shots,1280x1024" "$@" </dev/null >/dev/null 2>&1
}

program=
stop_program() {
    if [ -n "$program" ]; then
        in_desktop "$driver" close || true
        for _ in $(seq 1 50); do
            kill -0 "$program" 2>/dev/null || break
            sleep 0.1
        done
        for pid in $(descendants "$program") "$program"; do
            kill "$pid" 2>/dev/null || true
        done
        wait "$program" 2>/dev/null || true
        program=
    fi
}
cleanup() {
    stop_program
    if [ -n "$started_display" ]; then
        "$source_dir/tools/wine-env.sh" down "$wine_root"
    fi
}
trap cleanup EXIT

# The X window that carries a caption, once it is mapped.
mapped_window() {
    local caption=$1 window
    for _ in $(seq 1 150); do
        window=$(xwininfo -root -tree 2>/dev/null |
            awk -v name="\"$caption\"" 'index($0, name) { print $1; exit }')
        if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q 'IsViewable'; then
            echo "$window"
            return 0
        fi
        sleep 0.2
    done
    echo "screenshot: the window \"$caption\" did not appear" >&2
    return 1
}

# shoot OUTPUT CAPTION [DRIVER ARGS...]: starts the program, lets the driver open
# the window with that caption, and saves it with its frame.
shots=0
shoot() {
    local output=$1 caption=$2
    shift 2
    shots=$((shots + 1))
    # A Wine desktop of its own, so that Wine draws the frame (the virtual display
    # has no window manager) and no other program's window shares the picture. The
    # program starts in the folder of sample logos, where the browser opens.
    (cd "$logos" && in_desktop "$exe") &
    program=$!
    mapped_window "Quorvane Marquelle XP" >/dev/null
    if [ $# -gt 0 ]; then
        in_desktop "$driver" "$@"
    fi
    local window
    window=$(mapped_window "$caption")
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
    local geometry
    geometry=$(xwininfo -id "$window" | awk '
        /Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { printf "%dx%d+%d+%d", w, h, x, y }')
    import -display "$DISPLAY" -window root -crop "$geometry" +repage "$output"
    stop_program
    echo "$output"
}

shoot "$output_dir/main-window.png" "Quorvane Marquelle XP"
shoot "$output_dir/picture-browser.png" "Marquelle XP Picture Browser" browser 0
shoot "$output_dir/about-window.png" "About Quorvane Marquelle XP" about
