#!/usr/bin/env bash
# The interactive pcx2spr in a real window writes the same sprite file as the
# batch mode, ends with status 0, and refuses a side above 24 without
# writing anything.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
work="$E2E_TMP/pics"
mkdir -p "$work"
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/"

# The file selector picks the picture, the name box keeps monst999.spr.
(cd "$work" && exec "$PCX2SPR") > "$E2E_TMP/out" 2>&1 &
pid=$!
status=0
wait_exit "$pid" 30 || status=$?
cat "$E2E_TMP/out"
[ "$status" -eq 0 ] || e2e_fail "pcx2spr ended with status $status"
[ -f "$work/monst999.spr" ] || e2e_fail "no sprite file was written"

"$PCX2SPR" "$work/16knight.pcx" "$E2E_TMP/batch.spr"
cmp "$work/monst999.spr" "$E2E_TMP/batch.spr" || e2e_fail "interactive and batch files differ"
size=$(stat -c %s "$work/monst999.spr")
[ "$size" -eq $((2 + 3 * 14 + 12 * 16 * 16)) ] || e2e_fail "sprite file has $size bytes"
echo "interactive conversion: $size bytes, identical to batch"

# A side above 24 is refused: status 0, nothing written, the reason shown.
rm -f "$work"/*
cp "$SOURCE_DIR/samples/16knight.pcx" "$work/30big.pcx"
(cd "$work" && exec "$PCX2SPR") > "$E2E_TMP/out" 2>&1 &
pid=$!
status=0
wait_exit "$pid" 30 || status=$?
[ "$status" -eq 0 ] || e2e_fail "refusal ended with status $status"
[ ! -e "$work/monst999.spr" ] || e2e_fail "a refused picture wrote a file"
grep -q "side 30 is above 24" "$E2E_TMP/out" || e2e_fail "the refusal was not explained: $(cat "$E2E_TMP/out")"
echo "side 30 refused"
