#!/usr/bin/env bash
# Times Picora's whole load from list of a JPEG (decode, copies, file information, status
# bar, first paint of the window under a virtual X server) against libjpeg-turbo's djpeg
# decoding the same file, in the same run, and prints ratio=<picora/djpeg> as the last
# line (goal: <= 1.3 on a 5000 x 3000 photograph).
#
#   bench/load_vs_djpeg.sh [FILE]      (without FILE a 5000 x 3000 photograph-like JPEG
#                                       is made in /tmp first)
# Environment: BUILD_DIR (default build), REPS (default 5).
#
# Picora's figure is the first load of the file in its process, on fresh memory as djpeg
# has, after the window has been shown once with a small picture; the median of further
# loads is printed for information. djpeg is timed as a whole process (start, read,
# decode, BMP to /dev/null), median of REPS runs alternating with Picora's loads.
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-5}"

install_if_missing djpeg libjpeg-turbo-progs

build_targets bench_load bench_picture_jpeg

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
file="${1:-}"
if [ -z "$file" ]; then
  file="/tmp/picora-load-photo-5000x3000.jpg"
  [ -r "$file" ] || "$build/bench/bench_picture_jpeg" --make-photo "$file" 5000 3000
fi
[ -r "$file" ] || { echo "cannot read $file" >&2; exit 1; }

load() { with_display "$build/bench/bench_load" --load "$file" "$@"; }

# Warm-up: the file in the page cache, binaries loaded once.
djpeg -bmp "$file" >/dev/null
load 0 >/dev/null

: >"$tmp/picora"
: >"$tmp/djpeg"
for ((i = 0; i < reps; i++)); do
  load 0 | awk -F= '/^first_ms=/ { print $2 }' >>"$tmp/picora"
  run_ms djpeg -bmp "$file" >>"$tmp/djpeg"
done
picora=$(median <"$tmp/picora")
djpeg=$(median <"$tmp/djpeg")
extra=$(load "$reps" | awk -F= '/^median_ms=/ { print $2 }')

echo "file: $file ($(load 0 | awk -F= '/^size=/ { print $2 }'))"
echo "picora load from list + first paint, first load in the process (median of $reps processes): ${picora} ms"
echo "picora later loads of the same file in one process (median of $reps): ${extra} ms"
echo "djpeg -bmp FILE >/dev/null, whole process (median of $reps): ${djpeg} ms"
awk -v p="$picora" -v d="$djpeg" 'BEGIN { printf "ratio=%.3f\n", p / d }'
