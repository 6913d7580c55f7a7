#!/usr/bin/env bash
# Puts the one-line faults of scripts/mutations.txt into the code one at a
# time and runs the tests each names; a fault that no test catches survived
# and marks a test that is missing. Run by hand (it takes a while), not in CI.
#
# usage: scripts/mutate.sh [LIST] [NAME_PATTERN]
#   LIST          the faults (default scripts/mutations.txt)
#   NAME_PATTERN  only the faults whose [name] matches this extended regex
#
# It works on a clone of the committed HEAD in a scratch folder
# (DORVEL_MUTATE_DIR, or a new temporary one), never in this working tree,
# builds there what the suites need (with ccache when installed), checks
# that every named suite passes without a fault, then for each fault:
# changes the line, rebuilds those targets, runs the suites, puts the line
# back. Browser test
# files run in Chromium over HTTP unless DORVEL_MUTATE_BROWSERS (chromium,
# firefox or both, comma-separated) and DORVEL_MUTATE_WAYS (http, file) say
# otherwise.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
list=$(realpath "${1:-$root/scripts/mutations.txt}")
only=${2:-}
work=${DORVEL_MUTATE_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/dorvel-mutate-XXXXXX")}
src=$work/src
build=$src/build
log=$work/log
jobs=${DORVEL_MUTATE_JOBS:-2}
mkdir -p "$work" "$log"

# --- The faults: name, file, from, at, to, run (one array entry each). ---
names=() files=() froms=() ats=() tos=() runs=()
add_fault() {
    [ -n "$name" ] || return 0
    if [ -z "$file" ] || [ -z "$from" ] || [ -z "$to" ] || [ -z "$run" ]; then
        echo "mutate: the fault [$name] needs file, from, to and run" >&2
        exit 2
    fi
    if [ -z "$only" ] || [[ $name =~ $only ]]; then
        names+=("$name") files+=("$file") froms+=("$from") ats+=("${at:-0}") tos+=("$to") runs+=("$run")
    fi
}
name='' file='' from='' at='' to='' run=''
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        '#'*) ;;
        '') add_fault; name='' file='' from='' at='' to='' run='' ;;
        '['*']') name=${line:1:${#line}-2} ;;
        file:*) file=$(sed -E 's/^file:[[:space:]]*//' <<<"$line") ;;
        from:*) from=$(sed -E 's/^from:[[:space:]]*//' <<<"$line") ;;
        at:*) at=$(sed -E 's/^at:[[:space:]]*//' <<<"$line") ;;
        to:*) to=$(sed -E 's/^to:[[:space:]]*//' <<<"$line") ;;
        run:*) run=$(sed -E 's/^run:[[:space:]]*//' <<<"$line") ;;
        *) echo "mutate: cannot read this line of $list: $line" >&2; exit 2 ;;
    esac
done <"$list"
add_fault
total=${#names[@]}
[ "$total" -gt 0 ] || { echo "mutate: no faults to put in" >&2; exit 2; }

# Replaces the line (kept indentation) in place; exit status 3 when the line
# is not there as the list says.
mutate_line() {
    # perl is part of every Debian system.
    perl -e '
        my ($path, $old, $nth, $new) = @ARGV;
        s/^\s+|\s+$//g for ($old, $new);
        open(my $in, "<", $path) or die "mutate: $path: $!\n";
        my @lines = <$in>;
        close($in);
        my @hits = grep { my $l = $lines[$_]; $l =~ s/^\s+|\s+$//g; $l eq $old } 0 .. $#lines;
        if (($nth == 0 && @hits != 1) || $nth > @hits) {
            print STDERR "mutate: $path: the line occurs " . scalar(@hits) . " times: $old\n";
            exit 3;
        }
        my $i = $hits[$nth ? $nth - 1 : 0];
        my ($indent, $end) = $lines[$i] =~ /^(\s*).*?(\r?\n?)$/s;
        $lines[$i] = $indent . $new . $end;
        open(my $out, ">", $path) or die "mutate: $path: $!\n";
        print $out @lines;
        close($out);
    ' "$@"
}

# --- A clone of the committed tree, built once. ---
if [ ! -d "$src/.git" ]; then
    git clone --quiet --no-hardlinks "$root" "$src"
fi
git -C "$src" fetch --quiet "$root" HEAD
git -C "$src" checkout --quiet --force --detach FETCH_HEAD
if command -v ccache >/dev/null 2>&1; then
    # Paths below the scratch folder hash alike wherever it lies.
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$work CCACHE_NOHASHDIR=1
fi
echo "mutate: configuring $(git -C "$src" rev-parse --short HEAD) in $build"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log/configure.txt"

needs_browser=0
for r in "${runs[@]}"; do [[ $r == *browser:* ]] && needs_browser=1; done
if [ "$needs_browser" = 1 ] && [ ! -d "$src/tests/browser/node_modules" ]; then
    (cd "$src/tests/browser" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error) >"$log/npm.txt" 2>&1
fi

# Builds what the suites of one fault need and runs them; status 0 when all pass.
run_suites() {
    local out=$1
    shift
    local suites=() browser=() targets=(dorvel-cli dorvel_data)
    for r in "$@"; do
        if [[ $r == browser:* ]]; then browser+=("tests/${r#browser:}"); else suites+=("$r") targets+=("$r"); fi
    done
    cmake --build "$build" -j"$jobs" --target "${targets[@]}" >"$out" 2>&1 || return 2
    if [ ${#suites[@]} -gt 0 ]; then
        local pattern
        pattern="^($(IFS='|'; echo "${suites[*]}"))\$"
        ctest --test-dir "$build" -R "$pattern" -j"$jobs" --output-on-failure --timeout 900 >>"$out" 2>&1 || return 1
    fi
    if [ ${#browser[@]} -gt 0 ]; then
        (cd "$src/tests/browser" \
            && DORVEL_BIN="$build/bin" DORVEL_BROWSERS="${DORVEL_MUTATE_BROWSERS:-chromium}" \
                DORVEL_WAYS="${DORVEL_MUTATE_WAYS:-http}" node --test "${browser[@]}") >>"$out" 2>&1 || return 1
    fi
    return 0
}

# Every suite named must pass on the tree as it is, or a caught fault means nothing.
all_runs=()
for r in "${runs[@]}"; do
    for word in $r; do
        [[ " ${all_runs[*]} " == *" $word "* ]] || all_runs+=("$word")
    done
done
echo "mutate: building, then checking that ${all_runs[*]} pass without a fault"
if ! run_suites "$log/baseline.txt" "${all_runs[@]}"; then
    echo "mutate: the suites fail without a fault, see $log/baseline.txt" >&2
    exit 1
fi

caught=0
survived=()
for ((k = 0; k < total; k++)); do
    n=$((k + 1))
    label="[$n/$total] ${names[$k]}"
    if ! mutate_line "$src/${files[$k]}" "${froms[$k]}" "${ats[$k]}" "${tos[$k]}"; then
        echo "mutate: $label: the list no longer matches the code" >&2
        exit 2
    fi
    # shellcheck disable=SC2086
    if run_suites "$log/fault-$n.txt" ${runs[$k]}; then
        echo "SURVIVED $label (${runs[$k]})"
        survived+=("${names[$k]}")
    else
        status=$?
        if [ "$status" = 2 ]; then
            echo "mutate: $label does not build, see $log/fault-$n.txt" >&2
            git -C "$src" checkout --quiet -- "${files[$k]}"
            exit 2
        fi
        echo "caught   $label"
        caught=$((caught + 1))
    fi
    git -C "$src" checkout --quiet -- "${files[$k]}"
done

echo
if [ ${#survived[@]} -gt 0 ]; then
    echo "Survived (each wants a test that fails with it):"
    printf '  %s\n' "${survived[@]}"
fi
echo "caught $caught of $total"
echo "(logs in $log)"
[ "$caught" -eq "$total" ]
