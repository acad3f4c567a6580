#!/usr/bin/env bash
# Time from starting pcx2spr to its file selector drawn, in a private Xvfb:
# the moment the "Select" button's green fill shows, read every ~15 ms.
# Usage: bench/selector_startup.sh PCX2SPR [RUNS]
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
PCX2SPR=$(realpath "$1")
runs=${2:-10}
. "$SOURCE_DIR/tests/e2e/lib.sh"

start_xvfb 320x200
mkdir -p "$E2E_TMP/pics"
cp "$SOURCE_DIR"/samples/*.pcx "$E2E_TMP/pics/"
cd "$E2E_TMP/pics"

select_drawn() {
    import -window root -crop 1x1+78+194 -depth 8 txt:- 2>/dev/null | grep -q '#00FF00'
}

for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$PCX2SPR" > /dev/null 2>&1 &
    pid=$!
    until select_drawn; do
        kill -0 "$pid" 2>/dev/null || e2e_fail "pcx2spr ended before its selector showed"
    done
    echo "run $run: selector drawn after $((($(date +%s%N) - start) / 1000000)) ms"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The next run must not see this one's screen.
    until ! select_drawn; do sleep 0.01; done
done
