#!/usr/bin/env bash
# The interactive pcx2spr in a real window, driven like a user: a picture is
# picked in the file selector (a right click, two clicks, a typed name, after
# moving into a folder, back with the parent button and widening the mask
# with the "*" button), the "Save as" box is answered (the default kept with
# Return, a name typed after Esc, the default edited with the cursor keys,
# Backspace and Delete), and the file written in the folder pcx2spr was
# started in is byte for byte the batch conversion of THAT picture. Cancel
# ends with status 0 and nothing written; a side above 24 is refused in an
# alert that names the file; without an X display the program stops with a
# message. Screenshots go to OUT_DIR (fsel_samples.png, fsel_flow.png,
# form_inputbox_typed.png, form_alert_refused.png).
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
start_xvfb 320x200
# In OUT_DIR, so that the path the screenshots show stays the same.
work="$OUT_DIR/pics"
rm -rf "$work"
mkdir -p "$work/sub"
cp "$SOURCE_DIR/samples/16knight.pcx" "$SOURCE_DIR/samples/24slime.pcx" "$work/"
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/08knight.PCX"  # listed by "*" only
cp "$SOURCE_DIR/samples/24slime.pcx" "$work/sub/12slime.pcx"
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/sub/20knight.pcx"
for p in 16knight.pcx 24slime.pcx 08knight.PCX sub/20knight.pcx; do
    "$PCX2SPR" "$work/$p" "$E2E_TMP/batch-${p##*/}.spr"
done

white=255,255,255
black=0,0,0
green=0,255,0
open="$E2E_TMP/open.png"

# Parts of the selector: the path field; LEN characters of the 8x8 font in
# list slot K (left column) or in the file name field.
PATH_FIELD=304x8+8+12
chars() { echo "$((8 * $1))x8+$2+$3"; }
slot() { chars "$2" 8 $((48 + 8 * $1)); }
name_field() { chars "$1" 60 32; }
# Hash of a part of the selector as it opened.
was() { sig "$open" "$1"; }
# The pointer on slot K, right of every name that is looked at.
at_slot() { point_at 120 $((50 + 8 * $1)); }
files() { (cd "$work" && find . | sort); }

# start_pcx2spr: pcx2spr started in $work; returns once the selector is
# drawn (the green Select button, the scroll button drawn last), its screen
# kept as $open.
start_pcx2spr() {
    out="$E2E_TMP/out"
    before=$(files)
    (cd "$work" && exec "$PCX2SPR") > "$out" 2>&1 &
    pid=$!
    wait_screen 76 184 $white 80 186 $green 311 195 $white
    shot "$open" 320x200+0+0
}

# ended: pcx2spr ends with status 0.
ended() {
    local status=0
    wait_exit "$pid" 30 || status=$?
    [ "$status" -eq 0 ] || e2e_fail "pcx2spr ended with status $status"
}

# finish NAME PICTURE [ANSWER...]: once the "Save as" box (168 x 68 at
# (76, 66): white frame, black inside) shows, the command ANSWER edits the
# name and Return accepts it; NAME must then be the one new file, in the
# folder pcx2spr started in, equal to the batch conversion of PICTURE.
finish() {
    local name=$1 picture=$2
    shift 2
    wait_screen 76 66 $white 77 67 $black 243 133 $white
    rm -f "$work/$name"
    before=$(files)
    [ $# -gt 0 ] && "$@"
    [ -n "${SHOT:-}" ] && { point_at 296 150; shot "$SHOT" 320x200+0+0; }
    press Return
    ended
    cat "$out"
    [ -f "$work/$name" ] || e2e_fail "no $name was written: $(files)"
    cmp "$work/$name" "$E2E_TMP/batch-${picture##*/}.spr" || e2e_fail "$name is not the batch conversion of $picture"
    [ "$(files)" = "$(printf '%s\n' "$before" "./$name" | sort)" ] || e2e_fail "other files changed: $(files)"
    echo "$picture -> $name: identical to batch"
}

# Nothing was written or removed since start_pcx2spr.
unchanged() { [ "$(files)" = "$before" ] || e2e_fail "files changed: $(files)"; }

# enter_sub: a click on the folder in slot 0; returns once the path has
# changed and the list shows the folder's two pictures only.
enter_sub() {
    at_slot 0
    click 1
    local blank
    blank=$(was "$(slot 15 12)")
    wait_looks "the folder sub" $PATH_FIELD "!$(was $PATH_FIELD)" \
        "$(slot 0 12)" "!$(was "$(slot 0 12)")" "$(slot 0 12)" "!$blank" \
        "$(slot 1 12)" "!$blank" "$(slot 2 12)" "$blank"
}

type_name() { press Escape; xdotool type --delay 60 "hero.spr"; }
# monst999.spr -> monst42.spr: the cursor goes back before ".spr", three
# characters go (Backspace and Delete both remove the one before the cursor).
edit_default() {
    press Left Left Left Left Left Right BackSpace Delete BackSpace
    xdotool type --delay 60 "42"
}

# A right click picks at once; the "Save as" name is typed. The list shows
# the folder, then the pictures, in byte order: sub, 16knight, 24slime.
start_pcx2spr
cp "$open" "$OUT_DIR/fsel_samples.png"
at_slot 1
click 3
SHOT="$OUT_DIR/form_inputbox_typed.png" finish hero.spr 16knight.pcx type_name
size=$(stat -c %s "$work/hero.spr")
[ "$size" -eq $((2 + 3 * 14 + 12 * 16 * 16)) ] || e2e_fail "sprite file has $size bytes"

# The first click puts the name in the name field, a second click on the
# same slot picks it; Return keeps the default name.
start_pcx2spr
at_slot 2
click 1
wait_looks "24slime.pcx in the name field" "$(name_field 11)" "$(was "$(slot 2 11)")"
point_at 296 150
shot "$E2E_TMP/flow1.png" 320x200+0+0
at_slot 2
click 1
SHOT="$E2E_TMP/flow2.png" finish monst999.spr 24slime.pcx

# Into the folder, back with the parent button, then "*" lists 08knight.PCX
# too (before 16knight: the others move one slot down); it is picked.
start_pcx2spr
enter_sub
point_at 30 30
click 1
wait_looks "the first folder again" $PATH_FIELD "$(was $PATH_FIELD)" \
    "$(slot 1 12)" "$(was "$(slot 1 12)")" "$(slot 2 11)" "$(was "$(slot 2 11)")"
point_at 70 25
click 1
wait_looks "the list through *" "$(slot 2 12)" "$(was "$(slot 1 12)")" "$(slot 3 11)" "$(was "$(slot 2 11)")"
point_at 296 150
shot "$E2E_TMP/flow3.png" 320x200+0+0
convert "$E2E_TMP"/flow[123].png -bordercolor '#808080' -border 2 +append "$OUT_DIR/fsel_flow.png"
at_slot 1
click 3
finish monst999.spr 08knight.PCX

# A typed name: the first Return lists through it (only 20knight.pcx
# remains), the second picks it, in the folder entered. The second Return
# waits for the new list: the selector drops a key that comes before it is
# back in its dialog loop.
start_pcx2spr
enter_sub
press Escape
xdotool type --delay 60 "20knight.pcx"
press Return
wait_looks "the typed name as the mask" "$(slot 1 12)" "$(was "$(slot 15 12)")"
press Return
finish monst42.spr sub/20knight.pcx edit_default

# Cancel: status 0, nothing written.
start_pcx2spr
point_at 230 188
click 1
ended
unchanged
echo "cancelled: status 0, nothing written"

# A side above 24 is refused: the alert (at (76, 60)) names the file on its
# second line, Return closes it, status 0, nothing written.
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/30big.pcx"
start_pcx2spr
at_slot 3
click 3
wait_screen 80 60 $white 81 61 $black 239 139 $white
wait_looks "the alert naming 30big.pcx" "$(chars 9 84 96)" "$(was "$(slot 3 9)")"
point_at 296 150
shot "$OUT_DIR/form_alert_refused.png" 320x200+0+0
press Return
ended
unchanged
grep -q "30big.pcx: side 30 is above 24" "$out" || e2e_fail "the refusal was not explained"
echo "side 30 refused"

# Without an X server the program says so and ends with status 1.
status=0
(cd "$work" && DISPLAY=:9999 exec "$PCX2SPR") > "$out" 2>&1 < /dev/null || status=$?
[ "$status" -eq 1 ] || e2e_fail "without a display pcx2spr ended with status $status"
grep -q "cannot open the X display :9999" "$out" || e2e_fail "no display"
echo "no display: status 1 and a message"
