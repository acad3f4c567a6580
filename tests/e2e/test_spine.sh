#!/usr/bin/env bash
# Start-up opens the 320x200 screen, the two surfaces switch, the tick
# counter runs at 1 kHz, and appl_exit ends with status 0.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_xvfb 320x200
run_probe spine
finish_probe
echo "spine: all checks passed"
