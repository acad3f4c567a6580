#!/usr/bin/env bash
# The interactive pcx2spr in a real window: the "Save as" box answered with
# the keyboard (the default kept with Return, a name typed after Esc, the
# default edited with the cursor keys, Backspace and Delete) writes the same
# sprite file as the batch mode under the name given, and ends with status
# 0. A side above 24 is refused in an alert, and nothing is written.
# Without an X display it stops with a message.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
work="$E2E_TMP/pics"
mkdir -p "$work"
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/"
"$PCX2SPR" "$work/16knight.pcx" "$E2E_TMP/batch.spr"

white=255,255,255
black=0,0,0

# The "Save as" box is 168 x 68, centred at (76, 66): white frame on its
# edge, black inside.
wait_save_box() { wait_screen 76 66 $white 77 67 $black 243 133 $white; }

# convert_with NAME KEYS...: runs pcx2spr, answers the box with the keys
# and checks that NAME is written, identical to the batch file.
convert_with() {
    local name=$1
    shift
    rm -f "$work"/*.spr
    out="$E2E_TMP/out"
    (cd "$work" && exec "$PCX2SPR") > "$out" 2>&1 &
    pid=$!
    wait_save_box
    [ $# -gt 0 ] && "$@"
    [ -n "${SHOT:-}" ] && { xdotool mousemove 319 199; sleep 0.3; shot "$SHOT" 320x200+0+0; }
    press Return
    local status=0
    wait_exit "$pid" 30 || status=$?
    cat "$E2E_TMP/out"
    [ "$status" -eq 0 ] || e2e_fail "pcx2spr ended with status $status"
    [ -f "$work/$name" ] || e2e_fail "no $name was written: $(ls "$work")"
    cmp "$work/$name" "$E2E_TMP/batch.spr" || e2e_fail "interactive and batch files differ"
    [ "$(ls "$work"/*.spr | wc -l)" -eq 1 ] || e2e_fail "more than one sprite file: $(ls "$work")"
    echo "interactive conversion to $name: $(stat -c %s "$work/$name") bytes, identical to batch"
}

type_name() { press Escape; xdotool type --delay 60 "hero.spr"; }
# monst999.spr -> monst42.spr: the cursor goes back before ".spr", three
# characters go (Backspace and Delete both remove the one before the cursor).
edit_default() {
    press Left Left Left Left Left Right BackSpace Delete BackSpace
    xdotool type --delay 60 "42"
}

convert_with monst999.spr
SHOT="$OUT_DIR/form_inputbox_typed.png" convert_with hero.spr type_name
convert_with monst42.spr edit_default

size=$(stat -c %s "$work/monst42.spr")
[ "$size" -eq $((2 + 3 * 14 + 12 * 16 * 16)) ] || e2e_fail "sprite file has $size bytes"

# A side above 24 is refused: the alert (160 x 80 at (80, 60)) names the
# reason, Return closes it, status 0, nothing written.
rm -f "$work"/*
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/30big.pcx"
(cd "$work" && exec "$PCX2SPR") > "$out" 2>&1 &
pid=$!
wait_screen 80 60 $white 81 61 $black 239 139 $white
xdotool mousemove 319 199
sleep 0.3
shot "$OUT_DIR/form_alert_refused.png" 320x200+0+0
press Return
status=0
wait_exit "$pid" 30 || status=$?
[ "$status" -eq 0 ] || e2e_fail "refusal ended with status $status"
[ ! -e "$work/monst999.spr" ] || e2e_fail "a refused picture wrote a file"
grep -q "30big.pcx: side 30 is above 24" "$E2E_TMP/out" || e2e_fail "the refusal was not explained: $(cat "$E2E_TMP/out")"
echo "side 30 refused"

# Without an X server the program says so and ends with status 1.
status=0
(cd "$work" && DISPLAY=:9999 exec "$PCX2SPR") > "$out" 2>&1 < /dev/null || status=$?
[ "$status" -eq 1 ] || e2e_fail "without a display pcx2spr ended with status $status"
grep -q "cannot open the X display :9999" "$out" || e2e_fail "no display: $(cat "$out")"
echo "no display: status 1 and a message"
