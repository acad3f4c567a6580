#!/usr/bin/env bash
# A three-button alert on the real screen: a held click on its second button
# ends it with 2; then a plain `xdotool click`, whose press and release fall
# between two polls, on its third button ends the next one with 3. A
# screenshot of the alert is kept in OUT_DIR as form_alert_three.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
white=255,255,255
black=0,0,0

# The alert is 160 x 68 at (80, 66); its buttons lie at y 118..129, the
# second over x 146..173 and the third over x 190..233.
run_probe form_alert
wait_line "alert 1"
wait_screen 80 66 $white 81 67 $black 239 133 $white
xdotool mousemove 319 199
sleep 0.3
shot "$OUT_DIR/form_alert_three.png" 320x200+0+0
point_at 159 123
click 1
wait_line "button 2"

wait_line "alert 2"
wait_screen 80 66 $white 81 67 $black 239 133 $white
point_at 210 123
xdotool click 1
wait_line "button 3"
finish_probe
echo "form: all checks passed"
