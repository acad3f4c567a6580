#!/usr/bin/env bash
# The C example runs on the layer: its bar and text appear, a key ends it
# with status 0.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
"$GEM_HELLO" > "$E2E_TMP/out" 2>&1 &
pid=$!
# The bar is blue (palette entry 4) once the program has drawn.
is_blue() { [[ "$(pixel "$E2E_TMP/hello.png" "$1" "$2")" =~ ^0,0,2[45][0-9]$ ]]; }
for i in $(seq 100); do
    sleep 0.1
    shot "$E2E_TMP/hello.png" 320x200+0+0
    is_blue 45 65 && break
    kill -0 "$pid" 2>/dev/null || { cat "$E2E_TMP/out"; e2e_fail "hello ended early"; }
done
is_blue 45 65 || e2e_fail "no blue bar"
! is_blue 39 59 || e2e_fail "no frame around the bar"
press space
status=0
wait_exit "$pid" 10 || status=$?
[ "$status" -eq 0 ] || e2e_fail "hello ended with status $status"
echo "example: drawn, ended by a key with status 0"
