#!/usr/bin/env bash
# Start-up opens the 320x200 screen, the two surfaces switch, the tick
# counter runs at 1 kHz, and appl_exit ends with status 0.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
status=0
"$GEM_PROBE" spine > "$E2E_TMP/out" 2>&1 || status=$?
cat "$E2E_TMP/out"
[ "$status" -eq 0 ] || e2e_fail "appl_exit ended with status $status"
grep -q '^FAIL' "$E2E_TMP/out" && e2e_fail "a check failed"
grep -q '^failures: 0$' "$E2E_TMP/out" || e2e_fail "the probe did not reach appl_exit"
echo "spine: all checks passed"
