#!/bin/sh
# Pictures of the editor window under a virtual X display, for review:
# the test details page, a question of each family and the About box.
#   scripts/screenshots.sh [build folder] [output folder]
set -eu
build=${1:-build}
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$build" -j2 --target window_screenshots dorvel_data
mkdir -p "$out"
DORVEL_HOME="$(cd "$build/bin" && pwd)" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/window_screenshots" "$out"
echo "Screenshots in $out"
