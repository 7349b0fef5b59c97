#!/usr/bin/env bash
# Times entering full screen with a 24-megapixel picture in fit-picture mode, up to the
# first paint at the new size, against one fit-picture command and its paint at that
# size, under a virtual X server, and prints ratio=<enter / fit> as the last line (goal:
# <= 1.5: the switch changes the layout once and paints once).
#
#   bench/fullscreen_switch.sh
# Environment: BUILD_DIR (default build), REPS (default 5; medians count).
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-5}"

build_targets bench_fullscreen

with_display "$build/bench/bench_fullscreen" "$reps"
