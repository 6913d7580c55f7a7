#!/bin/sh
# Draws the web test's button pictures into the folder given as $1:
# the control bar (Help, arrows, slider, Finish, Mark, Cheat), the pre-test
# start button, the tick and cross shown after marking, the cover picture and
# the owl of the start page.
#
# Every bar button comes in layers that the control page stacks: 0 normal,
# 1 pointer over, 2 pressed, 3 disabled (Finish, Mark and Cheat only). The
# control frame is white, so the buttons are drawn flat on white.
set -eu

out=${1:?usage: draw-buttons.sh OUTPUT_FOLDER}
mkdir -p "$out"

# ImageMagick 6 as Debian ships it; /usr/local may hold a wrapper.
IM=${DORVEL_CONVERT:-/usr/bin/convert}
FONT=DejaVu-Sans-Bold

# Colours of the four layers: top and bottom of the gradient, border, label,
# label shadow (a light one engraves the disabled label).
NORMAL="#5b8fc7 #2c5a8c #1f4066 #ffffff #00000055"
OVER="#7fb2e6 #3f77b3 #24507f #fff6b0 #00000055"
PRESSED="#24507f #3c6fa5 #163050 #e8eef6 #00000055"
DISABLED="#e4e4e4 #c9c9c9 #a8a8a8 #9a9a9a #ffffffaa"
START_NORMAL="#6cbf5c #2f8a34 #1f5e23 #ffffff #00000055"
START_OVER="#8fdc7c #3ea544 #23702a #fffbd0 #00000055"
START_PRESSED="#256f2a #3d9442 #174a1b #eef8ec #00000055"

# face W H "top bottom border label shadow" OUT: an empty rounded button face.
# sh has no local variables, so each function keeps its own prefix.
face() {
    face_w=$1 face_h=$2 face_colours=$3 face_file=$4
    # shellcheck disable=SC2086 # the colours are words on purpose
    set -- $face_colours
    "$IM" -size "${face_w}x${face_h}" xc:white \
        \( -size "${face_w}x${face_h}" gradient:"$1"-"$2" \
           \( -size "${face_w}x${face_h}" xc:black -fill white \
              -draw "roundrectangle 0,0 $((face_w - 1)),$((face_h - 1)) 6,6" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -composite \
        -fill none -stroke "$3" -strokewidth 1 \
        -draw "roundrectangle 0,0 $((face_w - 1)),$((face_h - 1)) 6,6" \
        -stroke "#ffffff40" -draw "line 5,1 $((face_w - 6)),1" \
        "$face_file"
}

# label W H "colours" NUDGE TEXT POINTSIZE OUT: a face with a centred label;
# a nudge of 1 moves the label down and right, as if pressed in.
label() {
    lb_w=$1 lb_h=$2 lb_colours=$3 lb_nudge=$4 lb_text=$5 lb_size=$6 lb_file=$7
    lb_tmp="$out/.face.png"
    face "$lb_w" "$lb_h" "$lb_colours" "$lb_tmp"
    # shellcheck disable=SC2086 # the colours are words on purpose
    set -- $lb_colours
    "$IM" "$lb_tmp" -font "$FONT" -pointsize "$lb_size" -gravity center \
        -fill "$5" -annotate "+$((lb_nudge + 1))+$((lb_nudge + 1))" "$lb_text" \
        -fill "$4" -annotate "+${lb_nudge}+${lb_nudge}" "$lb_text" \
        +dither -colors 64 "$lb_file"
    rm -f "$lb_tmp"
}

# arrow "colours" NUDGE left|right OUT
arrow() {
    ar_colours=$1 ar_n=$2 ar_dir=$3 ar_file=$4
    ar_tmp="$out/.face.png"
    face 26 26 "$ar_colours" "$ar_tmp"
    # shellcheck disable=SC2086 # the colours are words on purpose
    set -- $ar_colours
    if [ "$ar_dir" = left ]; then
        ar_pts="$((8 + ar_n)),$((13 + ar_n)) $((17 + ar_n)),$((6 + ar_n)) $((17 + ar_n)),$((20 + ar_n))"
    else
        ar_pts="$((18 + ar_n)),$((13 + ar_n)) $((9 + ar_n)),$((6 + ar_n)) $((9 + ar_n)),$((20 + ar_n))"
    fi
    "$IM" "$ar_tmp" -fill "$4" -stroke "$4" -strokewidth 1 -draw "polygon $ar_pts" \
        +dither -colors 64 "$ar_file"
    rm -f "$ar_tmp"
}

# Help, Finish, Mark, Cheat: the text buttons of the bar.
label 51 26 "$NORMAL" 0 "Help" 11 "$out/Help0.gif"
label 51 26 "$OVER" 0 "Help" 11 "$out/Help1.gif"
label 51 26 "$PRESSED" 1 "Help" 11 "$out/Help2.gif"
for name in Finish Mark Cheat; do
    label 52 26 "$NORMAL" 0 "$name" 11 "$out/${name}0.gif"
    label 52 26 "$OVER" 0 "$name" 11 "$out/${name}1.gif"
    label 52 26 "$PRESSED" 1 "$name" 11 "$out/${name}2.gif"
    label 52 26 "$DISABLED" 0 "$name" 11 "$out/${name}3.gif"
done

# Arrow1 goes back, Arrow2 goes forward.
arrow "$NORMAL" 0 left "$out/Arrow10.gif"
arrow "$OVER" 0 left "$out/Arrow11.gif"
arrow "$PRESSED" 1 left "$out/Arrow12.gif"
arrow "$NORMAL" 0 right "$out/Arrow20.gif"
arrow "$OVER" 0 right "$out/Arrow21.gif"
arrow "$PRESSED" 1 right "$out/Arrow22.gif"

# The start button of the last pre-test page: green, so it invites a press.
label 110 26 "$START_NORMAL" 0 "Start Test" 12 "$out/StartTest0.gif"
label 110 26 "$START_OVER" 0 "Start Test" 12 "$out/StartTest1.gif"
label 110 26 "$START_PRESSED" 1 "Start Test" 12 "$out/StartTest2.gif"

# The slider thumb: a round knob in the colours of the buttons.
"$IM" -size 26x26 xc:white \
    -fill "#00000030" -stroke none -draw "circle 13.5,14.5 13.5,4" \
    -fill "#2c5a8c" -stroke "#1f4066" -draw "circle 13,13 13,3" \
    -fill "#5b8fc7" -stroke none -draw "circle 12,12 12,5.5" \
    -fill "#ffffff" -draw "circle 10,10 10,8" \
    +dither -colors 64 "$out/Slider.gif"

# The slide line is stretched to the width of the bar, so every column is
# the same: a groove across the middle.
"$IM" -size 64x26 xc:white \
    -fill "#c4ccd6" -draw "rectangle 0,11 63,15" \
    -fill "#8d9aab" -draw "line 0,11 63,11" \
    -fill "#ffffff" -draw "line 0,15 63,15" \
    -fill "#e9edf2" -draw "line 0,12 63,12" \
    +dither -colors 16 "$out/slideline.gif"

# The cover lies over a finished question to stop further answers: it must
# be fully transparent.
"$IM" -size 1x1 xc:none "$out/blank.gif"

# Tick and cross after marking: a white rim keeps them readable on dark and
# light question pages alike. GIF transparency is all or nothing, so the
# edges are hardened instead of being blended with an unknown page.
mark() {
    mk_fill=$1
    mk_file=$2
    shift 2
    "$IM" -size 40x40 xc:none \
        -fill none -stroke white -strokewidth 10 "$@" \
        -stroke "$mk_fill" -strokewidth 6 "$@" \
        -channel A -threshold 50% +channel \
        "$mk_file"
}
mark "#1e9a2f" "$out/tick.gif" -draw "stroke-linecap round stroke-linejoin round polyline 8,21 16,30 32,9"
mark "#d42a1e" "$out/cross.gif" -draw "stroke-linecap round line 10,10 30,30" -draw "stroke-linecap round line 30,10 10,30"

# The owl of the start page, 80 x 72, on the page's white.
"$IM" -size 80x72 xc:white \
    -stroke none \
    -fill "#8a5a2b" -draw "polygon 20,10 26,2 31,12" -draw "polygon 60,10 54,2 49,12" \
    -fill "#8a5a2b" -draw "ellipse 40,40 22,29 0,360" \
    -fill "#c89b62" -draw "ellipse 40,50 14,18 0,360" \
    -fill "#6e4420" -draw "ellipse 19,46 6,15 0,360" -draw "ellipse 61,46 6,15 0,360" \
    -fill "#ffffff" -stroke "#6e4420" -strokewidth 1 -draw "circle 30,26 30,15" -draw "circle 50,26 50,15" \
    -stroke none -fill "#f2b632" -draw "circle 30,26 30,21" -draw "circle 50,26 50,21" \
    -fill "#1d1d1d" -draw "circle 30,26 30,23" -draw "circle 50,26 50,23" \
    -fill "#ffffff" -draw "circle 31,25 31,24" -draw "circle 51,25 51,24" \
    -fill "#f08a24" -draw "polygon 36,33 44,33 40,41" \
    -stroke "#a47845" -strokewidth 1 -fill none \
    -draw "arc 33,42 39,48 0,180" -draw "arc 41,42 47,48 0,180" \
    -draw "arc 36,50 44,56 0,180" \
    -stroke none -fill "#f08a24" \
    -draw "rectangle 31,66 35,69" -draw "rectangle 45,66 49,69" \
    -fill "#6b4a2a" -draw "rectangle 6,68 74,71" \
    +dither -colors 64 "$out/owl.gif"

rm -f "$out/.face.png"
