#!/bin/sh
# Draws the pictures and sounds of one graphic style into a folder:
#   draw-style-art.sh STYLE OUTPUT_FOLDER
# STYLE is Chalkboard, Seaside or Notebook. The question templates of the style name
# these files (relative to the style folder), and Style.gif previews a
# question for the author choosing a style.
#
# File names carry a style prefix (chalk_, sea_, nb_): the web export copies
# every media file flat into one folder beside the button pictures, so a
# style's "tick.gif" would lose to the web test's own.
#
# The places of buttons and texts in the previews follow the templates in
# data/templates/<STYLE>/mc3.vtq; keep them together when a layout changes.
set -eu

style=${1:?usage: draw-style-art.sh STYLE OUTPUT_FOLDER}
out=${2:?usage: draw-style-art.sh STYLE OUTPUT_FOLDER}
mkdir -p "$out"

# ImageMagick 6 as Debian ships it; /usr/local may hold a wrapper.
IM=${DORVEL_CONVERT:-/usr/bin/convert}
SOX=${DORVEL_SOX:-sox}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

# ---------------------------------------------------------------------------
# Shared helpers

# chalkify IN OUT SEED SPECKLE%: rubs holes into the strokes of IN the way
# chalk skips over a board, then hardens the edges for GIF transparency.
# A fixed seed keeps the pictures the same from build to build.
chalkify() {
    "$IM" "$1" \
        \( +clone -alpha extract \
           \( +clone -seed "$3" +noise Random -channel R -separate +channel -threshold "$4" \) \
           -compose Multiply -composite \) \
        -alpha off -compose CopyOpacity -composite \
        -channel A -threshold 50% +channel \
        "$2"
}

# tick_path X Y S: a tick mark centred near X,Y, S pixels across.
tick_path() {
    echo "polyline $(($1 - $3 / 2)),$(($2 + $3 / 12)) $(($1 - $3 / 7)),$(($2 + $3 * 5 / 14)) $(($1 + $3 / 2)),$(($2 - $3 * 5 / 14))"
}
# cross_paths X Y S: the two strokes of a cross centred at X,Y (one draw
# string may hold several primitives).
cross_paths() {
    h=$(($3 * 5 / 14))
    echo "line $(($1 - h)),$(($2 - h)) $(($1 + h)),$(($2 + h)) line $(($1 + h)),$(($2 - h)) $(($1 - h)),$(($2 + h))"
}
ROUND="stroke-linecap round stroke-linejoin round"

# back_states NAME COUNT COLOUR: the page stacks the states of a button,
# the first always shown beneath the others, so a lower state would show
# through the transparent parts of a higher one. Every state of
# $tmp/NAME1.png .. NAMECOUNT.png is laid on a backing of COLOUR that covers
# whatever any state draws, and written as $out/NAME<n>.gif.
back_states() {
    bs_files=""
    bs_n=1
    while [ "$bs_n" -le "$2" ]; do
        bs_files="$bs_files $tmp/$1$bs_n.png"
        bs_n=$((bs_n + 1))
    done
    # shellcheck disable=SC2086 # the temporary folder holds no blanks
    "$IM" $bs_files -alpha extract -evaluate-sequence max "$tmp/mask.png"
    "$IM" "$tmp/mask.png" -background "$3" -alpha shape "$tmp/backing.png"
    bs_n=1
    while [ "$bs_n" -le "$2" ]; do
        "$IM" "$tmp/backing.png" "$tmp/$1$bs_n.png" -compose Over -composite \
            -channel A -threshold 50% +channel "$out/$1$bs_n.gif"
        bs_n=$((bs_n + 1))
    done
}

# ---------------------------------------------------------------------------
# Chalkboard: chalk on a green board in a wooden frame, 800 x 554 page.

CHALK="#f4f4ee"
CHALK_YELLOW="#f7e36d"
BOARD="#2f4a3c"

chalk_background() {
    # Wooden frame with grain.
    "$IM" -size 800x554 xc:"#7b4a24" -seed 11 -attenuate 0.6 +noise Gaussian \
        -motion-blur 0x18+0 -modulate 100,80 \
        -fill none -stroke "#5a3418" -strokewidth 2 -draw "rectangle 1,1 798,552" \
        "$tmp/wood.png"
    # Board with soft smudges of wiped chalk. The browser shows about 25
    # pixels less than the page height, so the board and its tray end above
    # that strip.
    "$IM" -size 764x482 xc:"$BOARD" \
        \( -size 764x482 -seed 5 plasma:grey45-grey55 -colorspace gray -blur 0x24 -auto-level \
           -level 0%,100%,0.8 +level 44%,56% \) \
        -compose Overlay -composite \
        \( -size 764x482 xc:none -fill "#ffffff12" -stroke none \
           -draw "ellipse 180,400 170,26 -8,352" -draw "ellipse 600,90 150,20 0,360" \
           -draw "ellipse 420,300 220,34 4,364" -blur 0x12 \) \
        -compose Over -composite \
        -fill none -stroke "#1c2e25" -strokewidth 2 -draw "rectangle 0,0 763,481" \
        "$tmp/board.png"
    # Chalk tray along the bottom, with two sticks of chalk and an eraser.
    "$IM" "$tmp/wood.png" "$tmp/board.png" -geometry +18+18 -compose Over -composite \
        -stroke none -fill "#00000055" -draw "rectangle 18,500 782,503" \
        -fill "#f4f4ee" -draw "roundrectangle 600,508 640,514 3,3" \
        -fill "#f7e36d" -draw "roundrectangle 650,509 682,515 3,3" \
        -fill "#3a3a46" -draw "roundrectangle 120,506 196,519 3,3" \
        -fill "#b9a27a" -draw "rectangle 120,514 196,519" \
        -quality 82 -sampling-factor 2x2 -strip "$out/chalk_board.jpg"
}

# chalk_choice LETTER STATE OUT.png: a round choice button, 52 x 52.
# normal: white outline; over: yellow; chosen: filled disc, letter cut out.
chalk_choice() {
    case $2 in
        normal) "$IM" -size 52x52 xc:none -fill none -stroke "$CHALK" -strokewidth 3 \
                    -draw "circle 26,26 26,4" \
                    -fill "$CHALK" -stroke none -font DejaVu-Sans-Bold -pointsize 26 \
                    -gravity center -annotate +0+1 "$1" "$tmp/c.png" ;;
        over) "$IM" -size 52x52 xc:none -fill none -stroke "$CHALK_YELLOW" -strokewidth 4 \
                    -draw "circle 26,26 26,3" \
                    -fill "$CHALK_YELLOW" -stroke none -font DejaVu-Sans-Bold -pointsize 28 \
                    -gravity center -annotate +0+1 "$1" "$tmp/c.png" ;;
        chosen) "$IM" -size 52x52 xc:none -fill "$CHALK" -stroke "$CHALK_YELLOW" -strokewidth 3 \
                    -draw "circle 26,26 26,3" \
                    \( -size 52x52 xc:none -fill black -stroke black -strokewidth 1 \
                       -font DejaVu-Sans-Bold -pointsize 30 -gravity center -annotate +0+1 "$1" \) \
                    -compose DstOut -composite "$tmp/c.png" ;;
    esac
    # A filled disc takes fewer holes, or the cut-out letter would blur.
    if [ "$2" = chosen ]; then speckle=5%; else speckle=14%; fi
    chalkify "$tmp/c.png" "$3" 7 "$speckle"
}

# chalk_half SIDE STATE OUT: one half of the true/false button, 85 x 48:
# the left half holds a tick (true), the right half a cross (false).
chalk_half() {
    case $2 in
        normal) colour=$CHALK width=3 fill=none ;;
        over) colour=$CHALK_YELLOW width=4 fill=none ;;
        chosen) colour=$CHALK_YELLOW width=3 fill=$CHALK ;;
    esac
    if [ "$1" = left ]; then
        symbol=$(tick_path 42 24 26)
        crop=85x48+0+0
    else
        symbol=$(cross_paths 127 24 26)
        crop=85x48+85+0
    fi
    "$IM" -size 170x48 xc:none -fill "$fill" -stroke "$colour" -strokewidth "$width" \
        -draw "roundrectangle 2,2 167,45 12,12" -draw "line 85,2 85,45" \
        "$tmp/h.png"
    if [ "$2" = chosen ]; then
        # The mark is cut out of the filled half, so the board shows through.
        "$IM" "$tmp/h.png" \
            \( -size 170x48 xc:none -fill none -stroke black -strokewidth 8 -draw "$ROUND $symbol" \) \
            -compose DstOut -composite "$tmp/h.png"
    else
        "$IM" "$tmp/h.png" -fill none -stroke "$colour" -strokewidth "$((width + 2))" \
            -draw "$ROUND $symbol" "$tmp/h.png"
    fi
    "$IM" "$tmp/h.png" -crop "$crop" +repage "$3"
}

# chalk_truefalse LEFT RIGHT OUT.png: the two halves side by side.
chalk_truefalse() {
    chalk_half left "$1" "$tmp/l.png"
    chalk_half right "$2" "$tmp/r.png"
    "$IM" "$tmp/l.png" "$tmp/r.png" +append "$tmp/tf.png"
    # A filled half takes fewer holes, or the cut-out mark would blur.
    case "$1 $2" in *chosen*) speckle=5% ;; *) speckle=14% ;; esac
    chalkify "$tmp/tf.png" "$3" 9 "$speckle"
}

draw_chalkboard() {
    chalk_background
    for letter in A B C D; do
        chalk_choice "$letter" normal "$tmp/chalk_${letter}1.png"
        chalk_choice "$letter" over "$tmp/chalk_${letter}2.png"
        chalk_choice "$letter" chosen "$tmp/chalk_${letter}3.png"
        back_states "chalk_${letter}" 3 "$BOARD"
    done
    # The seven pictures of a true/false button: nothing chosen, pointer
    # over true, pointer over false, true chosen, false chosen, true chosen
    # with the pointer over false, false chosen with the pointer over true.
    chalk_truefalse normal normal "$tmp/chalk_tf1.png"
    chalk_truefalse over normal "$tmp/chalk_tf2.png"
    chalk_truefalse normal over "$tmp/chalk_tf3.png"
    chalk_truefalse chosen normal "$tmp/chalk_tf4.png"
    chalk_truefalse normal chosen "$tmp/chalk_tf5.png"
    chalk_truefalse chosen over "$tmp/chalk_tf6.png"
    chalk_truefalse over chosen "$tmp/chalk_tf7.png"
    back_states chalk_tf 7 "$BOARD"

    # Marks for the question player, in coloured chalk.
    "$IM" -size 40x40 xc:none -fill none -stroke "#9be07a" -strokewidth 6 \
        -draw "$ROUND $(tick_path 20 20 30)" "$tmp/t.png"
    chalkify "$tmp/t.png" "$out/chalk_tick.gif" 21 12%
    "$IM" -size 40x40 xc:none -fill none -stroke "#ff8a7a" -strokewidth 6 \
        -draw "$ROUND $(cross_paths 20 20 30)" "$tmp/x.png"
    chalkify "$tmp/x.png" "$out/chalk_cross.gif" 22 12%

    # An apple on the teacher's board, for the pre-test page.
    "$IM" -size 100x100 xc:none \
        -fill "#e0564a" -stroke none -draw "circle 37,60 37,30" -draw "circle 63,60 63,30" \
        -draw "ellipse 50,76 28,18 0,360" \
        -fill "#f2a197" -draw "ellipse 36,50 7,12 0,360" \
        -fill none -stroke "#b98b5a" -strokewidth 4 -draw "bezier 50,34 50,24 54,16 58,10" \
        -stroke none -fill "#8fd46f" -draw "ellipse 67,22 13,6 -30,330" \
        "$tmp/apple.png"
    chalkify "$tmp/apple.png" "$out/chalk_apple.gif" 31 16%

    # A short tap of chalk on the board when a button is pressed.
    "$SOX" -R -n -r 11025 -c 1 -b 8 "$out/chalk_tap.wav" \
        synth 0.07 brownnoise synth 0.07 sine amod 60 fade q 0.003 0.07 0.06 vol 0.8

    # Preview: a three-choice question with the second answer chosen.
    "$IM" "$out/chalk_board.jpg" \
        -font DejaVu-Sans-Bold -pointsize 26 -fill "$CHALK" \
        -annotate +52+76 "Which planet is nearest to the Sun?" \
        "$out/chalk_A1.gif" -geometry +60+150 -compose Over -composite \
        "$out/chalk_B3.gif" -geometry +60+250 -compose Over -composite \
        "$out/chalk_C1.gif" -geometry +60+350 -compose Over -composite \
        -font DejaVu-Sans -pointsize 24 -fill "$CHALK" \
        -annotate +150+184 "Venus" -annotate +150+284 "Mercury" -annotate +150+384 "Mars" \
        -resize 280x200 +dither -colors 128 "$out/Style.gif"
}

# ---------------------------------------------------------------------------
# Seaside: a sunny card above the waves and the sand, 640 x 434 page (the
# browser shows about 25 pixels less, so the beach ends above that strip).

CARD="#fffdf6"
SEA="#2f8fc4"
SEA_LIGHT="#5cb6e6"
CORAL="#ff7a59"
NAVY="#1d3f66"
SAND="#f3e3bd"
TEAL="#2aa198"

sea_background() {
    "$IM" -size 640x434 gradient:"#9fd8f6-#e6f6ff" \
        -fill "#ffd45c" -stroke none -draw "circle 596,30 596,-12" \
        -fill "#00000022" -draw "roundrectangle 17,16 629,354 16,16" \
        -blur 0x3 \
        -fill "$CARD" -stroke "#d8e9f2" -strokewidth 1 -draw "roundrectangle 14,12 626,350 16,16" \
        -stroke none \
        -fill "$SEA" -draw "path 'M 0,364 Q 40,354 80,364 T 160,364 T 240,364 T 320,364 T 400,364 T 480,364 T 560,364 T 640,364 L 640,434 L 0,434 Z'" \
        -fill "#4aa6d8" -draw "path 'M 0,374 Q 40,366 80,374 T 160,374 T 240,374 T 320,374 T 400,374 T 480,374 T 560,374 T 640,374 L 640,434 L 0,434 Z'" \
        -fill "$SAND" -draw "path 'M 0,388 Q 160,378 320,386 T 640,384 L 640,434 L 0,434 Z'" \
        -fill "#ffb37a" -draw "polygon 560,398 563,390 566,398 574,398 568,402 570,406 563,403 556,406 558,402 552,398" \
        -fill "#e8c98e" -draw "ellipse 90,398 7,4 0,360" \
        -quality 85 -sampling-factor 2x2 -strip "$out/sea_beach.jpg"
}

# sea_choice LETTER STATE OUT: a round pebble button, 44 x 44, on the card.
sea_choice() {
    case $2 in
        normal) top=$SEA_LIGHT bottom=$SEA ring="#1f6f9c" ;;
        over) top="#8fd3f5" bottom=$SEA_LIGHT ring="#ffd45c" ;;
        chosen) top="#ffa184" bottom=$CORAL ring="#d4573a" ;;
    esac
    "$IM" -size 44x44 xc:"$CARD" \
        \( -size 44x44 gradient:"$top"-"$bottom" \
           \( -size 44x44 xc:black -fill white -draw "circle 21.5,21.5 21.5,1" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -composite \
        -fill none -stroke "$ring" -strokewidth 2 -draw "circle 21.5,21.5 21.5,2" \
        -stroke none -fill "#00000040" -font DejaVu-Sans-Bold -pointsize 20 -gravity center \
        -annotate +1+2 "$1" -fill white -annotate +0+1 "$1" \
        +dither -colors 64 "$3"
    if [ "$2" = chosen ]; then
        # A white inner ring makes the choice plain without relying on colour.
        "$IM" "$3" -fill none -stroke white -strokewidth 2 -draw "circle 21.5,21.5 21.5,5" \
            +dither -colors 64 "$3"
    fi
}

# sea_truefalse LEFT RIGHT OUT: a pill of two halves, 128 x 36; each half is
# normal (sand), over (light sea) or chosen (teal for true, coral for false).
sea_truefalse() {
    half_fill() {
        case $1 in
            normal) echo "$SAND" ;;
            over) echo "#cdeaf8" ;;
            chosen) echo "$2" ;;
        esac
    }
    half_ink() { [ "$1" = chosen ] && echo white || echo "$NAVY"; }
    lf=$(half_fill "$1" "$TEAL") rf=$(half_fill "$2" "$CORAL")
    li=$(half_ink "$1") ri=$(half_ink "$2")
    "$IM" -size 128x36 xc:"$CARD" \
        \( -size 128x36 xc:none -fill "$lf" -draw "roundrectangle 1,1 126,34 17,17" \
           -fill "$rf" -draw "rectangle 64,0 127,35" \
           \( -size 128x36 xc:black -fill white -draw "roundrectangle 1,1 126,34 17,17" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -composite \
        -fill none -stroke "#1f6f9c" -strokewidth 1.5 -draw "roundrectangle 1,1 126,34 17,17" \
        -draw "line 64,2 64,33" \
        -stroke "$li" -strokewidth 3.5 -draw "$ROUND $(tick_path 32 18 20)" \
        -stroke "$ri" -draw "$ROUND $(cross_paths 96 18 18)" \
        +dither -colors 64 "$3"
}

draw_seaside() {
    sea_background
    for letter in A B C D; do
        sea_choice "$letter" normal "$out/sea_${letter}1.gif"
        sea_choice "$letter" over "$out/sea_${letter}2.gif"
        sea_choice "$letter" chosen "$out/sea_${letter}3.gif"
    done
    sea_truefalse normal normal "$out/sea_tf1.gif"
    sea_truefalse over normal "$out/sea_tf2.gif"
    sea_truefalse normal over "$out/sea_tf3.gif"
    sea_truefalse chosen normal "$out/sea_tf4.gif"
    sea_truefalse normal chosen "$out/sea_tf5.gif"
    sea_truefalse chosen over "$out/sea_tf6.gif"
    sea_truefalse over chosen "$out/sea_tf7.gif"

    # Marks for the question player: glossy, with a white rim.
    "$IM" -size 40x40 xc:none -fill none -stroke white -strokewidth 9 \
        -draw "$ROUND $(tick_path 20 20 30)" \
        -stroke "$TEAL" -strokewidth 5 \
        -draw "$ROUND $(tick_path 20 20 30)" \
        -channel A -threshold 50% +channel "$out/sea_tick.gif"
    "$IM" -size 40x40 xc:none -fill none -stroke white -strokewidth 9 \
        -draw "$ROUND $(cross_paths 20 20 30)" \
        -stroke "$CORAL" -strokewidth 5 -draw "$ROUND $(cross_paths 20 20 30)" \
        -channel A -threshold 50% +channel "$out/sea_cross.gif"

    # A sailing boat for the pre-test page, on the card.
    "$IM" -size 140x110 xc:"$CARD" \
        -fill "#cdeaf8" -stroke none -draw "ellipse 70,98 66,9 0,360" \
        -fill "$CORAL" -draw "polygon 24,78 116,78 104,94 36,94" \
        -fill "#8a5a2b" -draw "rectangle 68,10 71,78" \
        -fill white -stroke "#9cc7de" -strokewidth 1 -draw "polygon 73,12 73,74 112,74" \
        -fill "#ffd45c" -draw "polygon 66,22 66,74 34,74" \
        -fill "$SEA" -stroke none -draw "polygon 71,8 71,16 84,12" \
        -stroke "$SEA" -strokewidth 2 -fill none \
        -draw "arc 14,96 34,106 180,360" -draw "arc 106,96 126,106 180,360" \
        +dither -colors 64 "$out/sea_boat.gif"

    # A soft bubble when a button is pressed.
    "$SOX" -R -n -r 11025 -c 1 -b 8 "$out/sea_bloop.wav" \
        synth 0.09 sine 500-1300 fade q 0.005 0.09 0.05 vol 0.7

    # Preview: a three-choice question with the second answer chosen.
    "$IM" "$out/sea_beach.jpg" \
        -font DejaVu-Sans-Bold -pointsize 19 -fill "#0f6e9c" \
        -annotate +36+46 "Which animal is a mammal?" \
        "$out/sea_A1.gif" -geometry +40+96 -compose Over -composite \
        "$out/sea_B3.gif" -geometry +40+172 -compose Over -composite \
        "$out/sea_C1.gif" -geometry +40+248 -compose Over -composite \
        -font DejaVu-Sans -pointsize 17 -fill "$NAVY" \
        -annotate +114+124 "Shark" -annotate +114+200 "Dolphin" -annotate +114+276 "Octopus" \
        -resize 280x200 +dither -colors 128 "$out/Style.gif"
}

# ---------------------------------------------------------------------------
# Notebook: a lined exercise book marked in red pen, 1024 x 722 page.

PAPER="#fdfbf2"
INK="#23395d"
PEN_RED="#d7372f"
HIGHLIGHT="#fff176"

nb_background() {
    # Ruled lines from below the title down to the hidden strip at the bottom.
    nb_lines=""
    y=136
    while [ "$y" -le 690 ]; do
        nb_lines="$nb_lines line 0,$y 1023,$y"
        y=$((y + 32))
    done
    "$IM" -size 1024x722 xc:"$PAPER" -seed 17 -attenuate 0.15 +noise Gaussian \
        -stroke "#c6d9ee" -strokewidth 1 -draw "$nb_lines" \
        -stroke "#e9a3a0" -strokewidth 2 -draw "line 92,0 92,721" \
        -stroke "#d9d4c4" -strokewidth 1 -fill "#ffffff" \
        -draw "circle 44,180 44,166" -draw "circle 44,360 44,346" -draw "circle 44,540 44,526" \
        -quality 82 -sampling-factor 2x2 -strip "$out/nb_paper.jpg"
}

# nb_choice LETTER STATE OUT.png: a pencilled box around the letter, 48 x 48.
# over: pale blue; chosen: highlighted in yellow with a thicker pen.
nb_choice() {
    case $2 in
        normal) fill=none pen=2 ;;
        over) fill="#d6e9fb" pen=2 ;;
        chosen) fill=$HIGHLIGHT pen=4 ;;
    esac
    "$IM" -size 48x48 xc:none -fill "$fill" -stroke "$INK" -strokewidth "$pen" \
        -draw "path 'M 5,6 L 43,4 L 44,43 L 4,44 Z'" \
        -fill "$INK" -stroke none -font DejaVu-Serif-Bold -pointsize 24 -gravity center \
        -annotate +0+1 "$1" "$3"
}

# nb_truefalse LEFT RIGHT OUT.png: two pencilled boxes, tick and cross,
# 180 x 48; chosen true is marked with a green highlighter, chosen false
# with a pink one, the half under the pointer in pale blue.
nb_truefalse() {
    nb_fill() {
        case $1 in
            normal) echo none ;;
            over) echo "#d6e9fb" ;;
            chosen) echo "$2" ;;
        esac
    }
    lf=$(nb_fill "$1" "#bfeab3") rf=$(nb_fill "$2" "#ffc4cc")
    lp=2 rp=2
    [ "$1" = chosen ] && lp=4
    [ "$2" = chosen ] && rp=4
    "$IM" -size 180x48 xc:none \
        -fill "$lf" -stroke "$INK" -strokewidth "$lp" -draw "path 'M 4,5 L 88,4 L 88,44 L 3,43 Z'" \
        -fill "$rf" -stroke "$INK" -strokewidth "$rp" -draw "path 'M 92,4 L 176,5 L 177,43 L 92,44 Z'" \
        -fill none -stroke "$INK" -strokewidth 4 -draw "$ROUND $(tick_path 46 24 26)" \
        -draw "$ROUND $(cross_paths 134 24 24)" \
        "$3"
}

# nb_pencil OUT: a yellow pencil lying across the page, for the pre-test page.
nb_pencil() {
    "$IM" -size 240x60 xc:none \
        -fill "#f4c542" -stroke "#c9972a" -strokewidth 1 -draw "rectangle 40,20 190,40" \
        -fill "#e0ae33" -stroke none -draw "rectangle 40,27 190,33" \
        -fill "#b9b9b9" -draw "rectangle 190,19 204,41" \
        -fill "#f29bb0" -draw "roundrectangle 202,19 226,41 5,5" \
        -fill "#e8c9a0" -draw "polygon 40,20 40,40 12,30" \
        -fill "#3a3a3a" -draw "polygon 21,27 21,33 12,30" \
        -background none -rotate -14 -trim +repage \
        -channel A -threshold 50% +channel "$1"
}

draw_notebook() {
    nb_background
    for letter in A B C D; do
        nb_choice "$letter" normal "$tmp/nb_${letter}1.png"
        nb_choice "$letter" over "$tmp/nb_${letter}2.png"
        nb_choice "$letter" chosen "$tmp/nb_${letter}3.png"
        back_states "nb_${letter}" 3 "$PAPER"
    done
    nb_truefalse normal normal "$tmp/nb_tf1.png"
    nb_truefalse over normal "$tmp/nb_tf2.png"
    nb_truefalse normal over "$tmp/nb_tf3.png"
    nb_truefalse chosen normal "$tmp/nb_tf4.png"
    nb_truefalse normal chosen "$tmp/nb_tf5.png"
    nb_truefalse chosen over "$tmp/nb_tf6.png"
    nb_truefalse over chosen "$tmp/nb_tf7.png"
    back_states nb_tf 7 "$PAPER"

    # The teacher's red pen marks the player's answers.
    "$IM" -size 40x40 xc:none -fill none -stroke "$PEN_RED" -strokewidth 4 \
        -draw "$ROUND $(tick_path 20 20 32)" \
        -channel A -threshold 40% +channel "$out/nb_tick.gif"
    "$IM" -size 40x40 xc:none -fill none -stroke "$PEN_RED" -strokewidth 4 \
        -draw "$ROUND $(cross_paths 20 20 30)" \
        -channel A -threshold 40% +channel "$out/nb_cross.gif"

    nb_pencil "$out/nb_pencil.gif"

    # A pencil scratch when a button is pressed.
    "$SOX" -R -n -r 11025 -c 1 -b 8 "$out/nb_scratch.wav" \
        synth 0.1 pinknoise highpass 1500 fade q 0.01 0.1 0.06 vol 0.6

    # Preview: a three-choice question with the second answer chosen.
    "$IM" "$out/nb_paper.jpg" \
        -font DejaVu-Serif-Bold -pointsize 30 -fill "$INK" \
        -annotate +110+82 "Which word is a noun?" \
        "$out/nb_A1.gif" -geometry +120+150 -compose Over -composite \
        "$out/nb_B3.gif" -geometry +120+270 -compose Over -composite \
        "$out/nb_C1.gif" -geometry +120+390 -compose Over -composite \
        -font DejaVu-Serif -pointsize 28 -fill "$INK" \
        -annotate +200+184 "quickly" -annotate +200+304 "garden" -annotate +200+424 "bright" \
        -resize 280x200 +dither -colors 128 "$out/Style.gif"
}

case $style in
    Chalkboard) draw_chalkboard ;;
    Seaside) draw_seaside ;;
    Notebook) draw_notebook ;;
    *) echo "draw-style-art.sh: no drawing for style '$style'" >&2; exit 2 ;;
esac
