#!/usr/bin/env bash
# The menu bar with the real mouse: two boxes dropped in turn by moving over
# their titles, an entry chosen with a 50 ms click and the message words
# printed; a rubber band and a drag (with a refused move that puts the
# pointer back on the grip) followed to their sizes and positions; and the
# processor use of programs waiting in evnt_multi, evnt_mesag and a held
# rubber band next to one that only sleeps. Screenshots go to OUT_DIR.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
start_xvfb 320x200

# rgb X Y: the colour of one screen pixel now.
rgb() {
    shot "$E2E_TMP/now.png" 320x200+0+0
    pixel "$E2E_TMP/now.png" "$1" "$2"
}

# await_rgb X Y COLOUR [differs]: until the pixel is COLOUR (or, with
# "differs", is not), 10 s at most.
await_rgb() {
    local i got
    for i in $(seq 100); do
        got=$(rgb "$1" "$2")
        if [ "${4:-}" = differs ]; then [ "$got" != "$3" ] && return 0
        else [ "$got" = "$3" ] && return 0; fi
        sleep 0.1
    done
    e2e_fail "pixel ($1, $2) is $got, waited for ${4:-} $3"
}

# move_until X Y PX PY COLOUR [differs]: moves the pointer to (X, Y) until
# pixel (PX, PY) is COLOUR (or, with "differs", is not). Allegro may miss a
# motion (in a window that has just opened, or on a busy machine); the
# pointer is nudged by one pixel and back each second.
move_until() {
    local i got
    for i in $(seq 10); do
        xdotool mousemove "$1" "$2"
        for _ in $(seq 10); do
            got=$(rgb "$3" "$4")
            if [ "${6:-}" = differs ]; then [ "$got" != "$5" ] && return 0
            else [ "$got" = "$5" ] && return 0; fi
            sleep 0.1
        done
        xdotool mousemove "$(($1 + 1))" "$2"
    done
    e2e_fail "moving to ($1, $2) never made pixel ($3, $4) ${6:-} $5"
}

pointer_is() { [ "$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | paste -sd' ')" = "$1 $2" ]; }

# refused_move X Y BX BY: moves the pointer to (X, Y) until the program puts
# it back at (BX, BY); a move the program missed is made again.
refused_move() {
    local i
    for i in $(seq 10); do
        xdotool mousemove "$1" "$2"
        for _ in $(seq 10); do
            pointer_is "$3" "$4" && return 0
            sleep 0.1
        done
        xdotool mousemove "$3" "$4"
        sleep 0.1
    done
    e2e_fail "the pointer is at $(xdotool getmouselocation), expected $3 $4"
}

white=255,255,255
black=0,0,0

# ---- menu tracking ----------------------------------------------------------
xdotool mousemove 160 150
run_probe menu_track
wait_line "ready menu"
# The window shows the grey desktop, then the bar across the screen.
await_rgb 300 190 "$white" differs
desktop=$(rgb 300 190)
[ "$desktop" != "$black" ] || e2e_fail "the desktop is not grey"
await_rgb 300 5 "$white"

# Desk drops (its box spans x 8-87), then File (x 56-175) replaces it.
move_until 32 5 20 24 "$white"
shot "$OUT_DIR/menu_desk.png" 320x200+0+0
move_until 80 5 170 40 "$white"
await_rgb 20 24 "$desktop"             # the screen under the Desk box is back
shot "$OUT_DIR/menu_file.png" 320x200+0+0

# Options, then down onto Snap: Snap highlighted under the checked Grid.
move_until 140 5 195 14 "$white"
move_until 185 23 106 20 "$black"
shot "$OUT_DIR/menu_dropped.png" 320x200+0+0

# A click held for only 50 ms chooses Snap (title 5, entry 16).
xdotool mousedown 1; sleep 0.05; xdotool mouseup 1
wait_line "events"
grep -q '^events 16 message 10 -2 -3 5 16 -6 -7 -8$' "$out" || { cat "$out"; e2e_fail "wrong message"; }
await_rgb 106 20 "$desktop"            # the box closed
echo "menu: two boxes dropped in turn, Snap chosen"

# ---- rubber band ------------------------------------------------------------
wait_line "ready rubber"
point_at 50 50
xdotool mousedown 1
wait_line "pressed rubber"
move_until 150 120 150 85 "$desktop" differs   # the outline's right edge
xdotool mouseup 1
wait_line "rubber"
grep -q '^rubber from 50 50 size 101 71$' "$out" || { cat "$out"; e2e_fail "wrong rubber band"; }
await_rgb 150 85 "$desktop"            # erased
echo "rubber: 101 x 71 from (50, 50)"

# ---- drag -------------------------------------------------------------------
# The box starts at (100, 100), gripped at (10, 10); its right edge may go
# to x 298 (box at 259) but not to 299.
wait_line "ready drag"
point_at 110 110
xdotool mousedown 1
wait_line "pressed drag"
move_until 269 150 259 160 "$desktop" differs  # the outline's left edge
refused_move 270 150 269 150           # the pointer is put back on the grip
xdotool mouseup 1
wait_line "drag"
grep -q '^drag from 100 100 to 259 140$' "$out" || { cat "$out"; e2e_fail "wrong drag"; }
finish_probe
echo "drag: stopped at the bound with the pointer kept on the grip"

# ---- processor use while waiting -------------------------------------------
declare -A pids outs
start_waiting() {  # KEY PROBE ARGS...
    local key=$1; shift
    run_probe "$@"
    pids[$key]=$pid
    outs[$key]=$out
}

stop_waiting() {  # KEY...
    local what
    for what in "$@"; do
        grep -q "^done" "${outs[$what]}" && { cat "${outs[$what]}"; e2e_fail "$what stopped waiting"; }
        kill "${pids[$what]}"
        wait "${pids[$what]}" 2>/dev/null || true
    done
}

xdotool mousemove 160 150
start_waiting sleep input_wait sleep 600000
start_waiting multi menu_wait multi
start_waiting mesag menu_wait mesag
for what in sleep multi mesag; do pid=${pids[$what]} out=${outs[$what]}; wait_line "ready"; done
sleep 1
near_floor "${pids[sleep]}" "waiting in evnt_multi (every request)" "${pids[multi]}" \
    "waiting in evnt_mesag" "${pids[mesag]}"
stop_waiting sleep multi mesag

# A rubber band held still. The press goes to the rubber band's window, which
# keeps the pointer while the button is held; the sleeping program starts
# after it.
start_waiting rubber menu_wait rubber
wait_line "ready rubber"
xdotool mousemove 160 150; sleep 0.05
xdotool mousedown 1
wait_line "held rubber"
start_waiting sleep input_wait sleep 600000
wait_line "ready"
sleep 1
near_floor "${pids[sleep]}" "holding a rubber band still" "${pids[rubber]}"
xdotool mouseup 1
pid=${pids[rubber]} out=${outs[rubber]}
wait_line "done rubber"
grep -q '^failures: 0$' "$out" || e2e_fail "the rubber band probe did not finish"
wait "$pid" 2>/dev/null || true
unset 'pids[rubber]'
stop_waiting sleep
echo "menu: all checks passed"
