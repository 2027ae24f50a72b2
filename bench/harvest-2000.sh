#!/bin/sh
# The harvest after a run that left 2,000 captures in pcx/ (five shots of the game exist already), three
# times: bench/harvest-2000.sh build
set -e
build=${1:-build}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for run in 1 2 3; do
    rm -rf "$folder/pcx" "$folder/Gameplay"
    mkdir -p "$folder/pcx" "$folder/Gameplay"
    i=0
    while [ $i -lt 2000 ]; do
        printf 'shot' >"$folder/pcx/korb$(printf %04d $i).pcx"
        i=$((i + 1))
    done
    for g in 0 1 2 3 4; do : >"$folder/Gameplay/game$(printf %04d $g).pcx"; done
    sync
    "$build/bench/bench_ShotMovesBench" harvest "$folder"
done
