#!/usr/bin/env bash
# Times stepping to the next picture in a folder of real photographs, from the
# next-picture command to the first paint of the next picture, after a pause long enough
# for the decode ahead, against libjpeg-turbo's djpeg decoding the same file (whole
# process, BMP to /dev/null), and prints ratio=<median of picora/djpeg over the steps> as
# the last line (goal: <= 0.3: a step to a decoded entry costs only the display).
#
#   bench/next_vs_djpeg.sh [DIR]   (default: the JPEG wallpapers of Debian's
#                                   mate-backgrounds package, installed when missing)
# Environment: BUILD_DIR (default build), PAUSE_MS (default 1500).
set -euo pipefail
source "$(dirname "$0")/common.sh"

install_if_missing djpeg libjpeg-turbo-progs
dir="${1:-}"
if [ -z "$dir" ]; then
  dir=/usr/share/backgrounds/mate/nature
  if [ ! -d "$dir" ]; then
    export DEBIAN_FRONTEND=noninteractive
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y -qq --no-install-recommends mate-backgrounds >/dev/null
  fi
fi
[ -d "$dir" ] || { echo "no folder $dir" >&2; exit 1; }

build_targets bench_next

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
with_display "$build/bench/bench_next" --folder "$dir" "${PAUSE_MS:-1500}" |
  awk '/^step_ms=/ { sub(/^step_ms=/, ""); print }' >"$tmp/steps"
[ -s "$tmp/steps" ] || { echo "no steps measured" >&2; exit 1; }

: >"$tmp/ratios"
while read -r file ms; do
  djpeg -bmp "$file" >/dev/null  # the file in the page cache, as it is for Picora
  d=$(run_ms djpeg -bmp "$file")
  echo "$file picora ${ms} ms, djpeg ${d} ms"
  awk -v p="$ms" -v d="$d" 'BEGIN { printf "%.4f\n", p / d }' >>"$tmp/ratios"
done <"$tmp/steps"
echo "ratio=$(median <"$tmp/ratios")"
