#!/bin/sh
# How many questions of the import corpus (tests/exchange/corpus: GIFT,
# Moodle XML and Aiken files in several languages, written in the shapes
# teachers' files and other programs have) come in, and why the others do
# not. Not part of CI: run it by hand to compare two builds.
#   scripts/import-counts.sh [path/to/dorvel-cli] [corpus folder]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build/bin/dorvel-cli}
corpus=${2:-$here/tests/exchange/corpus}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
total_in=0
total_out=0
for file in "$corpus"/*.gift "$corpus"/*.xml "$corpus"/*.txt; do
    [ -f "$file" ] || continue
    name=$(basename "$file")
    rm -rf "$work/out"*
    "$cli" import "$file" "$work/out.vtd" >"$work/stdout" 2>"$work/stderr" || true
    summary=$(grep -E '^[0-9]+ questions imported, [0-9]+ not imported' "$work/stderr" || true)
    if [ -n "$summary" ]; then
        in=$(echo "$summary" | sed -E 's/^([0-9]+) .*/\1/')
        out=$(echo "$summary" | sed -E 's/^[0-9]+ questions imported, ([0-9]+) .*/\1/')
    else
        in=0
        out=$(grep -c '^Question ' "$work/stderr" || true)
    fi
    total_in=$((total_in + in))
    total_out=$((total_out + out))
    printf '%-28s %3s imported  %3s not imported\n' "$name" "$in" "$out"
    # Each line names a question left out, or a part of one that came in.
    grep '^Question ' "$work/stderr" | sed -E 's/^Question [0-9]+ \([^)]*\): //' >>"$work/reasons" || true
    grep -v '^Question \|questions imported\|pictures were saved' "$work/stderr" | sed "s|^|    $name: |" || true
done
printf '%-28s %3s imported  %3s not imported\n' "all" "$total_in" "$total_out"
echo
echo "Reasons (questions left out, and parts of questions left out):"
if [ -f "$work/reasons" ]; then
    sed -E 's/ [^ ]+\.(svg|png|mp3)/ FILE/g' "$work/reasons" | sort | uniq -c | sort -rn
fi
