#!/usr/bin/env bash
# The demo's controls dialog, a classic dialog: a radio button chosen, the
# size stepped with a touch-exit arrow (the preview, drawn by the program's
# own routine, follows), the alarm time typed between the template's
# colons, Cancel pressed and let go outside it (the dialog stays), and OK.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
out="$E2E_TMP/demo.out"
: > "$out"  # there before the program starts: the test reads it at once
(cd "$E2E_TMP" && exec "$GEMDEMO") > "$out" 2>&1 &
pid=$!

# expect TEXT: the demo's next line starts with TEXT (20 s at most).
said=0
expect() {
    local i line
    for i in $(seq 400); do
        line=$(sed -n "$((said + 1))p" "$out")
        if [ -n "$line" ]; then
            said=$((said + 1))
            [[ "$line" == "$1"* ]] && return 0
            e2e_fail "expected '$1', the demo said '$line'"
        fi
        kill -0 "$pid" 2>/dev/null || e2e_fail "the demo ended before '$1'"
        sleep 0.05
    done
    e2e_fail "the demo never said '$1'"
}

red=255,0,0 black=0,0,0 white=255,255,255
expect ready

# Options, fourth entry. The dialog (272 x 152) lies at (24, 24); the
# preview's middle is at (250, 93), where a 24-pixel red square shows.
point_at 140 5
point_at 140 39
click 1
expect "chose Controls"
wait_screen 250 93 $red 237 80 $black

# Disc: selected, and Box, its radio sibling, no more.
point_at 148 52
click 1
wait_screen 131 47 $white 89 47 $black

# The up arrow twice: each press ends form_do at once, the program steps
# the size and runs the dialog again.
point_at 130 74
click 1
expect "size 13"
click 1
expect "size 14"

# The alarm field has the cursor: cleared and typed again.
press Escape
xdotool type --delay 80 "071500"

# Cancel pressed, the pointer taken off it, released: nothing ends.
point_at 248 157
xdotool mousedown 1
wait_screen 220 152 $white
point_at 248 190
wait_screen 220 152 $black
xdotool mouseup 1

point_at 200 190
shot "$OUT_DIR/gemdemo_controls.png" 320x200+0+0
# A disc of radius 14: its middle red, the corner of its square not.
[ "$(pixel "$OUT_DIR/gemdemo_controls.png" 250 93)" = "$red" ] &&
    [ "$(pixel "$OUT_DIR/gemdemo_controls.png" 237 80)" = "$black" ] ||
    e2e_fail "the preview does not show the disc"
point_at 160 157
click 1
expect "controls shape=Disc size=14 alarm=071500"

# File: Quit, answered "Quit".
point_at 80 5
point_at 80 31
click 1
expect "chose Quit"
wait_screen 100 72 $white 104 76 $black
point_at 120 117
click 1
expect bye
status=0
wait_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || e2e_fail "the demo ended with status $status"
echo "gemdemo controls: radio, touch-exit arrows, template field, release outside and OK worked"
