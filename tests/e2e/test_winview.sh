#!/usr/bin/env bash
# winview, the windowed viewer, driven with the real mouse on a 640x480
# screen: the Notes window topped by a click, moved by its title bar; the
# Picture window topped, sized with its sizer, scrolled with single and
# held arrow clicks on both axes, with page clicks on both tracks and with
# both sliders dragged; fulled and put back with its fuller; Notes closed
# with its closer and opened again from the menu; the about alert; the
# processor use while the viewer waits in evnt_multi; Quit with status 0.
#
# The viewer tells every message it handled and every rectangle it got on
# standard output. The test follows those lines: each message must come in
# its turn, each window's work area must be where the frame's geometry puts
# it, and each scroll, slider value and slider drag must give what the
# viewer's rules give. After each step the screen must show it: the
# picture in the work area at the scroll offsets, pixel for pixel (its
# pattern is computed here as the viewer computes it), the frames at their
# places with the top one's title striped, the sliders drawn at their sizes
# and positions, the notes' text where it was, and the desktop tree
# wherever no window covers it any more.

# Widget positions come as "X Y" and are split into two arguments:
# shellcheck disable=SC2046
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
start_xvfb 320x200
FLOOR_DISPLAY=$DISPLAY
start_xvfb 640x480
SW=640 SH=480

# ---- the viewer's lines ------------------------------------------------------

out="$E2E_TMP/winview.out"
xdotool mousemove 320 240  # where the layer puts the pointer at the start
: > "$out"  # there before the program starts: the test reads it at once
"$WINVIEW" > "$out" 2>&1 &
pid=$!
PX=320 PY=240  # where the pointer is

# Window handles: Notes is created first.
N=1 P=2
declare -a CX CY CW CH WX WY WW WH RD ARROWED
SX=0 SY=0          # the picture's scroll offsets, as the viewer's rules give them
PIC=512 LINE=16    # the picture's size and a line scroll

clamp() { local v=$1; ((v < $2)) && v=$2; ((v > $3)) && v=$3; echo "$v"; }
room_x() { local r=$((PIC - WW[$P])); echo $((r > 0 ? r : 0)); }
room_y() { local r=$((PIC - WH[$P])); echo $((r > 0 ? r : 0)); }

# absorb LINE: what a line of the viewer says is checked against the rules
# and remembered.
absorb() {
    local -a w
    read -r -a w <<< "$1"
    case ${w[0]} in
    rect)
        local h=${w[1]}
        CX[$h]=${w[3]} CY[$h]=${w[4]} CW[$h]=${w[5]} CH[$h]=${w[6]}
        WX[$h]=${w[8]} WY[$h]=${w[9]} WW[$h]=${w[10]} WH[$h]=${w[11]}
        # Picture: title and info line above (21 rows with the border),
        # scroll bars right and below (11); Notes: title only, and the
        # sizer's column at the right.
        local top=11 bottom=1
        [ "$h" = $P ] && top=21 bottom=11
        local want="$((CX[$h] + 1)) $((CY[$h] + top)) $((CW[$h] - 12)) $((CH[$h] - top - bottom))"
        [ "${WX[$h]} ${WY[$h]} ${WW[$h]} ${WH[$h]}" = "$want" ] ||
            e2e_fail "window $h's work area is ${WX[$h]} ${WY[$h]} ${WW[$h]} ${WH[$h]}, its frame puts it at $want"
        # A larger work area scrolls the picture back within it.
        if [ "$h" = $P ]; then
            SX=$(clamp $SX 0 "$(room_x)")
            SY=$(clamp $SY 0 "$(room_y)")
        fi
        ;;
    arrowed)
        [ "${w[1]}" = $P ] || e2e_fail "arrowed for window ${w[1]}"
        local x=$SX y=$SY
        case ${w[2]} in
        0) y=$((y - WH[$P])) ;; 1) y=$((y + WH[$P])) ;;
        2) y=$((y - LINE)) ;; 3) y=$((y + LINE)) ;;
        4) x=$((x - WW[$P])) ;; 5) x=$((x + WW[$P])) ;;
        6) x=$((x - LINE)) ;; 7) x=$((x + LINE)) ;;
        *) e2e_fail "arrowed with action ${w[2]}" ;;
        esac
        SX=$(clamp $x 0 "$(room_x)") SY=$(clamp $y 0 "$(room_y)")
        ARROWED[${w[2]}]=$((${ARROWED[${w[2]}]:-0} + 1))
        [ "${w[5]} ${w[6]}" = "$SX $SY" ] ||
            e2e_fail "'$1': the scroll should be $SX $SY"
        ;;
    hslid | vslid)
        if [ "${w[0]}" = hslid ]; then SX=$((w[2] * $(room_x) / 1000)); else SY=$((w[2] * $(room_y) / 1000)); fi
        [ "${w[5]} ${w[6]}" = "$SX $SY" ] || e2e_fail "'$1': the scroll should be $SX $SY"
        ;;
    sliders)
        local rx ry want
        rx=$(room_x) ry=$(room_y)
        want="$P $((rx > 0 ? SX * 1000 / rx : 0)) $((WW[$P] >= PIC ? 1000 : WW[$P] * 1000 / PIC))"
        want+=" $((ry > 0 ? SY * 1000 / ry : 0)) $((WH[$P] >= PIC ? 1000 : WH[$P] * 1000 / PIC))"
        [ "${w[*]:1}" = "$want" ] || e2e_fail "'$1': the sliders should be $want"
        ;;
    redraw)
        local h=${w[1]}
        # A redraw asks for a part of the work area.
        ((w[2] >= WX[$h] && w[3] >= WY[$h] && w[2] + w[4] <= WX[$h] + WW[$h] &&
            w[3] + w[5] <= WY[$h] + WH[$h] && w[4] > 0 && w[5] > 0)) ||
            e2e_fail "'$1' is not inside window $h's work area ${WX[$h]} ${WY[$h]} ${WW[$h]} ${WH[$h]}"
        RD[$h]="${w[*]:2}"
        ;;
    esac
}

# next_line: the viewer's next line in $line, absorbed (30 s at most).
said=0
next_line() {
    local i
    for i in $(seq 600); do
        line=$(sed -n "$((said + 1))p" "$out")
        if [ -z "$line" ] && ! kill -0 "$pid" 2>/dev/null; then
            line=$(sed -n "$((said + 1))p" "$out")
            [ -n "$line" ] || e2e_fail "winview ended before '$1'"
        fi
        if [ -n "$line" ]; then
            said=$((said + 1))
            absorb "$line"
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "winview never said '$1'"
}

# expect TEXT [ALLOWED]: lines are read until one starts with TEXT; the ones
# before it must match the regular expression ALLOWED (by default the
# redraws, rectangles and slider values that come with any change).
NOISE='^(redraw|rect|sliders) '
expect() {
    local allowed=${2:-$NOISE}
    while :; do
        next_line "$1"
        [[ "$line" == "$1"* ]] && return 0
        [[ "$line" =~ $allowed ]] || e2e_fail "expected '$1', winview said '$line'"
    done
}

# ---- the screen ---------------------------------------------------------------

SCR="$E2E_TMP/screen.rgb"
# grab [FILE]: the screen as 8-bit RGB triples.
grab() { import -window root -depth 8 "rgb:${1:-$SCR}" 2>/dev/null; }
# region X Y W H [FILE]: that part of a grabbed screen, one "R G B" a line.
region() {
    convert -size ${SW}x$SH -depth 8 "rgb:${5:-$SCR}" -crop "$3x$4+$1+$2" +repage -depth 8 rgb:- |
        od -An -tu1 -v -w3
}
# rgb X Y [FILE]: one pixel, "R G B".
rgb() { od -An -tu1 -j $((($2 * SW + $1) * 3)) -N3 "${3:-$SCR}" | xargs; }

# 6-bit palette values shown in 8 bits (the X server's conversion).
WHITE="255 255 255" BLACK="0 0 0" DESK="125 125 255"

# The pointer's cursor is left out of every comparison: the square from
# (PX - 2, PY - 2) that holds the 11 x 16 arrow.
AWK_CURSOR='function cursor(x, y) { return x >= px - 2 && x < px + 14 && y >= py - 2 && y < py + 18 }'

# Each check prints why it fails, or nothing.

# pic_ok X Y W H: that part of the screen is the picture at the scroll
# offsets: tiles of 64 with red 9 tx, green 9 ty and blue 48 or 16 (of 63),
# a black grid every 16 pixels, grey beyond the picture.
pic_ok() {
    region "$@" | awk -v x0="$1" -v y0="$2" -v w="$3" -v wx="${WX[$P]}" -v wy="${WY[$P]}" \
        -v sx="$SX" -v sy="$SY" -v px="$PX" -v py="$PY" "$AWK_CURSOR"'
        function six(v) { return v * 4 + int(v / 16) }
        {
            x = x0 + (NR - 1) % w; y = y0 + int((NR - 1) / w)
            if (cursor(x, y)) next
            ix = sx + x - wx; iy = sy + y - wy
            if (ix >= 512 || iy >= 512) want = six(31) " " six(31) " " six(31)
            else if (ix % 16 == 0 || iy % 16 == 0) want = "0 0 0"
            else {
                tx = int(ix / 64); ty = int(iy / 64)
                want = six(9 * tx) " " six(9 * ty) " " six((tx + ty) % 2 ? 48 : 16)
            }
            got = $1 " " $2 " " $3
            if (got != want && !bad++) first = "(" x ", " y ") is " got ", not " want
        }
        END { if (bad) print bad " pixels of the picture at scroll " sx " " sy " differ; " first }'
}

# fill_ok X Y W H RGB: that part of the screen is all colour RGB.
fill_ok() {
    region "$1" "$2" "$3" "$4" | awk -v x0="$1" -v y0="$2" -v w="$3" -v want="$5" \
        -v px="$PX" -v py="$PY" "$AWK_CURSOR"'
        {
            x = x0 + (NR - 1) % w; y = y0 + int((NR - 1) / w)
            if (cursor(x, y)) next
            got = $1 " " $2 " " $3
            if (got != want && !bad++) first = "(" x ", " y ") is " got
        }
        END { if (bad) print bad " pixels are not " want "; " first }'
}

# text_ok X Y W H: that part of the screen is black text on white, with
# some text in it.
text_ok() {
    region "$@" | awk -v x0="$1" -v y0="$2" -v w="$3" -v px="$PX" -v py="$PY" "$AWK_CURSOR"'
        {
            x = x0 + (NR - 1) % w; y = y0 + int((NR - 1) / w)
            if (cursor(x, y)) next
            got = $1 " " $2 " " $3
            if (got == "0 0 0") ink++
            else if (got != "255 255 255" && !bad++) first = "(" x ", " y ") is " got
        }
        END {
            if (bad) print bad " pixels are neither black nor white; " first
            else if (!ink) print "no text in " w " x " NR / w " at " x0 " " y0
        }'
}

# same_ok REF RX RY X Y W H: the screen's part W x H at (X, Y) is the part
# at (RX, RY) of the grabbed screen REF (taken with the pointer at RPX, RPY).
same_ok() {
    paste -d' ' <(region "$4" "$5" "$6" "$7") <(region "$2" "$3" "$6" "$7" "$1") |
        awk -v x0="$4" -v y0="$5" -v w="$6" -v dx="$(($2 - $4))" -v dy="$(($3 - $5))" \
            -v px="$PX" -v py="$PY" -v rpx="$RPX" -v rpy="$RPY" "$AWK_CURSOR"'
        {
            x = x0 + (NR - 1) % w; y = y0 + int((NR - 1) / w)
            if (cursor(x, y)) next
            if (x + dx >= rpx - 2 && x + dx < rpx + 14 && y + dy >= rpy - 2 && y + dy < rpy + 18) next
            if (($1 " " $2 " " $3) != ($4 " " $5 " " $6) && !bad++)
                first = "(" x ", " y ") is " $1 " " $2 " " $3 ", was " $4 " " $5 " " $6
        }
        END { if (bad) print bad " pixels differ from before; " first }'
}

# keep NAME: the screen now is kept as reference NAME, with the pointer's place.
declare -A REF_PX REF_PY
keep() {
    grab "$E2E_TMP/ref.$1.rgb" || e2e_fail "no screenshot"
    REF_PX[$1]=$PX REF_PY[$1]=$PY
}
# same_as NAME RX RY X Y W H: same_ok against reference NAME.
same_as() { RPX=${REF_PX[$1]} RPY=${REF_PY[$1]} same_ok "$E2E_TMP/ref.$1.rgb" "${@:2}"; }

# frame_ok H top|under [ABOVE]: window H's frame at its place: the border's
# corners and the middles of its sides black, and the name cell striped
# when it is on top; points under window ABOVE are left out.
frame_ok() {
    local h=$1 x=${CX[$1]} y=${CY[$1]} r b stripe p
    r=$((x + CW[$1] - 1)) b=$((y + CH[$1] - 1))
    hidden() {  # X Y: under window ABOVE
        [ -n "${1:-}" ] && [ -n "$above" ] &&
            (($1 >= CX[$above] && $1 < CX[$above] + CW[$above] && $2 >= CY[$above] &&
                $2 < CY[$above] + CH[$above]))
    }
    local above=${3:-}
    for p in "$x $y" "$r $y" "$x $b" "$r $b" "$x $(((y + b) / 2))" "$r $(((y + b) / 2))" \
        "$(((x + r) / 2)) $y" "$(((x + r) / 2)) $b"; do
        # shellcheck disable=SC2086
        hidden $p && continue
        # shellcheck disable=SC2086
        [ "$(rgb $p)" = "$BLACK" ] || { echo "window $h's border at ($p) is $(rgb $p)"; return; }
    done
    # The name cell's first inner row is striped on top, its second never.
    for p in $((x + 13)) $((r - 13)); do
        hidden "$p" $((y + 2)) && continue
        stripe=$([ "$2" = top ] && echo "$BLACK" || echo "$WHITE")
        [ "$(rgb "$p" $((y + 2)))" = "$stripe" ] && [ "$(rgb "$p" $((y + 3)))" = "$WHITE" ] ||
            { echo "window $h's name cell at x $p is not drawn as $2: $(rgb "$p" $((y + 2))) over $(rgb "$p" $((y + 3)))"; return; }
    done
}

# The scroll bars of the picture window: tracks between the arrows, the
# sliders' length and offset in them as the layer works them out.
vtrack() { echo $((CY[$P] + 30)) $((CY[$P] + CH[$P] - 20)); }  # first row, row after
htrack() { echo $((CX[$P] + 10)) $((CX[$P] + CW[$P] - 20)); }
# slider LENGTH SIZE POSITION: "sl at" for a track of LENGTH inner pixels.
slider() {
    local len=$1 size=$2 pos=$3 small sl
    small=$((len < 9 ? len : 9))
    sl=$((len * (size > 1000 ? 1000 : size) / 1000))
    sl=$(clamp $sl $small $len)
    echo "$sl $(((len - sl) * pos / 1000))"
}
# white_run X Y W H: "start length" of the longest white run along that row
# or column (W or H is 1).
white_run() {
    region "$@" | awk -v step="$(($3 == 1))" -v x0="$1" -v y0="$2" '
        { at = step ? y0 + NR - 1 : x0 + NR - 1
          if ($0 ~ /^ *255 +255 +255$/) { if (!run) start = at; run++; if (run > best) { best = run; bs = start } }
          else run = 0 }
        END { print bs " " best }'
}
# sliders_ok: both sliders where their values put them.
sliders_ok() {
    local t1 t2 sl at got hp hs vp vs rx ry
    rx=$(room_x) ry=$(room_y)
    hp=$((rx > 0 ? SX * 1000 / rx : 0)) hs=$((WW[$P] >= PIC ? 1000 : WW[$P] * 1000 / PIC))
    vp=$((ry > 0 ? SY * 1000 / ry : 0)) vs=$((WH[$P] >= PIC ? 1000 : WH[$P] * 1000 / PIC))
    read -r t1 t2 < <(vtrack)
    read -r sl at < <(slider $((t2 - t1 - 2)) $vs $vp)
    got=$(white_run $((CX[$P] + CW[$P] - 6)) $((t1 + 1)) 1 $((t2 - t1 - 2)))
    [ "$got" = "$((t1 + at + 1)) $sl" ] || { echo "vertical slider: white rows $got, not $((t1 + at + 1)) $sl"; return; }
    read -r t1 t2 < <(htrack)
    read -r sl at < <(slider $((t2 - t1 - 2)) $hs $hp)
    got=$(white_run $((t1 + 1)) $((CY[$P] + CH[$P] - 6)) $((t2 - t1 - 2)) 1)
    [ "$got" = "$((t1 + at + 1)) $sl" ] || echo "horizontal slider: white columns $got, not $((t1 + at + 1)) $sl"
}

# all CHECK...: each check (a command line, evaluated now) in turn; the first
# failure's reason.
all() {
    local c why
    for c in "$@"; do
        why=$(eval "$c")
        [ -z "$why" ] || { echo "$why"; return; }
    done
}

# drain: the lines the viewer has said so far that match $DRAIN are
# absorbed; the first that does not is left for the next expect.
DRAIN='^$'
drain() {
    local l
    while l=$(sed -n "$((said + 1))p" "$out") && [ -n "$l" ] && [[ "$l" =~ $DRAIN ]]; do
        said=$((said + 1))
        absorb "$l"
    done
}

# await WHAT CHECK...: until one screenshot passes every check (30 s at most).
# Lines matching $DRAIN are absorbed before each screenshot.
await() {
    local what=$1 why=none deadline=$((SECONDS + 30))
    shift
    while ((SECONDS < deadline)); do
        drain
        if grab; then
            why=$(all "$@")
            [ -z "$why" ] && return 0
        fi
        sleep 0.2
    done
    convert -size ${SW}x$SH -depth 8 "rgb:$SCR" "$OUT_DIR/failed-test_winview.png" 2>/dev/null || true
    e2e_fail "the screen never showed $what: $why (last screen: $OUT_DIR/failed-test_winview.png)"
}

# ---- the mouse ----------------------------------------------------------------

# go X Y: the pointer to (X, Y), once the viewer's cursor shows there. From
# a place nearby it first steps aside, so that the move shows.
go() {
    if (($1 - PX < 20 && PX - $1 < 20 && $2 - PY < 24 && PY - $2 < 24)); then
        local ax=$(($1 > 320 ? $1 - 40 : $1 + 40))
        point_at "$ax" "$2"
    fi
    point_at "$1" "$2"
    PX=$1 PY=$2
}
# rest: the pointer out of the way, at the desktop's left edge.
rest() { [ "$PX $PY" = "3 300" ] || go 3 300; }
# press_at X Y: a click there (held 100 ms).
press_at() { go "$1" "$2"; click 1; }

# drag X0 Y0 X1 Y1 SX SY EX EY: the left button pressed at (X0, Y0); once
# pixel (SX, SY) has changed (the outline is drawn) the pointer moves to
# (X1, Y1) in steps; once pixel (EX, EY) differs from before the press (the
# outline has followed), the button is released.
drag() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i before="$E2E_TMP/before.rgb" was deadline
    go "$x0" "$y0"
    grab "$before" || e2e_fail "no screenshot"
    was=$(rgb "$5" "$6" "$before")
    xdotool mousedown 1
    deadline=$((SECONDS + 30))
    until grab && [ "$(rgb "$5" "$6")" != "$was" ]; do
        ((SECONDS < deadline)) || e2e_fail "no outline at ($5, $6) after a press at ($x0, $y0)"
        sleep 0.1
    done
    for i in 1 2 3; do
        xdotool mousemove $((x0 + (x1 - x0) * i / 4)) $((y0 + (y1 - y0) * i / 4))
        sleep 0.05
    done
    was=$(rgb "$7" "$8" "$before")
    deadline=$((SECONDS + 30))
    xdotool mousemove "$x1" "$y1"
    until grab && [ "$(rgb "$7" "$8")" != "$was" ]; do
        ((SECONDS < deadline)) || e2e_fail "the outline never reached ($7, $8) for the pointer at ($x1, $y1)"
        # Allegro can miss a motion on a busy machine: nudged and back.
        xdotool mousemove $((x1 + 1)) "$y1" mousemove "$x1" "$y1"
        sleep 0.1
    done
    xdotool mouseup 1
    PX=$x1 PY=$y1
}

# Work area, outer rectangle and widgets of window H.
work() { echo "${WX[$1]} ${WY[$1]} ${WW[$1]} ${WH[$1]}"; }
closer() { echo $((CX[$1] + 5)) $((CY[$1] + 5)); }
fuller() { echo $((CX[$1] + CW[$1] - 6)) $((CY[$1] + 5)); }
sizer() { echo $((CX[$1] + CW[$1] - 6)) $((CY[$1] + CH[$1] - 6)); }
up_arrow() { echo $((CX[$P] + CW[$P] - 6)) $((CY[$P] + 25)); }
down_arrow() { echo $((CX[$P] + CW[$P] - 6)) $((CY[$P] + CH[$P] - 16)); }
left_arrow() { echo $((CX[$P] + 5)) $((CY[$P] + CH[$P] - 6)); }
right_arrow() { echo $((CX[$P] + CW[$P] - 16)) $((CY[$P] + CH[$P] - 6)); }
# overlap A B: "x y w h" of two "x y w h" rectangles' overlap ("" if none).
overlap() {
    local -a a b
    read -r -a a <<< "$1"
    read -r -a b <<< "$2"
    local x1=$((a[0] > b[0] ? a[0] : b[0])) y1=$((a[1] > b[1] ? a[1] : b[1]))
    local x2=$((a[0] + a[2] < b[0] + b[2] ? a[0] + a[2] : b[0] + b[2]))
    local y2=$((a[1] + a[3] < b[1] + b[3] ? a[1] + a[3] : b[1] + b[3]))
    ((x2 > x1 && y2 > y1)) && echo "$x1 $y1 $((x2 - x1)) $((y2 - y1))"
    return 0
}
outer() { echo "${CX[$1]} ${CY[$1]} ${CW[$1]} ${CH[$1]}"; }
picture_whole() { echo "pic_ok $(work $P)"; }

# ---- the start: Notes, then Picture on top of it --------------------------------

expect "opened $N Notes"
expect "opened $P Picture"
expect ready
# Each work area is painted once, whole; nothing else is asked.
expect "redraw $N"
[ "${RD[$N]}" = "$(work $N)" ] || e2e_fail "Notes' first redraw is ${RD[$N]}, not its work area"
expect "redraw $P"
[ "${RD[$P]}" = "$(work $P)" ] || e2e_fail "Picture's first redraw is ${RD[$P]}, not its work area"
rest
# Notes' part right of the picture: text; the desktop tree below the windows
# and right of them.
read -r nx ny nw nh < <(work $N)
right_of_picture=$((CX[$P] + CW[$P]))
await "the two windows over the desktop tree" "$(picture_whole)" "frame_ok $P top" \
    "frame_ok $N under $P" "sliders_ok" \
    "text_ok $right_of_picture $ny $((nx + nw - right_of_picture)) $nh" \
    "fill_ok 80 $((CY[$P] + CH[$P] + 4)) 240 100 '$DESK'" "fill_ok 460 20 170 160 '$DESK'"
shot "$OUT_DIR/winview.png"
echo "start: both windows drawn, picture at scroll 0 0, sliders 718 and 523 thousandths"

# ---- Notes topped by a click on the part that shows ----------------------------

press_at 600 400
expect "topped $N"
expect "redraw $N"
# What the picture covered of Notes' work area, and nothing more.
covered=$(overlap "$(work $N)" "$(outer $P)")
[ "${RD[$N]}" = "$covered" ] || e2e_fail "Notes topped: redraw ${RD[$N]}, the covered part is $covered"
rest
read -r nx ny nw nh < <(work $N)
await "Notes on top, its covered part painted" "frame_ok $N top" "frame_ok $P under $N" \
    "text_ok $(work $N)" "pic_ok ${WX[P]} ${WY[P]} $((CX[N] - WX[P])) ${WH[P]}"
keep notes
NOTES_AT="$nx $ny $nw $nh"
echo "topped: Notes on top, the part the picture covered painted (redraw $covered)"

# ---- Notes moved by its title bar ------------------------------------------------

ox=${CX[$N]} oy=${CY[$N]} old_work="$(work $N)"
# The outline starts on the border; it ends on the new place's left side.
drag $((ox + 40)) $((oy + 5)) $((ox - 110)) $((oy + 45)) \
    "$ox" $((oy + CH[N] / 2)) $((ox - 150)) $((oy + 40 + CH[N] / 2))
expect "moved $N $((ox - 150)) $((oy + 40)) ${CW[$N]} ${CH[$N]}"
expect "rect $N curr $((ox - 150)) $((oy + 40))"
rest
# The old place right of the new one is desktop again; the text came along.
read -r x0 y0 _ _ <<< "$NOTES_AT"
await "Notes at its new place" "frame_ok $N top" "frame_ok $P under $N" \
    "same_as notes $x0 $y0 $(work $N)" \
    "fill_ok $((CX[N] + CW[N] + 2)) $oy $((ox + CW[N] - CX[N] - CW[N] - 2)) ${CH[$N]} '$DESK'" \
    "pic_ok ${WX[P]} ${WY[P]} ${WW[P]} $((CY[N] - WY[P]))"
echo "moved: Notes dragged by (-150, 40), its text copied along, the desktop tree uncovered"

# ---- Picture topped, then sized with its sizer -----------------------------------

press_at $((CX[P] + 20)) $((CY[P] + 60))
expect "topped $P"
expect "redraw $P"
covered=$(overlap "$(work $P)" "$(outer $N)")
[ "${RD[$P]}" = "$covered" ] || e2e_fail "Picture topped: redraw ${RD[$P]}, the covered part is $covered"
rest
await "Picture on top again" "$(picture_whole)" "frame_ok $P top" "frame_ok $N under $P"
read -r sx sy < <(sizer $P)
ow=${CW[$P]} oh=${CH[$P]}
drag "$sx" "$sy" $((sx + 60)) $((sy + 40)) \
    $((CX[P] + ow - 1)) $((CY[P] + oh / 2)) $((CX[P] + ow + 59)) $((CY[P] + oh / 2))
expect "sized $P ${CX[$P]} ${CY[$P]} $((ow + 60)) $((oh + 40))"
expect "rect $P"
expect "sliders $P"
expect "redraw $P"
# The strips gained right and below: together, the new work area's bounds.
[ "${RD[$P]}" = "$(work $P)" ] || e2e_fail "Picture sized: redraw ${RD[$P]}, not $(work $P)"
rest
await "Picture sized" "$(picture_whole)" "frame_ok $P top" "sliders_ok"
echo "sized: Picture $((ow + 60)) x $((oh + 40)), its sliders $((WW[P] * 1000 / PIC)) and $((WH[P] * 1000 / PIC)) thousandths"

# ---- arrows: single clicks on each, and the down arrow held ----------------------

# scrolled X Y ACTION: a click at (X, Y) scrolls the picture with ACTION.
# On a busy machine a click may last past the first repeat (250 ms): the
# repeats of this click and of the one before are allowed, and each one is
# checked like the first.
LAST=none
scrolled() {
    press_at "$1" "$2"
    expect "arrowed $P $3" "^(redraw|rect|sliders|arrowed $P ($3|$LAST)) "
    LAST=$3
    rest
    DRAIN="^(redraw|sliders|arrowed $P $3) " await "the picture scrolled by action $3" \
        "$(picture_whole)" "sliders_ok"
}
for a in "down_arrow 3" "right_arrow 7" "up_arrow 2" "right_arrow 7" "left_arrow 6"; do
    set -- $a
    scrolled $($1) "$2"
    echo "arrow: action $2, scroll $SX $SY"
done

go $(down_arrow)
before=${ARROWED[3]}
xdotool mousedown 1
for i in 1 2 3 4 5; do expect "arrowed $P 3" "^(redraw|sliders|arrowed $P $LAST) "; done
xdotool mouseup 1
# The next click's message follows the last repeat.
LAST=3
scrolled $(up_arrow) 2
echo "held arrow: $((ARROWED[3] - before)) lines down while held, then one up: scroll $SX $SY"

# ---- a page on each track -----------------------------------------------------------

read -r t1 t2 < <(vtrack)
read -r sl at < <(slider $((t2 - t1 - 2)) $((WH[P] * 1000 / PIC)) $((SY * 1000 / $(room_y))))
below=$((t1 + at + sl + 2))  # the row after the slider
((t2 - 1 - below >= 3)) || e2e_fail "no room below the vertical slider"
scrolled $((CX[P] + CW[P] - 6)) $(((below + t2 - 1) / 2)) 1
read -r t1 t2 < <(htrack)
read -r sl at < <(slider $((t2 - t1 - 2)) $((WW[P] * 1000 / PIC)) $((SX * 1000 / $(room_x))))
right=$((t1 + at + sl + 2))
((t2 - 1 - right >= 3)) || e2e_fail "no room right of the horizontal slider"
scrolled $(((right + t2 - 1) / 2)) $((CY[P] + CH[P] - 6)) 5
echo "pages: down and right on the tracks, scroll $SX $SY"

# ---- both sliders dragged ------------------------------------------------------------

# slide_drag vertical|horizontal SHIFT: the slider pressed in its middle and
# moved SHIFT pixels along its track; the position the layer gives for the
# new offset is the one the viewer must get.
slide_drag() {
    local t1 t2 len sl at size pos room to p0 q
    if [ "$1" = vertical ]; then
        read -r t1 t2 < <(vtrack)
        size=$((WH[P] * 1000 / PIC)) pos=$((SY * 1000 / $(room_y)))
    else
        read -r t1 t2 < <(htrack)
        size=$((WW[P] * 1000 / PIC)) pos=$((SX * 1000 / $(room_x)))
    fi
    len=$((t2 - t1 - 2))
    read -r sl at < <(slider $len $size $pos)
    room=$((len - sl))
    to=$(clamp $((at + $2)) 0 $room)
    p0=$((t1 + at + (sl + 2) / 2))  # the slider's middle along the track
    q=$([ "$1" = vertical ] && echo $((CX[P] + CW[P] - 6)) || echo $((CY[P] + CH[P] - 6)))
    # The outline's first line: the slider's own edge, then its new place.
    if [ "$1" = vertical ]; then
        drag "$q" $p0 "$q" $((p0 + $2)) "$q" $((t1 + at)) "$q" $((t1 + to))
        expect "vslid $P $((to * 1000 / room)) " "^(redraw|sliders|arrowed $P $LAST) "
    else
        drag $p0 "$q" $((p0 + $2)) "$q" $((t1 + at)) "$q" $((t1 + to)) "$q"
        expect "hslid $P $((to * 1000 / room)) "
    fi
    expect "sliders $P"
}
slide_drag vertical -40
slide_drag horizontal -25
rest
await "the picture where the sliders were dragged" "$(picture_whole)" "sliders_ok"
echo "sliders: dragged up 40 and left 25 pixels, scroll $SX $SY"

# ---- fulled and back -----------------------------------------------------------------

was="$(outer $P)"
press_at $(fuller $P)
expect "fulled $P"
expect "rect $P curr 0 11 640 469"
expect "sliders $P"
rest
await "Picture over the whole desktop" "$(picture_whole)" "frame_ok $P top" "sliders_ok"
echo "fulled: Picture 0 11 640 469, the work area beyond the picture grey, scroll $SX $SY"
press_at $(fuller $P)
expect "fulled $P"
expect "rect $P curr $was"
expect "sliders $P"
expect "redraw $N"
rest
read -r nx ny nw nh < <(work $N)
# Notes shows below the picture again, as it was; the desktop right of the
# picture is the tree again.
py2=$((CY[P] + CH[P]))
await "Picture back at $was" "$(picture_whole)" "frame_ok $P top" "sliders_ok" \
    "same_as notes $x0 $((y0 + py2 - ny)) $nx $py2 $nw $((ny + nh - py2))" \
    "fill_ok $((CX[P] + CW[P] + 2)) 20 $((SW - CX[P] - CW[P] - 4)) 200 '$DESK'"
echo "unfulled: Picture back at $was, Notes and the desktop tree uncovered"
# A line up paints the whole work area again.
scrolled $(up_arrow) 2

# ---- Notes closed with its closer, opened again from the menu --------------------------

press_at $((CX[N] + 20)) $((CY[N] + CH[N] - 10))
expect "topped $N"
expect "redraw $N"
rest
read -r nx ny nw nh < <(work $N)
await "Notes on top" "frame_ok $N top" "frame_ok $P under $N" "same_as notes $x0 $y0 $nx $ny $nw $nh"
gone="$(outer $N)"
press_at $(closer $N)
expect "closed $N"
expect "newtop $P"
read -r gx gy gw gh <<< "$gone"
rest
# Where Notes was: the picture, and below it the desktop tree.
await "Notes closed" "frame_ok $P top" "$(picture_whole)" \
    "fill_ok $gx $py2 $gw $((gy + gh - py2)) '$DESK'"
echo "closed: Notes gone, the picture on top again (WM_NEWTOP), the desktop tree where Notes was"

# The menu: Desk's box (152 x 8 at (8, 11)) and File's (144 x 24 at (56, 11))
# are white inside right of their texts and framed one pixel outside.
FILE_TITLE=80 DESK_TITLE=32
declare -A BOX_RIGHT=([$DESK_TITLE]=160 [$FILE_TITLE]=200)
entry_y() { echo $((15 + 8 * $1)); }
# choose TITLE ENTRY: the box dropped from the title, the entry highlighted
# (black at the box's right end), then clicked.
choose() {
    local r=${BOX_RIGHT[$1]} y
    y=$(entry_y "$2")
    go "$1" 5
    await "the box under title $1" "[ \"\$(rgb $((r - 4)) 15) \$(rgb $r 15)\" = \"$WHITE $BLACK\" ] || echo 'no box'"
    go "$1" "$y"
    await "entry $2 highlighted" "[ \"\$(rgb $((r - 4)) $y)\" = \"$BLACK\" ] || echo 'not highlighted'"
    click 1
}
choose $FILE_TITLE 1
expect "chose notes"
expect "rect $N curr $gone"
expect "opened $N Notes"
expect "redraw $N"
[ "${RD[$N]}" = "$(work $N)" ] || e2e_fail "Notes opened again: redraw ${RD[$N]}, not its work area"
rest
await "Notes open again" "frame_ok $N top" "frame_ok $P under $N" "same_as notes $x0 $y0 $(work $N)"
shot "$OUT_DIR/winview_scrolled.png"
echo "opened again from the menu at its last place, text as before"

# ---- the about alert, and the screen put back ---------------------------------------------

keep about
choose $DESK_TITLE 0
expect "chose about"
# The alert covers the middle of the screen until it is answered.
await "the about alert" '[ -n "$(same_as about 220 210 220 210 200 60)" ] || echo "no alert"'
press Return
expect "about closed"
rest
await "the screen as before the alert" "same_as about 0 11 0 11 $SW $((SH - 11))"
echo "about: the alert answered, the screen as it was"

# ---- processor use while waiting ------------------------------------------------------------

DISPLAY=$FLOOR_DISPLAY "$GEM_PROBE" input_wait sleep 600000 > "$E2E_TMP/floor.out" 2>&1 &
floor=$!
(out="$E2E_TMP/floor.out" pid=$floor wait_line "ready sleep")
sleep 1
near_floor "$floor" "winview waiting in evnt_multi" "$pid"
kill "$floor"
wait "$floor" 2>/dev/null || true

# ---- Quit ---------------------------------------------------------------------------------------

choose $FILE_TITLE 2
expect "chose quit"
expect bye
status=0
wait_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || e2e_fail "winview ended with status $status"
echo "winview: all checks passed; status 0"
