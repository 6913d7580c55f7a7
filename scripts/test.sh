#!/usr/bin/env bash
# Sets up everything and runs every test: the formatting check, the unit and
# window tests, the same tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short run of each fuzz target, ESLint over the
# web test's scripts, and the web test in headless Chromium and Firefox ESR.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DORVEL_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/setup.sh"

echo "== Formatting"
"$root/scripts/check-format.sh"

echo "== Tests"
ctest --test-dir "$build" --output-on-failure -j"$jobs"

. "$root/scripts/compiler-cache.sh"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DDORVEL_SANITIZE=ON -DDORVEL_BUILD_BENCHMARKS=OFF
cmake --build "$root/build-sanitize" -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$jobs"

echo "== Fuzz targets (short runs)"
# A fixed seed: every clean clone explores nearly the same inputs, so a red
# run points at a change rather than at luck. The long campaigns find the new
# inputs.
DORVEL_FUZZ_SEED=${DORVEL_FUZZ_SEED:-20261211} "$root/scripts/fuzz.sh" 20

echo "== ESLint over the web test's scripts"
(cd "$root" && npm ci --no-audit --no-fund --loglevel=error && npm run --silent lint)

if [ -x "$root/tests/browser/run.sh" ]; then
    echo "== Web test in headless browsers"
    "$root/tests/browser/run.sh" "$build/bin"
fi
