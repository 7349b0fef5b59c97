#!/usr/bin/env bash
# Picora's thumbnail build against `vipsthumbnail -s 64` on the same pictures, one run
# each, files already in the page cache, Picora with an empty thumbnail cache (a first
# visit; thumbnails_cached_vs_vips.sh measures the second). Prints both times and
# ratio=<picora/vips> last.
#
#   bench/thumbnails_vs_vips.sh [DIR]
#
# Without DIR, or with an empty one, it uses a folder of 24 synthetic photographs of
# 4000 x 3000 (gradient and noise, about 4.7 MB each) made once in /tmp.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$repo"
install_if_missing vipsthumbnail libvips-tools

dir="${1:-}"
if [ -z "$dir" ] || [ -z "$(ls -A "$dir" 2>/dev/null)" ]; then
  dir=/tmp/picora-bench-photos
  if [ "$(ls "$dir"/photo*.jpg 2>/dev/null | wc -l)" -ne 24 ]; then
    echo "making 24 photographs of 4000 x 3000 in $dir" >&2
    command -v convert >/dev/null || { echo "needs ImageMagick (convert)" >&2; exit 1; }
    mkdir -p "$dir"
    base=$(mktemp --suffix=.miff)
    convert -size 4000x3000 gradient:'#2050a0-#f0c070' \
      \( -size 4000x3000 xc:gray50 -attenuate 0.6 +noise Gaussian \) \
      -compose overlay -composite "$base"
    for i in $(seq -w 1 24); do
      # Each one shifted, so no two files are the same.
      convert "$base" -roll +$((10#$i * 157))+$((10#$i * 91)) -quality 92 "$dir/photo$i.jpg"
    done
    rm -f "$base"
  fi
fi
dir=$(cd "$dir" && pwd)

build_targets bench_thumbnails

# The pictures both tools can read; vips gets the same files Picora lists.
mapfile -t pictures < <(find "$dir" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' \
  -o -iname '*.bmp' -o -iname '*.gif' \) | sort)
[ ${#pictures[@]} -gt 0 ] || { echo "no pictures in $dir" >&2; exit 1; }
cat "${pictures[@]}" >/dev/null  # both runs read from memory

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/cache" "$out/vips"
picora_out=$(XDG_CACHE_HOME="$out/cache" with_display "$build/bench/bench_thumbnails" "$dir" 2>/dev/null)
picora=$(sed -n 's/^picora_seconds=//p' <<<"$picora_out")
picora_files=$(sed -n 's/^picora_files=//p' <<<"$picora_out")

start=$(date +%s.%N)
vipsthumbnail -s 64 -o "$out/vips/%s.jpg" "${pictures[@]}"
end=$(date +%s.%N)
vips=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')

echo "folder=$dir"
echo "cores=$(nproc)"
echo "picora_files=$picora_files picora_seconds=$picora"
echo "vips_files=${#pictures[@]} vips_seconds=$vips"
awk -v p="$picora" -v v="$vips" 'BEGIN { printf "ratio=%.3f\n", p / v }'
