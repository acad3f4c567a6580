#!/usr/bin/env bash
# The converter's picture shows in its own colours: every pixel of the
# picture on the screen matches ImageMagick's decoding of the PCX file. The
# arrow cursor is not drawn until the first poll, which draws it white in a
# black outline at the mouse. The user timer hook runs on Allegro's timer.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

picture="$SOURCE_DIR/samples/16knight.pcx"   # 32 x 96, colours before the stop colour only

# classify FILE: one character per pixel, rows on lines: '#' white, 'o' black,
# '.' red, '?' anything else.
classify() {
    convert "$1" -depth 8 txt:- | awk '
        function high(h) { return index("0123456789ABCDEF", toupper(h)) - 1 }
        /^[0-9]+,[0-9]+:/ {
            split($1, at, /[,:]/)
            for (i = 2; i <= NF; i++)
                if ($i ~ /^#/)
                    hex = $i
            r = high(substr(hex, 2, 1))
            g = high(substr(hex, 4, 1))
            b = high(substr(hex, 6, 1))
            c = (r >= 12 && g >= 12 && b >= 12) ? "#" : (r < 4 && g < 4 && b < 4) ? "o" \
                : (r >= 12 && g < 4 && b < 4) ? "." : "?"
            row[at[2]] = row[at[2]] c
        }
        END { for (y = 0; y < 16; y++) print row[y] }'
}

start_xvfb 320x200
run_probe picture "$picture" "$E2E_TMP"

# 1. Start-up: nothing drawn at the mouse until the first poll.
wait_line "started"
sleep 0.3
shot "$E2E_TMP/screen1.png" 320x200+0+0
centre=$(convert "$E2E_TMP/screen1.png" -crop 20x20+150+90 +repage -format %k info:)
[ "$centre" = "1" ] || e2e_fail "something is drawn at the mouse before the first poll"
touch "$E2E_TMP/go1"

# 2. The arrow after the first poll, over the red backdrop.
wait_line "cursor shown"
read -r _ _ cx cy < <(grep '^cursor at' "$out")
shot "$E2E_TMP/screen2.png" 320x200+0+0
convert "$E2E_TMP/screen2.png" -crop "16x16+$cx+$cy" +repage "$E2E_TMP/cursor.png"
classify "$E2E_TMP/cursor.png" > "$E2E_TMP/cursor.txt"
cat > "$E2E_TMP/arrow.txt" <<'ART'
oo..............
o#o.............
o##o............
o###o...........
o####o..........
o#####o.........
o######o........
o#######o.......
o########o......
o#####ooooo.....
o##o##o.........
o#o.o##o........
oo..o##o........
o....o##o.......
.....o##o.......
......ooo.......
ART
diff "$E2E_TMP/arrow.txt" "$E2E_TMP/cursor.txt" || e2e_fail "the cursor at ($cx, $cy) is not the arrow"
echo "arrow cursor drawn at ($cx, $cy) after the first poll"
touch "$E2E_TMP/go2"

# 3. The picture, loaded and shown as the converter does it.
wait_line "picture shown"
shot "$E2E_TMP/screen3.png" 320x200+0+0
convert "$picture" -crop 32x96+0+0 +repage "$E2E_TMP/expected.png"
convert "$E2E_TMP/screen3.png" -crop 32x96+0+0 +repage "$E2E_TMP/shown.png"
colours=$(identify -format %k "$E2E_TMP/expected.png")
[ "$colours" -ge 5 ] || e2e_fail "the sample has only $colours colours"
# 6-bit palette entries shown on a 24-bit screen differ by a few steps.
differ=$(compare -metric AE -fuzz 3% "$E2E_TMP/expected.png" "$E2E_TMP/shown.png" null: 2>&1 || true)
[ "$differ" = "0" ] || e2e_fail "$differ picture pixels differ from the PCX colours"
echo "picture: all 32 x 96 pixels in the PCX's colours ($colours colours)"
touch "$E2E_TMP/go3"

finish_probe

# 4. The user timer hook.
run_probe retime
finish_probe
echo "picture, cursor and timer hook: all checks passed"
