#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the whole library instrumented)
# and runs each for the given number of seconds (default 60), one after
# another. Every target the build makes (build-fuzz/fuzz/*_fuzz) runs, on its
# seeds in fuzz/seeds/<target>/ (fuzz/seeds/ when it has none of its own) and
# the corpus it grew before (build-fuzz/corpus/<target>/). Crashes leave their
# input in build-fuzz/crashes.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# DORVEL_FUZZ_RUNS=N stops a target after N inputs (or SECONDS, whichever
# comes first). DORVEL_FUZZ_SEED=N fixes libFuzzer's seed, so runs from the
# same corpus mutate the same way (they still drift apart a little: temporary
# names and threads differ); without it each run explores afresh, which is
# what a campaign wants. For each target the script
# prints the coverage edges after the seeds, and the inputs run and the edges
# reached at the end.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
build="$root/build-fuzz"
runs=${DORVEL_FUZZ_RUNS:--1}
seed=${DORVEL_FUZZ_SEED:-0}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDORVEL_FUZZ=ON -DDORVEL_BUILD_GUI=OFF -DDORVEL_BUILD_TESTS=OFF -DDORVEL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target dorvel_fuzz_targets
mkdir -p "$build/crashes"
# Targets that write files (the export, the player) work in a scratch folder
# in memory where there is one: on disk they wait on the file system.
scratch_parent=/dev/shm
[ -d "$scratch_parent" ] && [ -w "$scratch_parent" ] || scratch_parent=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$scratch_parent/dorvel-fuzz-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

if [ $# -gt 0 ]; then
    targets=()
    for name in "$@"; do targets+=("$build/fuzz/$name"); done
else
    targets=("$build"/fuzz/*_fuzz)
fi

status=0
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    seeds="$root/fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds="$root/fuzz/seeds"
    mkdir -p "$corpus"
    log="$build/$name.log"
    echo "-- $name for ${seconds}s"
    start=$(date +%s)
    if ! "$target" -max_total_time="$seconds" -runs="$runs" -seed="$seed" -max_len=65536 -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
        status=1
        tail -n 40 "$log"
    fi
    inited=$(grep -m1 -o 'INITED cov: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    done_cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?')
    inputs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "   inputs $inputs in $(($(date +%s) - start))s, edges $inited after the seeds, $done_cov at the end"
done
exit $status
