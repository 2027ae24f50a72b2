#!/bin/sh
# Makes the Debian package of a build and lets lintian judge it: no error and no warning may remain.
# Usage: check-package.sh <build folder> <scratch folder>
set -u
build=$1
scratch=$2
command -v lintian >/dev/null 2>&1 || { echo "FAIL: lintian is missing: run scripts/install-deps" >&2; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
deb=$(ls "$scratch"/vantorkorb_*.deb)
lintian --pedantic --fail-on error,warning "$deb"
