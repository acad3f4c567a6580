#!/usr/bin/env bash
# The demo program as a user drives it: every menu entry chosen (the
# disabled one does nothing), every dialog answered, a picture opened with
# the file selector and shown in its colours, a rubber-band box drawn and
# dragged, the timer's animation stopped and started from the menu, and the
# program quit through its alert with status 0. The demo tells each thing
# it did on standard output; the test checks those lines in order and the
# screen.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
work="$E2E_TMP/pics"
mkdir -p "$work"
cp "$SOURCE_DIR/samples/16knight.pcx" "$SOURCE_DIR/samples/24slime.pcx" "$work/"
out="$E2E_TMP/demo.out"
: > "$out"  # there before the program starts: the test reads it at once
(cd "$work" && exec "$GEMDEMO") > "$out" 2>&1 &
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

# Menu titles' centres, and the rows of entries 0, 1 and 2 in every box.
DESK=32 FILE=80 OPTIONS=140
entry_y() { echo $((15 + 8 * $1)); }
# choose TITLE ENTRY: the box dropped from the title, the entry clicked.
choose() {
    point_at "$1" 5
    point_at "$1" "$(entry_y "$2")"
    click 1
}
away() { point_at 300 60; }

expect ready
red=255,0,0 blue=0,0,255 black=0,0,0

# Desk: the about alert, answered with Return.
choose $DESK 0
expect "chose About gemdemo"
wait_screen 56 54 255,255,255 60 58 $black
press Return
expect about

# Options: the speed asked in the number box.
choose $OPTIONS 1
expect "chose Speed"
wait_screen 108 66 255,255,255 109 67 $black
press Escape
xdotool type --delay 80 "9"
press Return
expect "speed 9"

# The timer moves the bar along the bottom; Animate stops and starts it.
bottom() { import -window root -crop 320x6+0+192 +repage "$E2E_TMP/bottom$1.png"; }
moving() {
    bottom 1
    sleep 0.5
    bottom 2
    [ "$(compare -metric AE "$E2E_TMP/bottom1.png" "$E2E_TMP/bottom2.png" null: 2>&1)" != 0 ]
}
away
moving || e2e_fail "the bar does not move"
point_at $OPTIONS 5
point_at $OPTIONS "$(entry_y 0)"
shot "$OUT_DIR/gemdemo_menu.png" 320x200+0+0
click 1
expect "chose Animate"
expect "animation off"
away
! moving || e2e_fail "the bar moves with the animation off"
choose $OPTIONS 0
expect "chose Animate"
expect "animation on"
away
moving || e2e_fail "the bar does not move again"

# File: the disabled entry cannot be chosen; the next line comes from the
# settings dialog.
choose $FILE 1
away

# Options: the settings dialog (232 x 104 at (44, 48)): a name, an age
# that takes digits only, the knob dragged to the right, OK.
choose $OPTIONS 2
expect "chose Settings"
wait_screen 108 136 0,255,0
press Escape
xdotool type --delay 80 "Bob"
press Tab Escape
xdotool type --delay 80 "4x2"
# The knob is pressed, then moved in steps once the demo says the drag
# has begun: it counts the pointer's moves from then on, and a move made
# while the box was still being opened again for it would be lost.
point_at 170 109
xdotool mousedown 1
expect "knob held"
for x in 180 190 200 210; do point_at $x 109; done
xdotool mouseup 1
point_at 108 136
shot "$OUT_DIR/gemdemo_settings.png" 320x200+0+0
click 1
expect "settings name=Bob age=42 volume="
volume=$(tail -n1 "$out" | sed 's/.*volume=//')
[ "$volume" -gt 60 ] || e2e_fail "the knob was not dragged: volume $volume"
# Again, and cancelled: nothing changes.
choose $OPTIONS 2
expect "chose Settings"
wait_screen 212 136 255,0,0
point_at 212 136
click 1
expect "settings cancelled"

# File: a picture picked with a right click in the file selector, shown in
# its own colours; a click closes it.
choose $FILE 0
expect "chose Open picture"
wait_screen 78 194 0,255,0
point_at 20 51
click 3
expect "picture shown $work/16knight.pcx"
point_at 300 190
shot "$OUT_DIR/gemdemo_picture.png" 320x200+0+0
convert "$work/16knight.pcx" -crop 32x96+0+0 +repage "$E2E_TMP/expected.png"
convert "$OUT_DIR/gemdemo_picture.png" -crop 32x96+0+0 +repage "$E2E_TMP/shown.png"
differ=$(compare -metric AE -fuzz 3% "$E2E_TMP/expected.png" "$E2E_TMP/shown.png" null: 2>&1 || true)
[ "$differ" = 0 ] || e2e_fail "$differ picture pixels differ from ImageMagick's decoding"
click 1
expect "picture closed"

# The desktop: a box stretched with the left button, then dragged.
point_at 60 140
xdotool mousedown 1
point_at 120 170
xdotool mouseup 1
expect "box drawn at 60 140"
read -r _ _ _ bx by bw bh < <(tail -n1 "$out")
[ "$bw" -ge 20 ] && [ "$bh" -ge 10 ] || e2e_fail "box of $bw x $bh"
wait_screen $((bx + bw / 2)) $((by + bh / 2)) $red
point_at $((bx + 4)) $((by + 4))
xdotool mousedown 1
point_at $((bx + 104)) $((by - 46))
xdotool mouseup 1
expect "box moved to"
read -r _ _ _ nx ny < <(tail -n1 "$out")
[ "$nx" -gt "$bx" ] && [ "$ny" -lt "$by" ] || e2e_fail "box moved from ($bx, $by) to ($nx, $ny)"
away
wait_screen $((nx + bw / 2)) $((ny + bh / 2)) $red $((bx + 2)) $((by + bh - 2)) $blue
colours=$(import -window root -crop "${bw}x${bh}+$nx+$ny" +repage -format %k info:)
[ "$colours" = 1 ] || e2e_fail "the moved box is not one colour: $colours colours"
shot "$OUT_DIR/gemdemo_desktop.png" 320x200+0+0

# File: Quit, first answered "Stay" (the default), then "Quit".
choose $FILE 2
expect "chose Quit"
wait_screen 100 72 255,255,255 104 76 $black
press Return
expect "quit cancelled"
choose $FILE 2
expect "chose Quit"
wait_screen 100 72 255,255,255 104 76 $black
point_at 120 117
click 1
expect bye
status=0
wait_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || e2e_fail "the demo ended with status $status"
echo "gemdemo: every menu entry, dialog, the picture, the boxes and the timer worked; status 0"
