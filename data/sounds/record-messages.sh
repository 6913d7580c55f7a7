#!/bin/sh
# usage: record-messages.sh SOUNDS_FOLDER CACHE_FOLDER FRAGMENT.lines...
# Records a spoken message for every language string (s9.wav to s999.wav)
# and every numbered hint (Hint1.wav to Hint49.wav) of a language pack's
# sources, with espeak-ng. A text that has not changed since its last
# recording is not recorded again; recordings of texts the pack no longer
# has are removed.
set -eu
sounds=$1
cache=$2
shift 2
mkdir -p "$sounds" "$cache"
texts=$(mktemp -d)
trap 'rm -rf "$texts"' EXIT

# One text file per key; a later line for the same key wins, as when the
# pack is applied.
awk -v dir="$texts" '
    { sub(/\r$/, "") }
    length($0) <= 5 { next }
    {
        head = substr($0, 1, 4)
        sub(/^ +/, "", head)
        if (head ~ /^[0-9]+$/) {
            n = head + 0
            if (n >= 9 && n <= 999) {
                key = "s" n
                text = substr($0, 6)
            } else {
                next
            }
        } else {
            split($0, parts, " ")
            property = parts[2]
            if (substr(property, 1, 4) != "Hint") next
            number = substr(property, 5)
            if (number !~ /^[0-9]+$/ || number + 0 < 1 || number + 0 > 49) next
            key = "Hint" (number + 0)
            text = $0
            sub(/^[^ ]* [^ ]* /, "", text)
        }
        # What is read out: no line-break marks, entities or menu accelerators.
        gsub(/#r#n/, " ", text)
        gsub(/&nbsp;/, " ", text)
        gsub(/&/, "", text)
        file = dir "/" key ".txt"
        printf "%s\n", text > file
        close(file)
    }' "$@"

for text in "$texts"/*.txt; do
    key=$(basename "$text" .txt)
    if [ -f "$sounds/$key.wav" ] && cmp -s "$text" "$cache/$key.txt"; then
        continue
    fi
    espeak-ng -v en-gb -s 160 -w "$sounds/$key.wav" -f "$text"
    cp "$text" "$cache/$key.txt"
done

for wav in "$sounds"/*.wav; do
    [ -e "$wav" ] || continue
    key=$(basename "$wav" .wav)
    if [ ! -f "$texts/$key.txt" ]; then
        rm -f "$wav" "$cache/$key.txt"
    fi
done
