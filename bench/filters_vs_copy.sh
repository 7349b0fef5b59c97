#!/usr/bin/env bash
# Times each pixel edit on a 24-megapixel bitmap (6000 x 4000) against a plain memcpy of
# the same bitmap's bytes, in the same run, and prints a table of time and ratio to the
# copy. The last line is ratio=<worst filter or mirror ratio> (the quarter turn is shown
# but not counted). Goals: each filter and mirror <= 3, the quarter turn <= 5.
#
#   bench/filters_vs_copy.sh
# Environment: BUILD_DIR (default build), REPS (default 7).
#
# Each benchmark runs REPS times; the fastest repetition counts, which keeps other work
# on the machine out of the figures for the copy and the filters alike.
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-7}"
bench="$build/bench/bench_picture_filters"

build_targets bench_picture_filters

csv="$(mktemp)"
trap 'rm -f "$csv"' EXIT
"$bench" --benchmark_repetitions="$reps" --benchmark_format=csv >"$csv" 2>/dev/null

# Rows look like "BM_Emboss/min_time:1.000/real_time",iterations,real_time,cpu_time,ms,...
awk -F, '
  /^"BM_/ {
    name = $1
    gsub(/"/, "", name)
    if (name ~ /_(mean|median|stddev|cv)$/) next
    sub(/^BM_/, "", name)
    sub(/\/.*/, "", name)
    if (!(name in best) || $3 < best[name]) best[name] = $3
    if (!(name in seen)) { order[++n] = name; seen[name] = 1 }
  }
  END {
    copy = best["Copy"]
    printf "%-16s %10s %8s\n", "name", "time ms", "ratio"
    worst = 0
    for (i = 1; i <= n; i++) {
      name = order[i]
      ratio = best[name] / copy
      printf "%-16s %10.2f %8.2f\n", name, best[name], ratio
      if (name != "Copy" && name != "Rotate90" && ratio > worst) worst = ratio
    }
    printf "ratio=%.2f\n", worst
  }' "$csv"
