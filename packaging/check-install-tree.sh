#!/bin/sh
# Installs the build into a staging folder and checks that the tree holds the program, its desktop entry,
# icons, metadata, compressed manual pages, documents and copyright file, and that the entry and the
# metadata validate.
# Usage: check-install-tree.sh <build folder> <staging folder> <1 when the converter is installed> <AppStream id>
set -u
build=$1
stage=$2
converter=$3
id=$4
failed=0

fail() {
    echo "FAIL: $*" >&2
    failed=1
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing: run scripts/install-deps" >&2; exit 1; }
done

rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 || { cat "$stage.log" >&2; exit 1; }
usr="$stage/usr"

[ -x "$usr/games/vantorkorb" ] || fail "no executable games/vantorkorb"
if [ "$converter" = 1 ]; then
    [ -x "$usr/games/vantorkorb-convert" ] || fail "no executable games/vantorkorb-convert"
    [ -f "$usr/share/man/man6/vantorkorb-convert.6.gz" ] || fail "no manual page of the converter"
fi
desktop="$usr/share/applications/vantorkorb.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx 'Exec=vantorkorb' "$desktop" || fail "the desktop entry does not run vantorkorb"
grep -qx 'Icon=vantorkorb' "$desktop" || fail "the desktop entry does not name the icon"
svg="$usr/share/icons/hicolor/scalable/apps/vantorkorb.svg"
grep -q '<svg' "$svg" 2>/dev/null || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/vantorkorb.png"
    # The PNG header's width field, big-endian at byte 16.
    width=$(od -An -tu1 -j16 -N4 "$png" 2>/dev/null | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    [ "$width" = "$size" ] || fail "icon $png is not ${size} pixels wide (${width:-missing})"
done
metainfo="$usr/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metadata"
grep -q '@PROJECT_VERSION@' "$metainfo" && fail "the metadata's version was not filled in"
[ -f "$usr/share/man/man6/vantorkorb.6.gz" ] || fail "no compressed manual page"
for man in "$usr"/share/man/man6/*.6.gz; do
    if command -v groff >/dev/null 2>&1 && [ -f "$man" ]; then
        warnings=$(gzip -dc "$man" | groff -man -ww -z 2>&1)
        [ -z "$warnings" ] || fail "the manual page $man has warnings: $warnings"
    fi
done
doc="$usr/share/doc/vantorkorb"
for file in VantorKorb.txt VantorKorbFaq.txt changelog.gz; do
    [ -s "$doc/$file" ] || fail "no $file in the documents"
done
copyright="$usr/share/doc/vantorkorb/copyright"
grep -q '^License: GPL-3.0-or-later$' "$copyright" 2>/dev/null || fail "no copyright file naming the licence"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "the metadata names no licence"

desktop-file-validate "$desktop" || fail "desktop-file-validate refused the entry"
# An id of no domain the project owns draws one warning, and only that one is let pass.
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || {
    case "$id" in
    *.*) fail "appstreamcli refused the metadata: $report" ;;
    *) [ "$(printf '%s\n' "$report" | grep -c '^[EW]:')" = 1 ] && printf '%s\n' "$report" | grep -q cid-desktopapp-is-not-rdns ||
        fail "appstreamcli refused the metadata: $report" ;;
    esac
}
grep -q 'example\.\(org\|com\|net\)' "$metainfo" && fail "the metadata names a placeholder address"

[ $failed = 0 ] && echo "install tree complete"
exit $failed
