#!/usr/bin/env bash
# The private Wine worlds of one build tree: prefixes made once, a virtual X
# display and a persistent wineserver started once per test run.
#
#   wine-env.sh up     ROOT        make the prefix if missing, start Xvfb and wineserver
#   wine-env.sh down   ROOT        stop this prefix's wineserver and Xvfb
#   wine-env.sh run    ROOT EXE..  run a Windows program in that world
#   wine-env.sh env    ROOT        print the variables, for a shell: eval "$(wine-env.sh env ROOT)"
#   wine-env.sh alive  ROOT        succeed when the prefix's virtual display is running
#   wine-env.sh here   ROOT EXE..  make the prefix if missing and run a program on the
#                                  current $DISPLAY, without a virtual one
#
# A prefix is chosen by two variables and gets a folder of its own:
#   QM_WINEARCH     win32 or win64 (default win32, or win64 where the machine cannot
#                   run 32-bit programs)
#   QM_WINEVERSION  the Windows version Wine reports: winxp, winxp64, win7, win10
#                   (default winxp on win32, win10 on win64)
# Nothing is inherited from the host: every prefix has its Windows version, its
# dialog face and its caption-button font set here, whatever fonts Linux has.
set -euo pipefail

command=$1
root=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

# Some kernels have no 32-bit mode at all (exec answers "Exec format error"):
# there the 32-bit loader cannot start, and only 64-bit prefixes work.
runs_32bit_programs() { [ "$("$(dirname "$0")/windows-preset.sh")" = win32 ]; }

if [ -n "${QM_WINEARCH:-}" ]; then
    arch=$QM_WINEARCH
elif runs_32bit_programs; then
    arch=win32
else
    arch=win64
fi
if [ "$arch" = win64 ]; then
    version=${QM_WINEVERSION:-win10}
else
    version=${QM_WINEVERSION:-winxp}
fi
export WINEARCH=$arch
export WINEPREFIX="$root/prefix-$arch-$version"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs: nothing is downloaded.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
state="$root/state-$arch-$version"
mkdir -p "$state"

wine=wine
if ! runs_32bit_programs; then
    if [ "$arch" = win32 ]; then
        echo "wine-env: this machine cannot run 32-bit programs, so it has no 32-bit Wine;" \
            "use a 64-bit prefix (QM_WINEARCH=win64) and the win64 build's programs" >&2
        exit 1
    fi
    # Debian's wine script always picks the 32-bit loader when it is installed.
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
fi

# The settings every prefix gets; a new stamp name makes existing prefixes take
# a changed recipe.
settings_stamp="$WINEPREFIX/.qm-settings-2"
wine_fonts=/usr/share/wine/fonts

display_alive() {
    [ -s "$state/display" ] && [ -s "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_display() {
    rm -f "$state/display"
    # -displayfd picks a free display and writes its number once the server listens.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac \
        3>"$state/display" </dev/null >/dev/null 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 1 100); do
        [ -s "$state/display" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

# Pins what Wine would otherwise take from the host or from its own defaults.
apply_settings() {
    local font
    for font in sserife.fon marlett.ttf tahoma.ttf tahomabd.ttf; do
        if [ ! -f "$wine_fonts/$font" ]; then
            echo "wine-env: $wine_fonts/$font is missing; install Debian's fonts-wine (tools/setup.sh does)" >&2
            exit 1
        fi
        cp "$wine_fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    local substitutes='Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    # "MS Shell Dlg" is MS Sans Serif, as on Windows XP, for 32- and 64-bit programs.
    # With no window manager on the virtual display, Wine waits two seconds for one
    # at every hide; unmanaged windows skip that wait. A program that crashes gets
    # its backtrace written out and ends, instead of waiting behind a crash dialog
    # that nobody sees until the test runner gives up on it.
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine]' "\"Version\"=\"$version\"" '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
        "[HKEY_LOCAL_MACHINE\\Software\\$substitutes]" '"MS Shell Dlg"="MS Sans Serif"' '' \
        "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\$substitutes]" \
        '"MS Shell Dlg"="MS Sans Serif"' '' >"$state/settings.reg"
    setsid "$wine" reg import "$(winepath_of "$state/settings.reg")" </dev/null >/dev/null 2>&1 9>&-
    # Every process started after this reads the new settings.
    setsid wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
    touch "$settings_stamp"
}

# Wine shows the Linux file system as drive Z:.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

make_prefix() {
    if [ ! -f "$WINEPREFIX/.qm-ready" ]; then
        rm -rf "$WINEPREFIX"
        setsid "$wine" wineboot -i </dev/null >/dev/null 2>&1 9>&-
        setsid wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
        touch "$WINEPREFIX/.qm-ready"
    fi
    [ -f "$settings_stamp" ] || apply_settings
}

up() {
    exec 9>"$state/lock"
    flock 9
    display_alive || start_display
    export DISPLAY=":$(tr -d '\n' <"$state/display")"
    make_prefix
    # A persistent server, detached from the test runner's pipes and our lock.
    setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
    # Start Wine's own services now, detached, so that no test's process starts them.
    setsid "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
    flock -u 9
}

down() {
    setsid wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -s "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

case $command in
up) up ;;
down) down ;;
alive) display_alive ;;
here)
    (
        flock 9
        make_prefix
    ) 9>"$state/lock"
    exec "$wine" "$@"
    ;;
env)
    display_alive || up
    printf 'export WINEARCH=%q WINEPREFIX=%q WINEDEBUG=-all WINEDLLOVERRIDES=%q DISPLAY=:%s\n' \
        "$WINEARCH" "$WINEPREFIX" "$WINEDLLOVERRIDES" "$(tr -d '\n' <"$state/display")"
    if [ -n "${WINELOADER:-}" ]; then
        printf 'export WINELOADER=%q\nwine() { %q "$@"; }\n' "$WINELOADER" "$WINELOADER"
    fi
    ;;
run)
    display_alive && [ -f "$settings_stamp" ] || up
    export DISPLAY=":$(tr -d '\n' <"$state/display")"
    # Wine may leave helper processes behind (services, the desktop) that keep
    # whatever output they inherited open; they get files, never the caller's pipes.
    # The files are passed on as they grow, so a program that hangs until the test
    # runner kills it still shows how far it came.
    out=$(mktemp "$state/out.XXXXXX")
    err=$(mktemp "$state/err.XXXXXX")
    run_program() {
        "$wine" "$@" <&0 >"$out" 2>"$err" &
        local program=$! out_tail err_tail
        tail -s 0.05 -n +1 -f --pid="$program" "$out" &
        out_tail=$!
        tail -s 0.05 -n +1 -f --pid="$program" "$err" >&2 &
        err_tail=$!
        status=0
        wait "$program" || status=$?
        wait "$out_tail" "$err_tail" || true
    }
    run_program "$@"
    # Every program run here prints something first. A failure with no output at
    # all means Wine could not start it (its own messages are switched off), which
    # happens now and then on a loaded machine: say so, and start it once more.
    if [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
        echo "wine-env: Wine did not start $1 (status $status, nothing printed); starting it again" >&2
        run_program "$@"
    fi
    rm -f "$out" "$err"
    exit $status
    ;;
*)
    echo "usage: $0 up|down|run|env|alive|here ROOT ..." >&2
    exit 2
    ;;
esac
