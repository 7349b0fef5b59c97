#!/usr/bin/env bash
# Times one change of the changing desktop from the list source (decode the JPEG, write
# "DeskPicture.bmp") against libjpeg-turbo's djpeg writing a BMP of the same file, in the
# same run, and prints ratio=<picora/djpeg> as the last line (goal: <= 1.5 on a
# 24-megapixel JPEG).
#
#   bench/deskpic_change_vs_djpeg.sh [FILE]   (without FILE a 6000 x 4000 photograph-like
#                                              JPEG is made in /tmp first)
# Environment: BUILD_DIR (default build), REPS (default 5).
#
# Both write a real file into a temporary folder on the same disk. Picora's figure is the
# first change in its process, on fresh memory as djpeg has; djpeg is timed as a whole
# process (start, read, decode, write the BMP). Runs alternate; the medians count.
set -euo pipefail
source "$(dirname "$0")/common.sh"
reps="${REPS:-5}"

install_if_missing djpeg libjpeg-turbo-progs

build_targets bench_deskpic bench_picture_jpeg

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
file="${1:-}"
if [ -z "$file" ]; then
  file="/tmp/picora-deskpic-photo-6000x4000.jpg"
  [ -r "$file" ] || "$build/bench/bench_picture_jpeg" --make-photo "$file" 6000 4000
fi
[ -r "$file" ] || { echo "cannot read $file" >&2; exit 1; }

change() { QT_QPA_PLATFORM=offscreen "$build/bench/bench_deskpic" --change "$file" "$@"; }

# Warm-up: the file in the page cache, binaries loaded once.
djpeg -bmp -outfile "$tmp/djpeg.bmp" "$file"
change 0 >/dev/null

: >"$tmp/picora"
: >"$tmp/djpeg"
for ((i = 0; i < reps; i++)); do
  change 0 | awk -F= '/^first_ms=/ { print $2 }' >>"$tmp/picora"
  run_ms djpeg -bmp -outfile "$tmp/djpeg.bmp" "$file" >>"$tmp/djpeg"
done
picora=$(median <"$tmp/picora")
djpeg=$(median <"$tmp/djpeg")
extra=$(change "$reps" | awk -F= '/^median_ms=/ { print $2 }')

echo "file: $file"
echo "picora one change (decode + DeskPicture.bmp), first in the process (median of $reps processes): ${picora} ms"
echo "picora later changes in one process (median of $reps): ${extra} ms"
echo "djpeg -bmp -outfile FILE.bmp, whole process (median of $reps): ${djpeg} ms"
awk -v p="$picora" -v d="$djpeg" 'BEGIN { printf "ratio=%.3f\n", p / d }'
