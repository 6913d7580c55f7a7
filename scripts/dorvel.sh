#!/usr/bin/env bash
# Sets up and builds Dorvel (scripts/setup.sh), then starts the editor. On a
# machine without a display, or while the editor is not built, it shows the
# sample set with the command-line tool instead.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DORVEL_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"

if [ -x "$build/bin/dorvel" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec "$build/bin/dorvel" "$@"
fi
echo "No display (or no editor build): showing the sample set instead."
exec "$build/bin/dorvel-cli" show "$build/bin/Samples/General Knowledge.vtd"
