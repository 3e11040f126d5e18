#!/usr/bin/env bash
# Runs every benchmark under Wine with its full counts and prints a Markdown
# table of the figures, as the README shows them; the harnesses' own output goes
# to BUILD_DIR/bench.log.
#
#   tools/bench.sh [BUILD_DIR]
#
# BUILD_DIR defaults to build/win32 (configured with the win32 preset if new; on a
# machine that cannot run 32-bit programs, build/win64 and the win64 preset).
# Each benchmark times a part of the program against a floor measured in the same
# run, the two alternating; the figures are medians. Other work on the machine
# widens the spread, so run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)

tools/setup.sh
preset=$(tools/windows-preset.sh)
build=${1:-build/$preset}
[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target qm_app startup_floor startup_bench big_folder_bench \
    preview_bench large_picture_bench >/dev/null
build=$(cd "$build" && pwd)
wine_root="$build/wine"
log="$build/bench.log"

# Leave the virtual display running afterwards only if it was running before.
started_display=
if ! tools/wine-env.sh alive "$wine_root"; then
    started_display=1
fi
cleanup() {
    if [ -n "$started_display" ]; then
        "$source_dir/tools/wine-env.sh" down "$wine_root"
    fi
}
trap cleanup EXIT
tools/wine-env.sh up "$wine_root"

harness() {
    local name=$1
    shift
    echo "bench: $name..." >&2
    tools/wine-env.sh run "$wine_root" "$build/bench/$name.exe" "$@" 2>>"$log.err" ||
        echo "bench: $name failed; see $log.err" >&2
}

: >"$log"
: >"$log.err"
{
    harness startup_bench --runs 31 "$build/app/Quorvane Marquelle XP.exe" \
        "$build/bench/startup_floor.exe"
    harness big_folder_bench --files 10000 --folders 1000 --runs 11
    harness preview_bench --pictures 1000 --runs 11
    harness large_picture_bench --width 6000 --height 4000
} >>"$log"

size=$(stat -c %s "$build/app/Quorvane Marquelle XP.exe")
python3 - "$log" "$size" <<'PY'
import re, sys

log, size = sys.argv[1], int(sys.argv[2])
lines = {}
for line in open(log, encoding="utf-8", errors="replace"):
    parts = line.split()
    if not parts or " run=" in line:
        continue
    fields = dict(p.split("=", 1) for p in parts[1:] if "=" in p)
    lines.setdefault(parts[0], {}).update(fields)

def get(name, key, default="?"):
    return lines.get(name, {}).get(key, default)

def num(name, key, digits=1):
    value = get(name, key)
    try:
        return f"{float(value):.{digits}f}"
    except ValueError:
        return value

rows = [("Benchmark (Wine 8, this machine)", "Program", "Floor", "Ratio", "Target", "Met")]
s = "startup"
rows.append((f"Start-up to a painted, idle main window (median of {get(s, 'runs')})",
             f"{num(s, 'median_measured_ms')} ms", f"{num(s, 'median_floor_ms')} ms",
             num(s, "ratio", 2), "≤ 1.10", get(s, "met")))
m = "startup_memory"
rows.append(("Start-up peak working set", f"{num(m, 'median_program_peak_mib')} MiB",
             f"{num(m, 'median_floor_peak_mib')} MiB", f"+{num(m, 'difference_mib', 2)} MiB",
             "≤ floor + 2 MiB", get(m, "met")))
b = "big_folder"
rows.append((f"Folder change to {get(b, 'files')} .bmp names and {get(b, 'folders')} folders, "
             f"lists filled and painted (median of {get(b, 'runs')})",
             f"{num(b, 'median_measured_ms')} ms", f"{num(b, 'median_floor_ms')} ms",
             num(b, "ratio", 2), "≤ 2", get(b, "met")))
p = "preview"
rows.append((f"Preview by Down key through {get(p, 'pictures')} bitmaps of 172 × 100: the browser's "
             f"work per picture, selection to painted preview (median of {get(p, 'runs')})",
             f"{num(p, 'median_measured_ms_per_picture', 2)} ms",
             f"{num(p, 'median_floor_ms_per_picture', 2)} ms", num(p, "ratio", 2), "≤ 1.5",
             get(p, "met")))
k = "preview_key_step"
rows.append((f"… the whole key step, list and preview painted; floor with a bare list box "
             f"moved by the same key (median of {get(k, 'runs')})",
             f"{num(k, 'median_measured_ms_per_picture', 2)} ms",
             f"{num(k, 'median_floor_ms_per_picture', 2)} ms", num(k, "ratio", 2), "≤ 1.5",
             get(k, "met")))
l = "large_picture"
rows.append((f"{get(l, 'width')} × {get(l, 'height')} 24-bit bitmap: preview appears "
             f"({get(l, 'preview_appeared')}); peak working set above idle",
             f"{num(l, 'peak_above_idle_mib')} MiB", f"{num(l, 'decoded_mib')} MiB decoded",
             num(l, "ratio_to_decoded", 2), "≤ 1.5", get(l, "met")))
rows.append(("… held after the next picture is selected (private bytes)",
             f"{num(l, 'held_private_mib')} MiB", "", "", "0", get(l, "released")))
rows.append(("Program file, with its artwork", f"{size / 1024:.1f} KiB", "", "", "≤ 512 KiB",
             "yes" if size <= 512 * 1024 else "no"))

print("| " + " | ".join(rows[0]) + " |")
print("|" + "---|" * len(rows[0]))
for row in rows[1:]:
    print("| " + " | ".join(row) + " |")

print()
print("Where the time goes (same run):")
bd = lines.get("big_folder_breakdown", {})
if bd:
    print(f"- big folder: read it once for both lists, sorted, "
          f"{num('big_folder_breakdown', 'read_folder_ms')} ms; "
          f"fill and paint the file list {num('big_folder_breakdown', 'fill_and_paint_file_list_ms')} ms")
pd = lines.get("preview_breakdown", {})
if pd:
    print(f"- preview: decode {num('preview_breakdown', 'browser_decode_ms', 2)} ms "
          f"(LoadImageW {num('preview_breakdown', 'loadimage_ms', 2)} ms), "
          f"paint the preview {num('preview_breakdown', 'preview_paint_ms', 2)} ms, "
          f"a bare list box of the file list's size moving one line by key "
          f"{num('preview_breakdown', 'bare_list_key_ms', 2)} ms")
PY
