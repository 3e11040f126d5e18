#!/usr/bin/env bash
# The private Wine world of one build tree: a 32-bit prefix made once, a virtual
# X display and a persistent wineserver started once per test run.
#
#   wine-env.sh up   ROOT        make the prefix if missing, start Xvfb and wineserver
#   wine-env.sh down ROOT        stop this tree's wineserver and Xvfb
#   wine-env.sh run  ROOT EXE..  run a Windows program in that world
#   wine-env.sh env  ROOT        print the variables, for a shell: eval "$(wine-env.sh env ROOT)"
#
# QM_WINEARCH (win32 by default) chooses the prefix kind; win64 gets its own folder.
set -euo pipefail

command=$1
root=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

arch=${QM_WINEARCH:-win32}
export WINEARCH=$arch
export WINEPREFIX="$root/prefix-$arch"
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs: nothing is downloaded.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
state="$root/state-$arch"
mkdir -p "$state"

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

up() {
    exec 9>"$state/lock"
    flock 9
    display_alive || start_display
    export DISPLAY=":$(tr -d '\n' <"$state/display")"
    if [ ! -f "$WINEPREFIX/.qm-ready" ]; then
        rm -rf "$WINEPREFIX"
        setsid wineboot -i </dev/null >/dev/null 2>&1 9>&-
        setsid wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
        touch "$WINEPREFIX/.qm-ready"
    fi
    if [ ! -f "$WINEPREFIX/.qm-unmanaged" ]; then
        # With no window manager on the virtual display, Wine waits two seconds
        # for one at every hide; unmanaged windows skip that wait.
        setsid wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >/dev/null 2>&1 9>&- || true
        touch "$WINEPREFIX/.qm-unmanaged"
    fi
    # A persistent server, detached from the test runner's pipes and our lock.
    setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
    # Start Wine's own services now, detached, so that no test's process starts them.
    setsid wineboot </dev/null >/dev/null 2>&1 9>&- || true
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
env)
    display_alive || up
    printf 'export WINEARCH=%q WINEPREFIX=%q WINEDEBUG=-all WINEDLLOVERRIDES=%q DISPLAY=:%s\n' \
        "$WINEARCH" "$WINEPREFIX" "$WINEDLLOVERRIDES" "$(tr -d '\n' <"$state/display")"
    ;;
run)
    display_alive && [ -f "$WINEPREFIX/.qm-ready" ] || up
    export DISPLAY=":$(tr -d '\n' <"$state/display")"
    # Wine may leave helper processes behind (services, the desktop) that keep
    # whatever output they inherited open; they get files, never the caller's pipes.
    out=$(mktemp "$state/out.XXXXXX")
    err=$(mktemp "$state/err.XXXXXX")
    status=0
    wine "$@" <&0 >"$out" 2>"$err" || status=$?
    cat "$out"
    cat "$err" >&2
    rm -f "$out" "$err"
    exit $status
    ;;
*)
    echo "usage: $0 up|down|run|env ROOT ..." >&2
    exit 2
    ;;
esac
