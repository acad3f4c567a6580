#!/usr/bin/env bash
# The screen shown k times larger in a window, on displays larger than the
# mode, beside the same programs on a 320x200 display (k = 1):
# - pcx2spr at 1280x800 (k = 3) opens a 960x600 window named "pcx2spr"; its
#   file selector, reduced by 3, is pixel for pixel the one shown at k = 1
#   (the cursor's square aside); a right click at 3 times the first slot's
#   place and Return write the sprite file written the same way at k = 1,
#   which is the batch conversion;
# - gemdemo's cursor there is the arrow with each pixel a 3x3 square, at 3
#   times its place; the window with a menu dropped is saved for the README
#   (OUT_DIR/scaled_window.png, copied by hand to docs/);
# - gemdemo at 1920x1080 (k = 4) opens a 1280x800 window; its dropped menu,
#   reduced by 4, is the one at k = 1; an entry and Quit are chosen with
#   scaled clicks, and it ends with status 0; a click is reported at the
#   window position divided by 4;
# - the window's close button queues AP_TERM for a program that waits for
#   messages;
# - a program waiting in evnt_keybd at k = 4 and at k = 1 uses no more of
#   the processor than one that only sleeps.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
declare -A disp scale
for s in S:320x200:1 M:1280x800:3 L:1920x1080:4; do
    IFS=: read -r name geometry k <<< "$s"
    start_xvfb "$geometry"
    disp[$name]=$DISPLAY scale[$name]=$k
done
# on NAME: the following commands go to that display, at its scale K.
on() { export DISPLAY=${disp[$1]}; K=${scale[$1]}; }
# Window position of screen pixel X: inside its K x K square.
w() { echo $((K * $1 + K / 2)); }
at() { point_at "$(w "$1")" "$(w "$2")"; }
seen() {  # X Y RGB...: wait_screen at screen pixels
    local -a a=()
    while [ $# -gt 0 ]; do a+=("$(w "$1")" "$(w "$2")" "$3"); shift 3; done
    wait_screen "${a[@]}"
}
# has_window NAME: the display shows a window NAME, 320K x 200K at (0, 0).
has_window() {
    xwininfo -root -tree | grep -q "\"$1\": .* $((320 * K))x$((200 * K))+0+0 " ||
        e2e_fail "no $((320 * K))x$((200 * K)) window \"$1\": $(xwininfo -root -tree)"
}
# screen_of FILE: the screen as the program drew it: the window reduced by K,
# once it is made of K x K squares of one colour each.
screen_of() {
    local big="$E2E_TMP/big.png"
    shot "$big" "$((320 * K))x$((200 * K))+0+0"
    convert "$big" -sample 320x200 "$1"
    [ "$(convert "$1" -sample "$((320 * K))x$((200 * K))" - | compare -metric AE "$big" - null: 2>&1)" = 0 ] ||
        e2e_fail "the window is not made of ${K}x$K squares"
}
# same_screen A B GEOMETRY X Y: until the part GEOMETRY of the screens of
# displays A and B is the same, the cursor's square for a pointer at screen
# pixel (X, Y) aside (20 s at most).
same_screen() {
    local i a="$E2E_TMP/a.png" b="$E2E_TMP/b.png" hide
    hide="rectangle $(($4 - 1)),$(($5 - 1)) $(($4 + 14)),$(($5 + 14))"
    for i in $(seq 50); do
        on "$1"; screen_of "$a"; on "$2"; screen_of "$b"
        for f in "$a" "$b"; do convert "$f" -fill magenta -draw "$hide" -crop "$3" +repage "$f"; done
        [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0 ] && return 0
        sleep 0.2
    done
    e2e_fail "display $2 does not show display $1's screen in $3"
}
declare -A pid_of out_of
# start_on KEY D COMMAND...: COMMAND started on display D in $work, as
# program KEY. The pointer is first put where the layer puts it at the start
# (the middle of the screen): in a window, that does not move the X pointer,
# and for a moment the first motions count from there.
start_on() {
    on "$2"
    xdotool mousemove "$(w 160)" "$(w 100)"
    out_of[$1]="$E2E_TMP/out.$1"
    (cd "$work" && exec "${@:3}") > "${out_of[$1]}" 2>&1 &
    pid_of[$1]=$!
}
stop() { kill -9 "${pid_of[$1]}"; wait "${pid_of[$1]}" 2>/dev/null || true; }
# said KEY TEXT: program KEY has printed a line starting with TEXT.
said() { out=${out_of[$1]} pid=${pid_of[$1]} wait_line "$2"; }

# ---- pcx2spr at k = 1 and k = 3 -----------------------------------------
work="$E2E_TMP/pics"
mkdir -p "$work"
cp "$SOURCE_DIR/samples/16knight.pcx" "$SOURCE_DIR/samples/24slime.pcx" "$work/"
"$PCX2SPR" "$work/16knight.pcx" "$E2E_TMP/batch.spr"
for d in S M; do
    start_on $d $d "$PCX2SPR"
    seen 76 184 255,255,255 80 186 0,255,0 311 195 255,255,255  # Select, scroll button
    at 200 120
done
has_window pcx2spr
same_screen S M 320x200+0+0 200 120
echo "file selector: the 960x600 window reduced by 3 is the 320x200 screen"
# pick_first D: slot 0 (screen (8..151, 48..55)) right-clicked, Return in
# "Save as" (168 x 68 at (76, 66)); the file written is moved to D.spr.
pick_first() {
    on "$1"
    at 40 51
    click 3
    seen 76 66 255,255,255 77 67 0,0,0 243 133 255,255,255
    press Return
    local status=0
    wait_exit "${pid_of[$1]}" 30 || status=$?
    [ "$status" -eq 0 ] || e2e_fail "pcx2spr on $1 ended with status $status"
    mv "$work/monst999.spr" "$E2E_TMP/$1.spr" || e2e_fail "pcx2spr on $1 wrote no monst999.spr"
}
pick_first S
pick_first M
cmp "$E2E_TMP/S.spr" "$E2E_TMP/batch.spr" || e2e_fail "the file written at k = 1 is not the batch conversion"
cmp "$E2E_TMP/M.spr" "$E2E_TMP/batch.spr" || e2e_fail "the file written at k = 3 is not the batch conversion"
echo "sprite file picked with a scaled right click: identical at k = 3, k = 1 and in batch"

# ---- gemdemo at k = 3: the cursor, the README's picture --------------------
for d in M L S; do start_on $d $d "$GEMDEMO"; done
for d in M L S; do said $d ready; done
on M
has_window gemdemo
# Over the blue desktop the arrow (11 x 16 pixels of its square, which
# starts one pixel left of and above the hot spot) shows in full.
at 200 120
for i in $(seq 50); do
    shot "$E2E_TMP/cursor.png" 120x120+540+300
    box=$(convert "$E2E_TMP/cursor.png" -format %@ info:)
    [ "$box" = "33x48+57+57" ] && break
    [ "$i" -lt 50 ] || e2e_fail "the cursor covers $box of the window part 120x120+540+300, not 33x48+57+57"
    sleep 0.2
done
echo "cursor at k = 3: the arrow, 33x48 at (597, 357) for the pointer at (601, 361)"
OPTIONS=140
at $OPTIONS 5
at $OPTIONS 23
# The box's frame at x 103 and 224, Animate's row white, Speed's black.
seen 102 20 0,0,255 103 20 0,0,0 224 20 0,0,0 110 18 255,255,255 110 26 0,0,0
shot "$OUT_DIR/scaled_window.png"
stop M

# ---- gemdemo at k = 4 beside k = 1: a menu, an entry, Quit ------------------
for d in S L; do on $d; at $OPTIONS 5; at $OPTIONS 15; done
has_window gemdemo
same_screen S L 320x40+0+0 $OPTIONS 15
echo "menu at k = 4: the 1280x800 window reduced by 4 is the 320x200 screen"
on L
click 1
said L "chose Animate"
said L "animation off"
FILE=80
at $FILE 5
at $FILE 31
click 1
said L "chose Quit"
seen 100 72 255,255,255 104 76 0,0,0
at 120 117
click 1
said L bye
status=0
wait_exit "${pid_of[L]}" 20 || status=$?
[ "$status" -eq 0 ] || e2e_fail "gemdemo at k = 4 ended with status $status"
echo "gemdemo at k = 4: Animate and Quit chosen with scaled clicks; status 0"
stop S

# ---- the position reported at k = 4: the window's divided by 4 --------------
# Clicks on the first or the last window pixel of a screen pixel's square.
start_on clicks L "$GEM_PROBE" input_clicks
said clicks "ready clicks"
for c in 1:400:200 1:483:243 3:800:400; do
    IFS=: read -r b x y <<< "$c"
    point_at "$x" "$y"
    click "$b"
done
out=${out_of[clicks]} pid=${pid_of[clicks]}
finish_probe
grep -q '^left 2 at 120 60$' "$out" || e2e_fail "the second left click is not at (120, 60)"
grep -q '^right 1 at 200 100 buttons 2$' "$out" || e2e_fail "the right click is not at (200, 100)"
echo "clicks at k = 4: reported at the window position divided by 4"

# ---- the window's close button: AP_TERM -------------------------------------
start_on term M "$GEM_PROBE" menu_wait mesag
said term "ready mesag"
has_window gem_probe
"$WM_CLOSE" gem_probe || e2e_fail "no window to close"
said term "message 50"
out=${out_of[term]} pid=${pid_of[term]}
finish_probe
echo "close button at k = 3: AP_TERM handed to the program waiting in evnt_mesag"

# ---- processor use while waiting --------------------------------------------
for p in sleep:S keybd:S keybd:L; do start_on $p "${p#*:}" "$GEM_PROBE" input_wait "${p%:*}" 600000; done
for p in sleep:S keybd:S keybd:L; do said $p "ready ${p%:*}"; done
on L
has_window gem_probe
sleep 1
near_floor "${pid_of[sleep:S]}" "evnt_keybd at k = 1" "${pid_of[keybd:S]}" \
    "evnt_keybd at k = 4" "${pid_of[keybd:L]}"
for p in sleep:S keybd:S keybd:L; do
    grep -q "^done" "${out_of[$p]}" && e2e_fail "input_wait ${p%:*} stopped waiting"
    stop $p
done
echo "scaled: all checks passed"
