#!/bin/sh
# Peak memory and time of the commands that read every picture of a set:
# `convert` to Moodle XML and `paper`, on sets of 100 pictured questions,
# measured with /usr/bin/time on the real dorvel-cli.
#
#   bench/large-sets.sh [BIN] [WORK]
#
# BIN is the folder holding dorvel-cli (build/bin), WORK a folder for the
# sets and pictures (made once and kept, since the large pictures take
# ImageMagick a few minutes; a fresh temporary folder when not given).
# Prints one line per case: peak resident size in MB, wall time in seconds.
set -eu

bin=${1:-build/bin}
cli="$bin/dorvel-cli"
work=${2:-$(mktemp -d)}
mkdir -p "$work"
[ -x "$cli" ] || { echo "no dorvel-cli in $bin" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

# Pictures: about 1 MB of noise (a PNG that does not compress), an
# 8000 x 8000 PNG and an 8000 x 8000 JPEG of 15 MB (the largest the media
# checks take).
[ -f "$work/noise.png" ] || /usr/bin/convert -size 600x580 xc: +noise Random -depth 8 "$work/noise.png"
[ -f "$work/big.png" ] || /usr/bin/convert -size 8000x8000 gradient:red-blue -depth 8 "$work/big.png"
[ -f "$work/big.jpg" ] || /usr/bin/convert -size 8000x8000 plasma: -quality 90 "$work/big.jpg"

# A set of 100 choice questions; each names the picture PICTURE(N) gives.
make_set() { # NAME PICTURE-FUNCTION
    set_path="$work/$1.vtd"
    [ -f "$set_path" ] && return 0
    gift="$work/$1.gift"
    : >"$gift"
    n=1
    while [ $n -le 100 ]; do
        printf '::Q%d:: How much is %d + %d? {=%d ~%d ~%d}\n\n' $n $n $n $((n + n)) $((n + n + 1)) $((n + n - 1)) >>"$gift"
        n=$((n + 1))
    done
    "$cli" import "$gift" "$set_path" >/dev/null
    if [ "$2" != none ]; then
        n=1
        while [ $n -le 100 ]; do
            "$cli" media "$set_path" $n --picture "$($2 $n)" >/dev/null
            n=$((n + 1))
        done
    fi
}

own_noise() { # a copy of the noise picture per question
    [ -f "$work/noise-$1.png" ] || cp "$work/noise.png" "$work/noise-$1.png"
    echo "$work/noise-$1.png"
}
shared_png() { echo "$work/big.png"; }
shared_jpg() { echo "$work/big.jpg"; }
# Ten 8000 x 8000 JPEGs (copies: each is its own file), each named by ten questions.
ten_jpgs() {
    k=$(( ($1 - 1) % 10 ))
    [ -f "$work/big-$k.jpg" ] || cp "$work/big.jpg" "$work/big-$k.jpg"
    echo "$work/big-$k.jpg"
}

make_set plain none
make_set noise own_noise
make_set png shared_png
make_set jpg shared_jpg
make_set jpgs ten_jpgs

measure() { # LABEL COMMAND...
    label=$1
    shift
    /usr/bin/time -f '%M %e' -o "$work/time.txt" "$@" >/dev/null 2>"$work/stderr.txt" || true
    read -r kb seconds <"$work/time.txt"
    printf '%-58s %6d MB %7.1f s\n' "$label" $((kb / 1024)) "$seconds"
}

measure "convert, 100 questions with their own 1 MB picture" "$cli" convert "$work/noise.vtd" "$work/out.xml"
printf '%-58s %6d MB\n' "  the Moodle XML written" $(($(stat -c %s "$work/out.xml") / 1048576))
measure "paper, 100 questions without pictures" "$cli" paper "$work/plain.vtd" "$work/plain.pdf"
measure "paper, 100 questions naming one 8000 x 8000 PNG" "$cli" paper "$work/png.vtd" "$work/png.pdf"
measure "paper, 100 questions naming one 8000 x 8000 JPEG" "$cli" paper "$work/jpg.vtd" "$work/jpg.pdf"
measure "paper, 100 questions naming ten 8000 x 8000 JPEGs" "$cli" paper "$work/jpgs.vtd" "$work/jpgs.pdf"
