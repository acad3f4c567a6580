# Shared helpers of the end-to-end tests: a private Xvfb, xdotool input with
# real press-hold-release timing, screenshots and pixel reads.
# Source it from a test script that runs under `set -euo pipefail`.

# Fails the test; what the program under test printed (the file named by
# $out, when a test has set it) is shown too.
e2e_fail() {
    echo "FAIL: $*" >&2
    [ -n "${out:-}" ] && [ -s "$out" ] && { echo "--- $out:" >&2; cat "$out" >&2; }
    exit 1
}

for tool in Xvfb xdotool import convert xwininfo; do
    command -v "$tool" >/dev/null 2>&1 || e2e_fail "$tool is not installed (run scripts/test, which installs it)"
done

E2E_TMP=$(mktemp -d /tmp/gem-e2e.XXXXXX)
XVFB_PIDS=()

e2e_cleanup() {
    local pids
    pids=$(jobs -p) || true
    [ -n "$pids" ] && kill $pids 2>/dev/null || true
    # A program stuck in the library's exit path ignores the request; it
    # must not outlive the test.
    [ -n "$pids" ] && sleep 0.2 && kill -9 $pids 2>/dev/null || true
    local x
    for x in "${XVFB_PIDS[@]}"; do
        kill "$x" 2>/dev/null && wait "$x" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# start_xvfb [WIDTHxHEIGHT]: a private X server on a free display; sets
# DISPLAY. A test may start several, one call each; all end with the test.
start_xvfb() {
    local geometry=${1:-320x200}
    local fdfile="$E2E_TMP/display.${#XVFB_PIDS[@]}"
    # -noreset: a server that resets when its last client leaves refuses
    # the next program that connects during the reset.
    Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp -noreset 3>"$fdfile" 2>"$fdfile.log" &
    XVFB_PIDS+=($!)
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    [ -s "$fdfile" ] || e2e_fail "Xvfb did not start: $(cat "$fdfile.log")"
    export DISPLAY=":$(head -n1 "$fdfile")"
}

# run_probe NAME ARGS...: starts `gem_probe NAME ARGS` in the background;
# sets pid and out (the file its output goes to).
run_probe() {
    out="$E2E_TMP/out.$1.$(basename "${2:-}")"
    : > "$out"
    "$GEM_PROBE" "$@" > "$out" 2>&1 &
    pid=$!
}

# wait_line TEXT: until the probe has printed a line starting with TEXT
# (20 s at most); fails at once if the probe ends first.
wait_line() {
    local i
    for i in $(seq 400); do
        grep -q "^$1" "$out" && return 0
        kill -0 "$pid" 2>/dev/null || e2e_fail "probe ended before '$1'"
        sleep 0.05
    done
    e2e_fail "probe never said '$1'"
}

# finish_probe: the probe ends with status 0 (appl_exit), no check failed,
# and it reached its end.
finish_probe() {
    local status=0
    wait_exit "$pid" 20 || status=$?
    cat "$out"
    [ "$status" -eq 0 ] || e2e_fail "probe ended with status $status"
    ! grep -q '^FAIL' "$out" || e2e_fail "a check failed"
    grep -q '^failures: 0$' "$out" || e2e_fail "the probe did not reach appl_exit"
}

# press KEY...: each key held for 100 ms, then released.
press() {
    local k
    for k in "$@"; do
        xdotool keydown "$k"; sleep 0.1; xdotool keyup "$k"; sleep 0.05
    done
}

# click BUTTON [X Y]: move (absolute on the X screen), press, hold, release.
click() {
    local b=$1
    [ $# -ge 3 ] && { xdotool mousemove "$2" "$3"; sleep 0.05; }
    xdotool mousedown "$b"; sleep 0.1; xdotool mouseup "$b"; sleep 0.05
}

# point_at X Y: moves the pointer to (X, Y) and waits until the program has
# drawn its cursor there (the 12 x 12 pixels from (X, Y) change). Allegro
# can miss a motion while the machine is busy, so the move is repeated
# until it shows. The pointer must not be over that square before.
point_at() {
    local x=$1 y=$2 i before="$E2E_TMP/point0.png" now="$E2E_TMP/point1.png"
    import -window root -crop "12x12+$x+$y" +repage "$before"
    for i in $(seq 50); do
        xdotool mousemove $((x + 1)) "$y" mousemove "$x" "$y"
        sleep 0.05
        import -window root -crop "12x12+$x+$y" +repage "$now"
        [ "$(compare -metric AE "$before" "$now" null: 2>&1)" != 0 ] && return 0
        sleep 0.1
    done
    e2e_fail "the pointer never showed at ($x, $y)"
}

# shot FILE [WxH+X+Y]: screenshot of the root window, optionally cropped.
shot() {
    if [ $# -ge 2 ]; then
        import -window root -crop "$2" +repage "$1"
    else
        import -window root "$1"
    fi
}

# pixel FILE X Y: "R,G,B" of one pixel of a picture, 8 bits each.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# wait_exit PID [SECONDS]: wait for a program; fail if it does not end in time.
wait_exit() {
    local pid=$1 limit=${2:-20} i
    for i in $(seq $((limit * 20))); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    e2e_fail "process $pid did not end within $limit s"
}

# wait_screen X Y RGB [X Y RGB...]: until one screenshot shows every one of
# these colours at its pixel (20 s at most); for "the box is drawn".
wait_screen() {
    local f="$E2E_TMP/wait.png" i k ok
    for i in $(seq 100); do
        if import -window root "$f" 2>/dev/null; then
            ok=1
            for ((k = 1; k <= $#; k += 3)); do
                local x=${!k} y_i=$((k + 1)) c_i=$((k + 2))
                [ "$(pixel "$f" "$x" "${!y_i}")" = "${!c_i}" ] || { ok=0; break; }
            done
            [ "$ok" -eq 1 ] && return 0
        fi
        sleep 0.2
    done
    e2e_fail "the screen never showed: $*"
}

# sig FILE GEOMETRY: a hash of the pixels of that part (WxH+X+Y) of a
# picture; the same pixels give the same hash wherever they are, so a text
# shown in one place can be looked for in another.
sig() { convert "$1" -crop "$2" +repage -format '%#' info:; }

# wait_looks WHAT GEOMETRY WANT [GEOMETRY WANT...]: until one screenshot
# shows every part GEOMETRY with the hash WANT, or with any other when WANT
# is "!HASH" (20 s at most). WHAT names the awaited state in the failure,
# and the last screenshot is kept in $OUT_DIR.
wait_looks() {
    local what=$1 f="$E2E_TMP/looks.png" i k ok got
    shift
    local -a want=("$@")
    for i in $(seq 100); do
        if import -window root "$f" 2>/dev/null; then
            ok=1
            for ((k = 0; k < ${#want[@]}; k += 2)); do
                got=$(sig "$f" "${want[k]}")
                case ${want[k + 1]} in
                    '!'*) [ "$got" != "${want[k + 1]#!}" ] ;;
                    *) [ "$got" = "${want[k + 1]}" ] ;;
                esac || { ok=0; break; }
            done
            [ "$ok" -eq 1 ] && return 0
        fi
        sleep 0.2
    done
    local kept=
    if [ -n "${OUT_DIR:-}" ]; then
        kept="$OUT_DIR/failed-$(basename "$0" .sh).png"
        mkdir -p "$OUT_DIR" && cp "$f" "$kept"
    fi
    e2e_fail "the screen never showed $what${kept:+ (last screen: $kept)}"
}

# near_floor FLOOR_PID LABEL PID [LABEL PID...]: each program uses at most
# 2 points of a core more than the one at FLOOR_PID (which only sleeps: the
# floor of Allegro's own threads), over a 6 s window measured for all at
# once. A program over the limit is measured again, twice at most, since a
# moment of load on a busy machine can spoil one window; a program that
# spins never gets under it.
near_floor() {
    local floor=$1 hz window=6 attempt i d base
    shift
    local -a labels=() pids=() left=() t0=() still=()
    while [ $# -gt 0 ]; do labels+=("$1"); pids+=("$2"); shift 2; done
    left=("${!labels[@]}")
    hz=$(getconf CLK_TCK)
    proc_ticks() {
        [ -r "/proc/$1/stat" ] || e2e_fail "$2 ended while its processor use was measured"
        awk '{ print $14 + $15 }' "/proc/$1/stat"
    }
    percent() { awk -v d="$1" -v hz="$hz" -v w="$window" 'BEGIN { printf "%.1f", 100 * d / hz / w }'; }
    for attempt in 1 2 3; do
        local f0
        f0=$(proc_ticks "$floor" "the sleeping program")
        for i in "${left[@]}"; do t0[$i]=$(proc_ticks "${pids[$i]}" "${labels[$i]}"); done
        sleep "$window"
        base=$(($(proc_ticks "$floor" "the sleeping program") - f0))
        still=()
        for i in "${left[@]}"; do
            d=$(($(proc_ticks "${pids[$i]}" "${labels[$i]}") - t0[$i]))
            echo "processor use: ${labels[$i]} $(percent "$d") % (sleeping: $(percent "$base") %)"
            awk -v d="$d" -v b="$base" -v hz="$hz" -v w="$window" \
                'BEGIN { exit !(d <= b + 0.02 * hz * w) }' || still+=("$i")
        done
        [ ${#still[@]} -eq 0 ] && return 0
        left=("${still[@]}")
    done
    e2e_fail "over the floor in 3 windows: $(for i in "${left[@]}"; do printf '%s; ' "${labels[$i]}"; done)"
}
