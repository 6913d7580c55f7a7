#!/bin/sh
# usage: pack-language.sh DORVEL_CLI PACK.vtc FRAGMENT.lines...
# Pack sources are kept in UTF-8. A pack holds Latin-1, as the format always
# did, and every character Latin-1 lacks as a reference (&#N;), which the
# program decodes: a pack may be written in any script. The results are
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
    # Perl is part of every Debian system. Input that is not UTF-8 stops the build.
    if ! perl -Ci -Mwarnings=FATAL,utf8 -pe 's/([^\x00-\xFF])/sprintf("&#%d;", ord $1)/ge' \
        "$fragment" > "$out"; then
        echo "pack-language.sh: $fragment is not UTF-8 text" >&2
        exit 1
    fi
done
mkdir -p "$(dirname "$pack")"
set --
for out in "$work"/*.lines; do
    set -- "$@" "$out"
done
"$cli" pack "$pack" "$@"
