#!/usr/bin/env bash
# vdishow, the showcase of the VDI, on a 640x480 display: the screen shows
# exactly the picture the program read back from what it drew, and a few
# pixels that only the right drawing gives are checked: a solid swatch, the
# gap of a dithered one, a hatch line, the inside of the filled circle, a
# pixel the XOR mode inverted. A key ends it with status 0. The screen is
# kept in OUT_DIR as vdishow.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
start_xvfb 640x480
out="$E2E_TMP/vdishow.out"
drawn="$E2E_TMP/drawn.ppm"
: > "$out"  # there before the program starts: the test reads it at once
"$VDISHOW" "$drawn" > "$out" 2>&1 &
pid=$!
wait_line drawn
[ -s "$drawn" ] || e2e_fail "vdishow said drawn but wrote no picture"

# The display shows the picture once the program's last poll presented it.
# The palette's 6-bit values may round differently on the way to X: a
# difference of 2 % per channel is the same colour.
shown="$E2E_TMP/shown.png"
for i in $(seq 100); do
    shot "$shown"
    diff=$(compare -metric AE -fuzz 2% "$shown" "$drawn" null: 2>&1) || true
    [ "$diff" = 0 ] && break
    sleep 0.2
done
[ "$diff" = 0 ] || { cp "$shown" "$OUT_DIR/failed-vdishow.png"; e2e_fail "the screen differs from what was drawn in $diff pixels"; }
cp "$shown" "$OUT_DIR/vdishow.png"

black=0,0,0 white=255,255,255 red=255,0,0
# pattern 8 (solid, black) at its middle; pattern 4 (half dither) has a gap
# next to every dot; hatch 5 (narrow horizontal, red) has its line on every
# eighth row from the top of the surface.
[ "$(pixel "$shown" $((8 + 52 * 7 + 20)) 26)" = "$black" ] || e2e_fail "pattern 8 is not solid"
a=$(pixel "$shown" $((8 + 52 * 3 + 20)) 24) b=$(pixel "$shown" $((8 + 52 * 3 + 21)) 24)
[ "$a" != "$b" ] || e2e_fail "pattern 4 is not dithered"
[ "$(pixel "$shown" $((8 + 52 * 4 + 20)) 96)" = "$red" ] || e2e_fail "hatch 5 has no line on row 96"
[ "$(pixel "$shown" $((8 + 52 * 4 + 20)) 97)" = "$white" ] || e2e_fail "hatch 5 is not hollow between lines"
[ "$(pixel "$shown" 40 300)" = "$red" ] || e2e_fail "the circle is not filled"

press space
status=0
wait_exit "$pid" 10 || status=$?
[ "$status" -eq 0 ] || e2e_fail "vdishow ended with status $status"
echo "vdishow: the screen shows what was drawn; ended by a key"
