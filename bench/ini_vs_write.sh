#!/usr/bin/env bash
# Times the export and the import of a 10 000-entry show (bench_platform_ini) against one
# atomic write of the file's bytes in the same run, and prints a table of time and ratio
# to the write. The last line is ratio=<worse of export and import>.
# Goal: a small constant (each operation is one parse and one write, not one pass per
# key, which would be thousands of times the write).
#
#   bench/ini_vs_write.sh
# Environment: BUILD_DIR (default build), REPS (default 7). The fastest repetition counts.
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-7}"
bench="$build/bench/bench_platform_ini"

build_targets bench_platform_ini

csv="$(mktemp)"
trap 'rm -f "$csv"' EXIT
"$bench" --benchmark_repetitions="$reps" --benchmark_format=csv >"$csv" 2>/dev/null

awk -F, '
  /^"BM_/ {
    name = $1
    gsub(/"/, "", name)
    if (name ~ /_(mean|median|stddev|cv)$/) next
    sub(/^BM_/, "", name)
    if (!(name in best) || $3 < best[name]) best[name] = $3
    if (!(name in seen)) { order[++n] = name; seen[name] = 1 }
  }
  END {
    write = best["Write"]
    printf "%-8s %10s %8s\n", "name", "time ms", "ratio"
    worst = 0
    for (i = 1; i <= n; i++) {
      name = order[i]
      ratio = best[name] / write
      printf "%-8s %10.2f %8.2f\n", name, best[name], ratio
      if (name != "Write" && ratio > worst) worst = ratio
    }
    printf "ratio=%.2f\n", worst
  }' "$csv"
