#!/bin/sh
# usage: pack-language.sh DORVEL_CLI PACK.vtc FRAGMENT.lines...
# Pack sources are kept in UTF-8; the program reads Latin-1, so each fragment
# is converted (a letter Latin-1 lacks stops the build) and the results are
# stored, joined in the order given, as one scrambled pack.
set -eu
cli=$1
pack=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i=0
for fragment in "$@"; do
    i=$((i + 1))
    out=$(printf '%s/%03d.lines' "$work" "$i")
    if ! iconv -f UTF-8 -t ISO-8859-1 "$fragment" > "$out"; then
        echo "pack-language.sh: $fragment has a letter that Latin-1 cannot hold" >&2
        exit 1
    fi
done
mkdir -p "$(dirname "$pack")"
set --
for out in "$work"/*.lines; do
    set -- "$@" "$out"
done
"$cli" pack "$pack" "$@"
