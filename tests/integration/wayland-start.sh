#!/bin/sh
# The built program under a headless Wayland compositor with no X server, xterm the only terminal: the
# first start's listing run completes, the window comes up and SIGTERM ends the program cleanly with its
# settings saved. Once with DISPLAY unset (no terminal can open, none is tried) and once with DISPLAY
# naming no server (xterm is tried, ends at once, and the listing runs without it).
# Usage: wayland-start.sh <vantorkorb> <korb-sim>. Exits 77 (skipped) only when weston cannot start here.
set -u
program=$(realpath "$1")
emulator=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/vk-wayland-XXXXXX") || exit 1
weston=
cleanup() {
    [ -n "$weston" ] && kill "$weston" 2>/dev/null && wait "$weston" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

skip() {
    echo "SKIPPED: weston cannot start a headless compositor here: $1"
    [ -f "$work/weston.log" ] && tail -n 5 "$work/weston.log"
    exit 77
}
fail() {
    echo "FAILED: $1"
    for log in "$work"/emu*/program.log; do
        [ -f "$log" ] && { echo "--- $log"; tail -n 20 "$log"; }
    done
    exit 1
}

# A child that has ended but is not yet waited for still answers kill -0.
running() {
    [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"
}

command -v weston >/dev/null 2>&1 || skip "weston is not installed"
runtime=$work/runtime
mkdir -m 700 "$runtime"
socket=wayland-vk
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston=$!
i=0
while [ ! -S "$runtime/$socket" ]; do
    running "$weston" || { weston=; skip "it ended at once"; }
    [ $i -ge 150 ] && skip "no socket after 15 seconds"
    i=$((i + 1))
    sleep 0.1
done

# xterm alone, and as the Debian alternative; a stand-in that fails as xterm does when it is not installed.
mkdir "$work/bin"
if real=$(command -v xterm); then
    ln -s "$real" "$work/bin/xterm"
else
    printf '#!/bin/sh\necho "xterm: DISPLAY is not set" >&2\nexit 1\n' >"$work/bin/xterm"
    chmod +x "$work/bin/xterm"
fi
ln -s xterm "$work/bin/x-terminal-emulator"

names=$("$emulator" -list | tr -d '\r' | sed '1,/games:/d' | tr ' \t' '\n\n' | grep -v '^$')
[ -n "$names" ] || fail "the stand-in emulator lists no games"

# One first start in a fresh emulator folder; $1 names it, the rest is the environment change.
first_start() {
    emu=$work/$1
    shift
    mkdir "$emu"
    cp "$emulator" "$emu/korb.exe"
    {
        printf 'Korb readme\r\nGame name                Internal name\r\n'
        for name in $names; do printf 'THE GAME %s      %s\r\n' "$name" "$name"; done
    } >"$emu/Readme.txt"
    # In a sanitized build the Wayland client libraries, loaded and unloaded by Qt's plugin, leave
    # leaks that no suppression can name; the tests under X check the program's own.
    (cd "$emu" && exec env -u DISPLAY "$@" PATH="$work/bin:$PATH" XDG_RUNTIME_DIR="$runtime" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland XDG_CONFIG_HOME="$work/config" \
        "$program" >program.log 2>&1) &
    pid=$!
    i=0
    until grep -q 'games:' "$emu/listinfo.txt" 2>/dev/null; do
        running $pid || fail "$emu: the program ended before its listing run completed"
        [ $i -ge 600 ] && { kill -KILL $pid; fail "$emu: no listing after 60 seconds"; }
        i=$((i + 1))
        sleep 0.1
    done
    # The window is made after the listing is read; the program must still be there a while later.
    sleep 3
    running $pid || fail "$emu: the program ended by itself"
    kill -TERM $pid
    i=0
    while running $pid; do
        [ $i -ge 300 ] && { kill -KILL $pid; fail "$emu: still running 30 seconds after SIGTERM"; }
        i=$((i + 1))
        sleep 0.1
    done
    wait $pid
    status=$?
    [ $status -eq 0 ] || fail "$emu: exit status $status after SIGTERM"
    for name in $names; do
        grep -q "^\\[$name\\]" "$emu/Vantorkorb.ini" 2>/dev/null || fail "$emu: $name was not saved"
    done
}

first_start emu-wayland-only
first_start emu-no-x-server DISPLAY=:1999
echo "passed: $(echo "$names" | wc -l) games listed and saved in both starts"
