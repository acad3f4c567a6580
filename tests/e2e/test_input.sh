#!/usr/bin/env bash
# Input in a real window: the key codes of function, cursor and editing keys
# and of Return with modifiers, two clicks held for only 50 ms, evnt_timer's
# precision, and the processor use of a program waiting in evnt_keybd,
# evnt_button, evnt_timer, evnt_mouse and an open alert next to one that
# only sleeps.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200

# with_modifier MOD KEY: KEY pressed while MOD is held.
with_modifier() {
    xdotool keydown "$1"; sleep 0.05
    press "$2"
    xdotool keyup "$1"; sleep 0.05
}

# ---- key codes ----------------------------------------------------------
run_probe input_keys
wait_line "ready keys"
sleep 0.3   # the window is up once the probe is ready
xdotool mousemove 160 100
press F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Up Left Right Down Delete BackSpace Return
with_modifier Shift_L Return
with_modifier Control_L Return
with_modifier Alt_L Return
with_modifier Shift_R BackSpace
press q
finish_probe
expected="323 0
324 0
325 0
326 0
327 0
328 0
329 0
330 0
331 0
332 0
333 0
334 0
354 0
356 0
358 0
360 0
128 0
127 0
13 0
13 2
13 4
13 8
127 3
113 0"
# Right shift gives 3, not 1: Allegro's X11 keyboard also marks the left
# shift key down whenever the X server reports the shift modifier.
got=$(sed -n 's/^key \([0-9]*\) kbstat \([0-9]*\)$/\1 \2/p' "$out")
if [ "$got" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$got") || true
    e2e_fail "key codes differ (expected, then got)"
fi
echo "key codes: all $(echo "$got" | wc -l) as expected"

# ---- two clicks held 50 ms, then a right click ---------------------------
run_probe input_clicks
wait_line "ready clicks"
hold_click() {  # BUTTON X Y: press for 50 ms only, once the pointer is there
    point_at "$2" "$3"
    xdotool mousedown "$1"; sleep 0.05; xdotool mouseup "$1"; sleep 0.1
}
hold_click 1 100 50
hold_click 1 120 60
hold_click 3 200 100
finish_probe
grep -q '^left 2 at 120 60$' "$out" || e2e_fail "two left clicks not counted at (120, 60)"
grep -q '^right 1 at 200 100 buttons 2$' "$out" || e2e_fail "right click not seen at (200, 100)"
echo "clicks: both 50 ms left clicks and the right click seen"

# ---- evnt_timer precision -----------------------------------------------
run_probe input_timer
finish_probe

# ---- processor use while waiting ------------------------------------------
# Seven programs at once, so that they share the machine's conditions: one
# that only sleeps (Allegro's own threads) and one waiting in each call.
kinds="sleep keybd button timer mouse dialog selector"
declare -A pids outs
for what in $kinds; do
    run_probe input_wait "$what" 600000
    pids[$what]=$pid
    outs[$what]=$out
done
for what in $kinds; do
    pid=${pids[$what]} out=${outs[$what]}
    wait_line "ready $what"
done
sleep 1
args=()
for what in keybd button timer mouse dialog selector; do args+=("waiting in $what" "${pids[$what]}"); done
near_floor "${pids[sleep]}" "${args[@]}"
for what in $kinds; do
    grep -q "^done" "${outs[$what]}" && { cat "${outs[$what]}"; e2e_fail "$what stopped waiting"; }
    kill "${pids[$what]}"
    wait "${pids[$what]}" 2>/dev/null || true
done
echo "input: all checks passed"
