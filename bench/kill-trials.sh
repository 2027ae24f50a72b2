#!/bin/sh
# kill -9 in the middle of the screenshot migration, the harvest and the conversion, then a second run:
# counts the pictures lost and damaged. Usage: bench/kill-trials.sh BUILD_DIR [TRIALS]
set -eu
build=$1
trials=${2:-20}
moves=${MOVES:-$build/bench/bench_ShotMovesBench}
convert=${CONVERT:-$build/vantorkorb-convert}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Random pictures of known content; the list of their checksums is what must survive.
make_old() { # folder count prefix-format
    python3 - "$@" <<'PY'
import os, random, sys
folder, count, fmt = sys.argv[1], int(sys.argv[2]), sys.argv[3]
os.makedirs(folder, exist_ok=True)
for i in range(count):
    with open(os.path.join(folder, fmt % (i // 4, i % 4 + 1)), "wb") as f:
        f.write(os.urandom(random.randrange(50000, 150000)))
PY
}
sums() { find "$@" -type f ! -name '*.tmp[0-9]*' -exec md5sum {} + 2>/dev/null | cut -d' ' -f1 | sort; }
killed_run() { # command...
    "$@" > /dev/null 2>&1 & pid=$!
    sleep "$(python3 -c 'import random; print(random.uniform(0.005, 0.25))')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
report() { # name before-sums after-sums leftovers
    lost=$(comm -23 "$2" "$3" | wc -l)
    damaged=$(comm -13 "$2" "$3" | wc -l)
    echo "$1: lost $lost, damaged or extra $damaged, temporaries left $4"
}

total_lost=0
for kind in migrate harvest; do
    for t in $(seq "$trials"); do
        d=$work/$kind$t
        if [ $kind = migrate ]; then
            make_old "$d/pcx" 200 'g%05d0%d.pcx'; mkdir -p "$d/Titles" "$d/Gameplay"
        else
            make_old "$d/pcx" 200 'shot%04d%d.pcx'; mkdir -p "$d/Gameplay"
        fi
        sums "$d" > "$work/before"
        killed_run "$moves" $kind "$d"
        "$moves" $kind "$d" > /dev/null
        sums "$d" > "$work/after"
        left=$(find "$d" -name '*.tmp[0-9]*' | wc -l)
        report "$kind trial $t" "$work/before" "$work/after" "$left"
        rm -rf "$d"
    done
done

[ -x "$convert" ] || exit 0
for t in $(seq "$trials"); do
    d=$work/convert$t
    mkdir -p "$d/shots"
    python3 - "$d/shots" <<'PY'
import random, sys
from PIL import Image
for i in range(60):
    im = Image.new('P', (320, 240))
    im.putpalette([random.randrange(256) for _ in range(768)])
    im.putdata([random.randrange(256) for _ in range(320 * 240)])
    im.save('%s/s%03d.pcx' % (sys.argv[1], i))
PY
    (cd "$d" && killed_run "$convert" -out png -D 'shots/*.*')
    (cd "$d" && "$convert" -out png -D 'shots/*.*' > /dev/null 2>&1) || true
    # Every picture is there once, as the PCX or as a PNG that decodes whole.
    python3 - "$d/shots" "$t" <<'PY'
import os, sys
from PIL import Image
folder, t = sys.argv[1], sys.argv[2]
lost = damaged = 0
for i in range(60):
    base = '%s/s%03d' % (folder, i)
    if os.path.exists(base + '.png'):
        try:
            Image.open(base + '.png').load()
        except Exception:
            damaged += 1
    elif not os.path.exists(base + '.pcx'):
        lost += 1
left = len([n for n in os.listdir(folder) if n.startswith('.vkconvert-')])
print('convert trial %s: lost %d, damaged %d, temporaries left %d' % (t, lost, damaged, left))
PY
    rm -rf "$d"
done
