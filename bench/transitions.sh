#!/usr/bin/env bash
# Plays each of the five transition effects on an 800 x 600 picture at 100 % in a
# maximised window under a virtual X server (the whole picture visible), against the
# effect's frame count times one repaint-and-flush of the whole 800 x 600 picture (a run
# of that many whole repaints, timed like the effect right before each play), and prints
# a table and ratio=<worst effect> as the last line (goal: <= 1.0: a frame costs what it
# changes on the screen, never more than drawing the whole frame).
#
#   bench/transitions.sh
# Environment: BUILD_DIR (default build), REPS (default 3; the median counts).
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-3}"

build_targets bench_transitions

with_display "$build/bench/bench_transitions" "$reps"
