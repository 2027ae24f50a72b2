#!/usr/bin/env bash
# Times VantorKorb's close in a real window under Xvfb and openbox (when installed), at a large generated catalogue: once right
# after the start, once after a session of selections, searches and header sorts in Details.
# The close is timed from the close request to the window gone, and to the process ended.
# Usage: bench/close-after-session.sh [build folder] [games] [runs]   (defaults: build, 100000, 3)
# The games of the first names in the name order get pictures and music from a demo folder, so that each
# selection loads them.
# SHOT=file.png keeps a picture of the screen after the session; DIRTY_MB=n adds a close with n MB written
# just before it and not yet on the disk; SDL_AUDIODRIVER=disk plays the music into a file, as a sound
# card would (without a device the music stays off).
# WRITE_BPS=n lets the disk write only n bytes a second, as a slow or busy one would (root, cgroup v1's
# blkio throttle; the whole machine is slowed until the script ends).
# ERRLOG=file keeps the program's error output. The header clicks are placed for the layout under openbox;
# without it the window lays out a few pixels higher and they select the first row instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
games=${2:-100000}
runs=${3:-3}
for tool in xdotool Xvfb python3; do
    command -v "$tool" >/dev/null || { echo "close-after-session needs $tool" >&2; exit 1; }
done
exe=$build/vantorkorb
source=$build/large-$games
media=$build/close-media
work=$build/close-$games-run

[ -f "$source/Readme.txt" ] || python3 bench/large-folder.py "$source" "$games"
[ -f "$media/Readme.txt" ] || "$build/tools/korb-demo" "$media" >/dev/null

xvfb_pid="" wm_pid=""
for n in $(seq 120 160); do [ -e /tmp/.X$n-lock ] || break; done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 0.5
fi
throttle=/sys/fs/cgroup/blkio/blkio.throttle.write_bps_device disk=""
if [ -n "${WRITE_BPS:-}" ]; then
    [ -w "$throttle" ] || { echo "WRITE_BPS needs root and cgroup v1's blkio" >&2; exit 1; }
    part=$(findmnt -no SOURCE -T "$build")
    parent=$(lsblk -no PKNAME "$part" | head -n 1)
    [ -z "$parent" ] || part=/dev/$parent
    disk=$(lsblk -dno MAJ:MIN "$part" | tr -d ' ')
    echo "$disk $WRITE_BPS" >"$throttle"
fi
trap 'kill $wm_pid $xvfb_pid 2>/dev/null; [ -z "$disk" ] || echo "$disk 0" >"$throttle"; true' EXIT

now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
wait_idle() {
    local ticks t polls=0
    ticks=$(cpu_ticks "$1")
    while [ "$polls" -lt 20 ]; do
        sleep 0.01
        t=$(cpu_ticks "$1")
        if [ "$t" != "$ticks" ]; then ticks=$t polls=0; else polls=$((polls + 1)); fi
    done
}

prepare() {
    rm -rf "$work"
    cp -a "$source" "$work"
    python3 - "$work" "$media" <<'EOF'
import os, shutil, sys
work, media = sys.argv[1], sys.argv[2]
rows = [line for line in open(work + "/Readme.txt", newline="").read().split("\r\n")[3:] if line.strip()]
names = sorted({line[:40].strip().upper() for line in rows})[:4]
chosen = [line[40:].strip() for line in rows if line[:40].strip().upper() in names]
for folder in ("Titles", "Gameplay", "Flyers", "Cabinets", "Sound"):
    files = sorted(os.listdir(os.path.join(media, folder)))
    stems = sorted({f.split(".")[0] for f in files})
    os.makedirs(os.path.join(work, folder), exist_ok=True)
    for i, zip_name in enumerate(chosen):
        stem = stems[i % len(stems)]
        for f in files:
            if f.split(".")[0] == stem:
                shutil.copy(os.path.join(media, folder, f), os.path.join(work, folder, zip_name + f[len(stem):]))
EOF
    # The first start writes the main settings file; the session runs in Details.
    start_window
    close_window >/dev/null
    sed -i 's/^Large=.*/Large=0\r/; s/^Details=.*/Details=1\r/; s/^State=.*/State=0\r/' "$work/Vantorkorb.ini"
    sed -i 's/^Width=.*/Width=1200\r/; s/^Height=.*/Height=800\r/; s/^GLPWidth=.*/GLPWidth=560\r/' "$work/Vantorkorb.ini"
    sync
}

start_window() {
    cd "$work"
    "$exe" >/dev/null 2>>"${ERRLOG:-/dev/null}" &
    pid=$!
    cd - >/dev/null
    until window=$(xdotool search --onlyvisible --name "of $games games" 2>/dev/null | head -n 1); do
        kill -0 "$pid" 2>/dev/null || { echo "VantorKorb ended before its window showed" >&2; exit 1; }
        sleep 0.01
    done
    wait_idle "$pid"
}

# Prints seconds from the close request to the window gone and to the process ended.
close_window() {
    local asked gone
    asked=$(now)
    if [ -n "$wm_pid" ]; then
        xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    else
        # Without a window manager nothing turns alt+F4 into a close; the program closes alike on SIGTERM.
        kill -TERM "$pid"
    fi
    while xdotool search --onlyvisible --name "of $games games" >/dev/null 2>&1; do sleep 0.002; done
    gone=$(now)
    wait "$pid" 2>/dev/null || true
    awk -v a="$asked" -v g="$gone" -v e="$(now)" 'BEGIN { printf "window gone %.3f s  ended %.3f s\n", g - a, e - a }'
}

session() {
    local i
    if [ -n "$wm_pid" ]; then xdotool windowactivate --sync "$window"; else xdotool windowfocus --sync "$window"; fi
    for i in $(seq 1 100); do
        xdotool key Down
        sleep 0.03
    done
    for i in $(seq 1 20); do
        xdotool type --delay 20 "super pac"
        sleep 0.05
        xdotool key Escape
        sleep 0.05
    done
    # The header row of Details at 1x: Name, Zipname, Zipdate and Played.
    for i in $(seq 1 20); do
        xdotool mousemove --window "$window" $((60 + (i % 4) * 110)) 93 click 1
        sleep 0.1
    done
    wait_idle "$pid"
}

for _ in $(seq "$runs"); do
    prepare
    start_window
    printf "right after the start:  "
    close_window
    start_window
    session
    [ -n "${SHOT:-}" ] && import -window root "$SHOT"
    printf "after a session:        "
    close_window
    if [ -n "${DIRTY_MB:-}" ]; then
        start_window
        dd if=/dev/urandom of="$build/close-dirty" bs=1M count="$DIRTY_MB" status=none
        printf "after %s MB written:    " "$DIRTY_MB"
        close_window
        rm -f "$build/close-dirty"
    fi
done
