#!/usr/bin/env bash
# Sets up a Debian 12 machine for Dorvel and builds it: installs the Debian
# packages listed in scripts/debian-packages.txt that are missing, then
# configures and builds into build/ (DORVEL_BUILD_DIR overrides). The build
# lays out a complete installation folder in build/bin.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DORVEL_BUILD_DIR:-$root/build}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
while read -r package; do
    case "$package" in ''|'#'*) continue ;; esac
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done < "$root/scripts/debian-packages.txt"
# Node.js may come with the machine from elsewhere; take Debian's only when there is none.
if ! command -v node >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing Debian packages: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

. "$root/scripts/compiler-cache.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j"$(nproc)"
