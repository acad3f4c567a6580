#!/usr/bin/env bash
# memo, the program written the classic way, driven on a 640x480 screen:
# its classic resource loaded, two overlapping windows redrawn through
# their rectangle lists (the memo's frame, drawn with v_pline, kept out of
# the window above it), the memo window topped, the settings dialog (a radio
# button, two editable fields, Return for OK), File > Save writing MEMO.OUT
# through GEMDOS with the classic path it tells, the program's alert from
# its free string, and Quit with status 0. Then, in a folder without its
# resource, the program's own alert and status 1.
#
# $MEMO is the program (the build's, or one built outside the tree).
set -euo pipefail
. "$(dirname "$0")/lib.sh"

MEMO=${MEMO:-$BUILD_DIR/examples/memo}
start_xvfb 640x480
work="$E2E_TMP/memo"
mkdir "$work"
cp "$BUILD_DIR/examples/MEMO.RSC" "$work/"
printf 'First line of the memo\nSecond line\nThird line\nFourth line\n' > "$work/MEMO.TXT"

out="$E2E_TMP/memo.out"
: > "$out"
xdotool mousemove 600 400
(cd "$work" && exec "$MEMO") > "$out" 2>&1 &
pid=$!

# expect TEXT: the program's lines are read on until one is TEXT (30 s).
said=0
expect() {
    local i line
    for i in $(seq 600); do
        while line=$(sed -n "$((said + 1))p" "$out") && [ -n "$line" ]; do
            said=$((said + 1))
            [ "$line" = "$1" ] && return 0
        done
        kill -0 "$pid" 2>/dev/null || [ -n "$(sed -n "$((said + 1))p" "$out")" ] ||
            e2e_fail "memo ended before '$1'"
        sleep 0.05
    done
    e2e_fail "memo never said '$1'"
}

BLACK=0,0,0 WHITE=255,255,255
# blank WxH: the hash of a white part of that size, for "nothing drawn here".
blank() {
    convert -size "$1" xc:white "$E2E_TMP/blank.png"
    sig "$E2E_TMP/blank.png" "$1+0+0"
}
THIRD_LINE=152x7+48+86 INFO_TEXT=100x8+328+225 ALERT_MIDDLE=160x40+240+220

# choose TITLE_X BOX_X ENTRY_Y HIGHLIGHT_X: the menu under the title at
# TITLE_X dropped (its box framed at BOX_X - 1), the entry at ENTRY_Y
# highlighted, then clicked.
choose() {
    point_at "$1" 4
    wait_screen $(($2 - 1)) "$3" "$BLACK"
    point_at $(($2 + 8)) "$3"
    wait_screen "$4" "$3" "$BLACK"
    click 1
}

# ---- the start: the memo window below the info window --------------------

expect "work 1 40 60 400 200"
expect "work 2 320 220 200 60"
expect ready
expect "redraw 1 40 60 400 200 parts 2"
expect "redraw 2 320 220 200 60 parts 1"
# The memo's frame runs down x 435: drawn beside the info window, clipped
# where the info window covers it; the info window's text is there.
wait_screen 435 150 "$BLACK" 435 240 "$WHITE"
wait_looks "the third line and the info text" "$THIRD_LINE" "!$(blank 152x7)" \
    "$INFO_TEXT" "!$(blank 100x8)"
shot "$OUT_DIR/classic_memo.png"
echo "start: MEMO.RSC loaded, two windows redrawn through rectangle lists, the frame clipped"

# ---- the memo window topped: the part it had hidden is drawn -------------------

# The pointer is seen there before the press (a busy machine can drop a
# motion that comes just before one).
point_at 60 150
click 1
expect "topped 1"
expect "redraw 1 319 209 121 51 parts 1"
wait_screen 435 240 "$BLACK"
echo "topped: the memo window's hidden part redrawn, its frame now whole"

# ---- the settings dialog -------------------------------------------------------

choose 140 112 15 220
expect dialog
# Centred: Thin is selected (its left end black), Thick is not.
wait_screen 266 253 "$BLACK" 394 253 "$WHITE"
point_at 416 256
click 1
wait_screen 266 253 "$WHITE" 394 253 "$BLACK"
# The name field has the cursor after "nobody": cleared and typed; Tab to
# the lines field, "3" cleared and 2 typed; Return is OK.
press BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 "Ada"
press Tab BackSpace
xdotool type --delay 80 "2"
press Return
expect "settings Ada 2 3"
expect "redraw 1 40 60 400 200 parts 1"
# Two lines now, the third gone; the frame three pixels wide.
wait_screen 434 150 "$BLACK" 436 150 "$BLACK" 433 150 "$WHITE"
wait_looks "the third line gone" "$THIRD_LINE" "$(blank 152x7)"
echo "dialog: Thick chosen, the name and the line count typed, OK by Return"

# ---- File > Save through GEMDOS ---------------------------------------------------

shot "$E2E_TMP/before_save.png"
choose 88 64 15 140
classic=$(printf 'C:%s\\MEMO.OUT' "$(echo "$work" | tr / '\\')")
printf 'by Ada\r\nFirst line of the memo\r\nSecond line\r\n' > "$E2E_TMP/want.out"
bytes=$(wc -c < "$E2E_TMP/want.out")
expect "saved $classic $bytes"
cmp "$E2E_TMP/want.out" "$work/MEMO.OUT" || e2e_fail "MEMO.OUT holds: $(od -c "$work/MEMO.OUT")"
# The alert from the resource's free string, answered with Return; the
# screen is as it was.
wait_looks "the saved alert" "$ALERT_MIDDLE" "!$(sig "$E2E_TMP/before_save.png" "$ALERT_MIDDLE")"
press Return
wait_looks "the alert gone" "$ALERT_MIDDLE" "$(sig "$E2E_TMP/before_save.png" "$ALERT_MIDDLE")"
echo "save: MEMO.OUT written ($bytes bytes) at $classic; the saved alert answered"

# ---- Quit ----------------------------------------------------------------------

choose 88 64 23 140
expect bye
status=0
wait_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || e2e_fail "memo ended with status $status"
echo "quit: status 0"

# ---- without its resource: the program's own alert, and a failure status ----------

empty="$E2E_TMP/empty"
mkdir "$empty"
out="$E2E_TMP/memo_norsc.out"
: > "$out"
(cd "$empty" && exec "$MEMO") > "$out" 2>&1 &
pid=$!
wait_screen 10 240 "$WHITE"
wait_looks "memo's own alert" "$ALERT_MIDDLE" "!$(blank 160x40)"
press Return
status=0
wait_exit "$pid" 20 || status=$?
[ "$status" -eq 1 ] || e2e_fail "memo without MEMO.RSC ended with status $status, not 1"
grep -q "MEMO.RSC" "$out" || e2e_fail "no message names MEMO.RSC"
echo "no resource: the program's alert, status 1: $(head -n1 "$out")"
