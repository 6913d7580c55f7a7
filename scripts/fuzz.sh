#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60). Crashes leave their input in build-fuzz/crashes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDORVEL_FUZZ=ON -DDORVEL_BUILD_GUI=OFF -DDORVEL_BUILD_TESTS=OFF -DDORVEL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target dorvel_fuzz_targets
mkdir -p "$build/crashes"
for target in "$build"/fuzz/*_fuzz; do
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    echo "-- $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -max_len=65536 -artifact_prefix="$build/crashes/$name-" \
        "$corpus" "$root/fuzz/seeds" 2>&1 | tail -n 3
done
