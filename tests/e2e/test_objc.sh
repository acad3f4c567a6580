#!/usr/bin/env bash
# The three built-in trees (file selector, alert box, input box) drawn with
# their factory texts on the 320x200 screen; a screenshot of each is kept in
# OUT_DIR as objc_fselbox.png, objc_alertbox.png and objc_inputbox.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

mkdir -p "$OUT_DIR"
start_xvfb 320x200
run_probe objc_trees

white=255,255,255
black=0,0,0
for tree in fselbox alertbox inputbox; do
    wait_line "drawn $tree"
    sleep 0.3   # let the X server show the last drawing
    shot "$OUT_DIR/objc_$tree.png" 320x200+0+0
    press space
done

finish_probe

# The pictures: the file selector's frame on the screen corner, black inside;
# the alert's default button frames; the input box's Return button frames.
[ "$(pixel "$OUT_DIR/objc_fselbox.png" 0 0)" = "$white" ] || e2e_fail "file selector frame missing"
[ "$(pixel "$OUT_DIR/objc_fselbox.png" 5 5)" = "$black" ] || e2e_fail "file selector not filled"
[ "$(pixel "$OUT_DIR/objc_alertbox.png" $((24 + 8 - 1)) $((48 + 88 - 1)))" = "$white" ] \
    || e2e_fail "alert default button outer frame missing"
[ "$(pixel "$OUT_DIR/objc_alertbox.png" 10 10)" != "$black" ] || e2e_fail "alert background is not grey"
[ "$(pixel "$OUT_DIR/objc_inputbox.png" $((106 + 16 - 1)) $((66 + 48 - 1)))" = "$white" ] \
    || e2e_fail "Return button outer frame missing"
echo "objc: all checks passed"
