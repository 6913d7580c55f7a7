#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the whole library instrumented)
# and runs each for the given number of seconds (default 60), as many at a
# time as the machine has cores (DORVEL_FUZZ_JOBS; libFuzzer keeps to one). Every target the build makes (build-fuzz/fuzz/*_fuzz) runs, on its
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
jobs=${DORVEL_FUZZ_JOBS:-$(nproc)}

. "$root/scripts/compiler-cache.sh"

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

# One target: its run, then its summary lines (printed whole when it ends,
# so that targets running side by side do not mix their lines).
fuzz_one() {
    local target=$1 name corpus seeds log start inited done_cov inputs out
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    seeds="$root/fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds="$root/fuzz/seeds"
    mkdir -p "$corpus"
    log="$build/$name.log"
    start=$(date +%s)
    out="-- $name for ${seconds}s"
    local failed=0
    if ! "$target" -max_total_time="$seconds" -runs="$runs" -seed="$seed" -max_len=65536 -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
        failed=1
        out+=$'\n'$(tail -n 40 "$log")
    fi
    inited=$(grep -m1 -o 'INITED cov: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    done_cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?')
    inputs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    out+=$'\n'"   inputs $inputs in $(($(date +%s) - start))s, edges $inited after the seeds, $done_cov at the end"
    echo "$out"
    return $failed
}

status=0
running=()
for target in "${targets[@]}"; do
    if [ ${#running[@]} -ge "$jobs" ]; then
        wait "${running[0]}" || status=1
        running=("${running[@]:1}")
    fi
    fuzz_one "$target" &
    running+=($!)
done
for pid in "${running[@]}"; do
    wait "$pid" || status=1
done
exit $status
