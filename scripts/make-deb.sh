#!/usr/bin/env bash
# Makes the Debian package dorvel_<version>_amd64.deb in the current folder:
# a release build installed under /usr, packed by CPack with its library
# dependencies computed by dpkg-shlibdeps, then checked by lintian.
# usage: scripts/make-deb.sh [BUILD_DIR]   (default build/, made by setup.sh)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
out=$PWD

if [ ! -f "$build/CMakeCache.txt" ]; then
    DORVEL_BUILD_DIR=$build "$root/scripts/setup.sh"
else
    cmake --build "$build" -j"$(nproc)"
fi
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
deb=$(ls "$build"/package/dorvel_*_*.deb | head -n1)
cp "$deb" "$out/"
echo "made $out/$(basename "$deb")"
if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error "$out/$(basename "$deb")"
fi
