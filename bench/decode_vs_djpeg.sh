#!/usr/bin/env bash
# Times Picora's full JPEG decode into a bitmap against libjpeg-turbo's djpeg on the same
# file, in the same run, and prints ratio=<picora/djpeg> as the last line (goal: <= 1.0).
#
#   bench/decode_vs_djpeg.sh [FILE]      (without FILE a 5000 x 3000 photograph-like JPEG
#                                         is made first)
# Environment: BUILD_DIR (default build), REPS (default 9).
#
# Fairness: both sides are timed the same way, as whole processes from start to exit:
# process start, reading the file, decoding every pixel at full size into memory, exit.
# djpeg also writes its BMP to /dev/null, which is the reference command as given.
# Runs alternate between the two so that machine noise hits both alike; the median counts.
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-9}"
bench="$build/bench/bench_picture_jpeg"

install_if_missing djpeg libjpeg-turbo-progs

build_targets bench_picture_jpeg

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
file="${1:-}"
if [ -z "$file" ]; then
  file="$tmp/photo.jpg"
  "$bench" --make-photo "$file" 5000 3000
fi
[ -r "$file" ] || { echo "cannot read $file" >&2; exit 1; }


# Warm-up: file in the page cache, binaries loaded once.
"$bench" --decode-once "$file" 1 >/dev/null
djpeg -bmp "$file" >/dev/null

: >"$tmp/picora"
: >"$tmp/djpeg"
for ((i = 0; i < reps; i++)); do
  run_ms "$bench" --decode-once "$file" 1 >>"$tmp/picora"
  run_ms djpeg -bmp "$file" >>"$tmp/djpeg"
done
picora=$(median <"$tmp/picora")
djpeg=$(median <"$tmp/djpeg")

echo "file: $file ($("$bench" --size "$file"))"
echo "picora decode, whole process (median of $reps): ${picora} ms"
echo "djpeg -bmp, whole process (median of $reps): ${djpeg} ms"
# For information: the decode alone inside a running program.
"$bench" --decode-once "$file" "$reps" | sed 's/^/in-process /'
awk -v p="$picora" -v d="$djpeg" 'BEGIN { printf "ratio=%.3f\n", p / d }'
